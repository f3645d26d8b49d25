#include "plandesk-service/password_hash.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <array>
#include <random>

namespace plandesk::stand_in {
namespace {

constexpr int iterations = 4096;

std::string to_hex(const unsigned char* data, std::size_t size) {
  static constexpr char digits[] = "0123456789abcdef";
  std::string out;
  out.reserve(size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    out.push_back(digits[data[i] >> 4]);
    out.push_back(digits[data[i] & 0x0F]);
  }
  return out;
}

}  // namespace

PasswordHash hash_password(std::string_view password, std::string_view salt) {
  std::array<unsigned char, 32> digest{};
  PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                    reinterpret_cast<const unsigned char*>(salt.data()), static_cast<int>(salt.size()),
                    iterations, EVP_sha256(), static_cast<int>(digest.size()), digest.data());
  return {std::string(salt), to_hex(digest.data(), digest.size())};
}

PasswordHash hash_password(std::string_view password) {
  std::array<unsigned char, 16> salt{};
  if (RAND_bytes(salt.data(), static_cast<int>(salt.size())) != 1) {
    // No entropy from OpenSSL: a salt from the system's random device still
    // keeps equal passwords apart.
    std::random_device device;
    for (auto& byte : salt) byte = static_cast<unsigned char>(device());
  }
  return hash_password(password, to_hex(salt.data(), salt.size()));
}

bool password_matches(std::string_view password, const PasswordHash& stored) {
  const PasswordHash candidate = hash_password(password, stored.salt);
  return candidate.digest.size() == stored.digest.size() &&
         CRYPTO_memcmp(candidate.digest.data(), stored.digest.data(), stored.digest.size()) == 0;
}

}  // namespace plandesk::stand_in
