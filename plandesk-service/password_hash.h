#pragma once
// Passwords are kept only as salted PBKDF2 digests, so that the accounts file
// does not hand out the passwords of its users.

#include <string>
#include <string_view>

namespace plandesk::stand_in {

struct PasswordHash {
  std::string salt;    // hex
  std::string digest;  // hex
};

PasswordHash hash_password(std::string_view password);
PasswordHash hash_password(std::string_view password, std::string_view salt);
bool password_matches(std::string_view password, const PasswordHash& stored);

}  // namespace plandesk::stand_in
