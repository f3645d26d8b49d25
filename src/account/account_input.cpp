#include "account/account_input.h"

#include "text/gbk.h"

namespace plandesk {

bool has_gbk_bytes(std::string_view utf8, std::size_t bytes) {
  return gbk_length(utf8) >= bytes;
}

}  // namespace plandesk
