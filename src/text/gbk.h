#pragma once
// Conversion between the program's UTF-8 texts and the GBK (code page 936)
// bytes that the plan service and the ini files use.

#include <cstddef>
#include <string>
#include <string_view>

namespace plandesk {

// UTF-8 -> GBK. A character GBK cannot hold, and every byte that is not
// valid UTF-8, becomes "?".
std::string utf8_to_gbk(std::string_view utf8);

// GBK -> UTF-8. A byte sequence that is not valid GBK becomes "?" per byte,
// so that no text is ever dropped silently.
std::string gbk_to_utf8(std::string_view gbk);

// Number of bytes the UTF-8 text takes in GBK ("中" counts 2, "a" counts 1).
// Lengths, limits and positions of the service and the windows count these.
std::size_t gbk_length(std::string_view utf8);

// True when every character of the UTF-8 text exists in GBK, so that it
// reaches the service and the ini files as typed rather than as "?".
bool fits_gbk(std::string_view utf8);

// True when every byte is ASCII; such a text is the same in GBK and UTF-8.
bool is_ascii(std::string_view text);

}  // namespace plandesk
