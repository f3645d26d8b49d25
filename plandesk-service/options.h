#pragma once
// The command line of plandesk-service.

#include <string>
#include <string_view>
#include <vector>

#include "plandesk-service/stand_in_server.h"

namespace plandesk::stand_in {

inline constexpr int default_port = 8765;

struct CommandLine {
  bool ok = true;
  std::string error;  // when !ok: what is wrong, for standard error
  bool help = false;
  bool version = false;
  int port = default_port;
  ServerSettings settings;  // log and clock are left for the caller to set
};

// `args` without the program name. Both "--option value" and
// "--option=value" are accepted.
CommandLine parse_command_line(const std::vector<std::string_view>& args);

std::string usage_text();
std::string version_text();

}  // namespace plandesk::stand_in
