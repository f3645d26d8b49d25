#include "shell/display_probe.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace plandesk {
namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Connects to a Unix socket by path, or in the abstract namespace when
// `abstract` is set (where the X server also listens on Linux).
bool accepts(const std::string& path, bool abstract) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t offset = abstract ? 1 : 0;
  if (path.size() + offset >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
  const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
  ::close(fd);
  return connected;
}

}  // namespace

DisplayProbe probe_display() {
  DisplayProbe probe;
  if (!environment("WAYLAND_DISPLAY").empty() || !environment("QT_QPA_PLATFORM").empty()) {
    probe.available = true;
    return probe;
  }
  probe.display = environment("DISPLAY");
  const std::string_view display = probe.display;
  const std::size_t colon = display.rfind(':');
  if (colon == std::string_view::npos) return probe;  // empty or not a display name
  const std::string_view host = display.substr(0, colon);
  if (!host.empty() && host != "unix") {
    probe.available = true;
    return probe;
  }
  std::string_view number = display.substr(colon + 1);
  number = number.substr(0, number.find('.'));  // without the screen
  if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos) return probe;
  const std::string socket = "/tmp/.X11-unix/X" + std::string(number);
  probe.available = accepts(socket, false) || accepts(socket, true);
  return probe;
}

}  // namespace plandesk
