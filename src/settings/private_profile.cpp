#include "settings/private_profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "text/gbk.h"

namespace plandesk {
namespace {

namespace fs = std::filesystem;

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

bool is_quote(char c) {
  return c == '"' || c == '\'';
}

bool quoted(std::string_view s) {
  return s.size() >= 2 && is_quote(s.front()) && s.front() == s.back();
}

// ASCII letters folded to lower case. Folding UTF-8 is safe byte by byte:
// every byte of a multi-byte character is 0x80 or above.
std::string fold(std::string_view utf8) {
  std::string out(utf8);
  for (auto& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// Position of an ASCII byte in GBK text, stepping over double-byte
// characters, whose second byte may look like "]".
std::size_t find_gbk(std::string_view gbk, char wanted) {
  for (std::size_t i = 0; i < gbk.size(); ++i) {
    const auto byte = static_cast<unsigned char>(gbk[i]);
    if (byte >= 0x81 && byte <= 0xFE && i + 1 < gbk.size()) {
      ++i;
      continue;
    }
    if (gbk[i] == wanted) return i;
  }
  return std::string_view::npos;
}

enum class LineKind { section, key, other };

struct Line {
  std::size_t begin = 0;
  std::size_t content_end = 0;  // before "\r\n" or "\n"
  std::size_t end = 0;          // after the line break, if any
  LineKind kind = LineKind::other;
  std::string_view name;   // section or key name, GBK, trimmed
  std::string_view value;  // GBK, trimmed
};

std::vector<Line> split_lines(std::string_view bytes) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    Line line;
    line.begin = pos;
    const auto nl = bytes.find('\n', pos);
    line.end = nl == std::string_view::npos ? bytes.size() : nl + 1;
    line.content_end = nl == std::string_view::npos ? bytes.size() : nl;
    if (line.content_end > line.begin && bytes[line.content_end - 1] == '\r') --line.content_end;
    const auto content = trim(bytes.substr(line.begin, line.content_end - line.begin));
    if (!content.empty() && content.front() == '[') {
      auto inner = content.substr(1);
      inner = inner.substr(0, find_gbk(inner, ']'));
      line.kind = LineKind::section;
      line.name = trim(inner);
    } else if (!content.empty() && content.front() != ';') {
      // "=" (0x3D) never occurs inside a GBK double-byte character.
      const auto eq = content.find('=');
      if (eq != std::string_view::npos) {
        line.kind = LineKind::key;
        line.name = trim(content.substr(0, eq));
        line.value = trim(content.substr(eq + 1));
      }
    }
    lines.push_back(line);
    pos = line.end;
  }
  return lines;
}

bool same_name(std::string_view gbk_name, const std::string& folded_utf8) {
  return fold(gbk_to_utf8(gbk_name)) == folded_utf8;
}

std::string encode_value(std::string_view value) {
  const bool needs_quotes =
      !value.empty() && (is_blank(value.front()) || is_blank(value.back()) || quoted(value));
  if (!needs_quotes) return std::string(value);
  return "\"" + std::string(value) + "\"";
}

bool has_line_break(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

std::string describe(const fs::path& file) {
  return "“" + file.string() + "”";
}

}  // namespace

ProfileLoad PrivateProfile::load(const fs::path& file) {
  std::error_code ec;
  const auto status = fs::status(file, ec);
  if (!fs::exists(status)) return {PrivateProfile(file, {}), {}};
  if (fs::is_directory(status)) return {std::nullopt, "无法读取文件" + describe(file) + "：这是一个文件夹"};
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {std::nullopt, "无法读取文件" + describe(file) + "：" + std::strerror(errno)};
  std::string bytes;
  char buffer[4096];
  for (;;) {
    const auto n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      return {std::nullopt, "无法读取文件" + describe(file) + "：" + std::strerror(error)};
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return {PrivateProfile(file, std::move(bytes)), {}};
}

PrivateProfile::PrivateProfile(fs::path file, std::string gbk_bytes)
    : file_(std::move(file)), bytes_(std::move(gbk_bytes)) {}

std::optional<std::string> PrivateProfile::find(std::string_view section, std::string_view key) const {
  const auto wanted_section = fold(section);
  const auto wanted_key = fold(trim(key));
  bool inside = false;
  for (const auto& line : split_lines(bytes_)) {
    if (line.kind == LineKind::section) {
      if (inside) break;  // only the first section of that name counts
      inside = same_name(line.name, wanted_section);
    } else if (inside && line.kind == LineKind::key && same_name(line.name, wanted_key)) {
      auto value = line.value;
      if (quoted(value)) value = value.substr(1, value.size() - 2);
      return gbk_to_utf8(value);
    }
  }
  return std::nullopt;
}

std::string PrivateProfile::read(std::string_view section, std::string_view key) const {
  return find(section, key).value_or(std::string());
}

ProfileStatus PrivateProfile::write(std::string_view section, std::string_view key, std::string_view value) {
  key = trim(key);
  section = trim(section);
  if (key.empty() || key.find('=') != std::string_view::npos || has_line_break(key))
    return {false, "设置项名称无效：" + std::string(key)};
  if (section.find(']') != std::string_view::npos || has_line_break(section))
    return {false, "设置段名称无效：" + std::string(section)};
  if (has_line_break(value)) return {false, "设置值不能包含换行：" + std::string(key)};
  // GBK would turn such a character into "?", and the value would not come
  // back as typed.
  if (!fits_gbk(value)) return {false, "设置值含有无法保存的字符：" + std::string(key)};

  const std::string new_line = utf8_to_gbk(key) + "=" + utf8_to_gbk(encode_value(value));
  const auto wanted_section = fold(section);
  const auto wanted_key = fold(key);
  const auto lines = split_lines(bytes_);

  // Where the section ends: after its last non-blank line.
  std::optional<std::size_t> section_tail;
  bool inside = false;
  for (const auto& line : lines) {
    if (line.kind == LineKind::section) {
      if (inside) break;  // only the first section of that name counts
      inside = same_name(line.name, wanted_section);
      if (inside) section_tail = line.end;
      continue;
    }
    if (!inside) continue;
    if (line.kind == LineKind::key && same_name(line.name, wanted_key)) {
      bytes_.replace(line.begin, line.content_end - line.begin, new_line);
      return {};
    }
    if (!trim(std::string_view(bytes_).substr(line.begin, line.content_end - line.begin)).empty())
      section_tail = line.end;
  }

  if (section_tail) {
    std::string insert = new_line + "\r\n";
    // The section's last line may be the file's last line without a break.
    if (*section_tail > 0 && bytes_[*section_tail - 1] != '\n') insert = "\r\n" + insert;
    bytes_.insert(*section_tail, insert);
    return {};
  }
  if (!bytes_.empty() && bytes_.back() != '\n') bytes_ += "\r\n";
  bytes_ += "[" + utf8_to_gbk(section) + "]\r\n" + new_line + "\r\n";
  return {};
}

ProfileStatus PrivateProfile::save() const {
  return write_file_atomically(file_, bytes_);
}

ProfileStatus write_file_atomically(const fs::path& file, std::string_view bytes) {
  const auto failed = [&](int error) {
    return ProfileStatus{false, "无法保存文件" + describe(file) + "：" + std::strerror(error)};
  };
  const auto folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  std::string name = (folder / (file.filename().string() + ".XXXXXX")).string();
  std::vector<char> temp(name.begin(), name.end());
  temp.push_back('\0');
  // mkostemp creates the file readable and writable by its owner only.
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return failed(errno);
  const auto abandon = [&](int error) {
    ::close(fd);
    ::unlink(temp.data());
    return failed(error);
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return abandon(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) return abandon(errno);
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temp.data());
    return failed(error);
  }
  if (::rename(temp.data(), file.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.data());
    return failed(error);
  }
  return {};
}

}  // namespace plandesk
