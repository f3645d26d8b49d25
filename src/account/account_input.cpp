#include "account/account_input.h"

#include "text/gbk.h"

namespace plandesk {

bool has_gbk_bytes(std::string_view utf8, std::size_t bytes) {
  return gbk_length(utf8) >= bytes;
}

bool fits_gbk(std::string_view utf8) {
  if (is_ascii(utf8)) return true;
  return gbk_to_utf8(utf8_to_gbk(utf8)) == utf8;
}

}  // namespace plandesk
