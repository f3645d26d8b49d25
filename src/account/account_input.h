#pragma once
// Checks of typed account texts, counted in GBK bytes as the service
// counts them.

#include <cstddef>
#include <string_view>

namespace plandesk {

// True when the text has at least `bytes` bytes in GBK ("中" counts 2).
bool has_gbk_bytes(std::string_view utf8, std::size_t bytes);

}  // namespace plandesk
