#pragma once
// The saved-credentials file "hydwdsys.sht" in the data folder: a GBK ini
// with section "配置", keys "user" and "upwd" (plain text). It holds the
// user name and password of the last successful login, so that the next
// start offers them.

#include <filesystem>
#include <string>
#include <string_view>

#include "settings/private_profile.h"

namespace plandesk {

inline constexpr const char* credentials_file_name = "hydwdsys.sht";

struct SavedCredentials {
  std::string user_name;  // UTF-8; "" when absent
  std::string password;
};

// A missing or unreadable file, section or key reads as "".
SavedCredentials read_saved_credentials(const std::filesystem::path& file);

// Writes both keys, keeping every other line of the file; creates the file
// (owner-only) when missing.
ProfileStatus save_credentials(const std::filesystem::path& file, const SavedCredentials& credentials);

// After a password change: when the file names `user_name`, its password
// becomes `new_password`, so the next start's saved login still works.
// Nothing else changes, and a file naming someone else is left alone.
ProfileStatus update_saved_password(const std::filesystem::path& file, std::string_view user_name,
                                    std::string_view new_password);

}  // namespace plandesk
