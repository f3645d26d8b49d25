#pragma once
// An ini file in GBK read and written one key at a time, the way Windows'
// private-profile functions do it: a write replaces or adds only its own key
// and leaves every other line of the file exactly as it was, so hand edits,
// comments and keys the program does not know survive.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plandesk {

struct ProfileStatus {
  bool ok = true;
  std::string error;  // UTF-8, for the user; empty when ok
};

struct ProfileLoad;

class PrivateProfile {
 public:
  // Reads the whole file. A missing file gives an empty profile (the first
  // write creates it); a file that exists but cannot be read is an error.
  static ProfileLoad load(const std::filesystem::path& file);

  // A profile over bytes already in memory (GBK), saved to `file`.
  PrivateProfile(std::filesystem::path file, std::string gbk_bytes);

  // The value of a key, UTF-8. Section and key match case-insensitively (ASCII
  // letters), blanks around names and values are ignored, and one pair of
  // matching quotes around a value is removed. nullopt when absent.
  std::optional<std::string> find(std::string_view section, std::string_view key) const;
  // As find, "" when absent.
  std::string read(std::string_view section, std::string_view key) const;

  // Sets a key in memory, creating its section at the end when missing and
  // the key at the end of its section when missing. Names and values that
  // would break the line structure (line breaks, "]" in a section, "=" in a
  // key, an empty key), and values with characters GBK cannot hold, are
  // refused. A value that would not read back as typed
  // (outer blanks, outer quotes) is written in double quotes.
  ProfileStatus write(std::string_view section, std::string_view key, std::string_view value);

  // Writes the bytes to the file atomically (a temporary file in the same
  // folder, readable by the owner only, renamed over the old one).
  ProfileStatus save() const;

  const std::string& bytes() const { return bytes_; }
  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path file_;
  std::string bytes_;
};

struct ProfileLoad {
  std::optional<PrivateProfile> profile;  // empty when the file exists but cannot be read
  std::string error;
};

// Writes `bytes` to `file` atomically with owner-only permissions.
ProfileStatus write_file_atomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace plandesk
