#include "plandesk-service/query_params.h"

#include <optional>

#include "text/gbk.h"

namespace plandesk::stand_in {
namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> percent_decode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      out.push_back(' ');
    } else if (c == '%') {
      if (i + 2 >= text.size()) return std::nullopt;
      const int high = hex_value(text[i + 1]);
      const int low = hex_value(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      out.push_back(static_cast<char>(high * 16 + low));
      i += 2;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

bool has_control_character(std::string_view bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return true;
  }
  return false;
}

// GBK bytes as UTF-8, or nullopt when they are not GBK text: a valid GBK
// text converts there and back unchanged.
std::optional<std::string> gbk_text(const std::string& bytes) {
  std::string utf8 = gbk_to_utf8(bytes);
  if (utf8_to_gbk(utf8) != bytes) return std::nullopt;
  return utf8;
}

}  // namespace

std::string text_for_log(std::string_view text) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x21 || byte >= 0x7F) {
      out.push_back('%');
      out.push_back(digits[byte >> 4]);
      out.push_back(digits[byte & 0x0F]);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

namespace {

// Calls `pair(key, value, has_value)` for every "&"-separated piece of `raw`.
template <typename Pair>
void for_each_pair(std::string_view raw, Pair pair) {
  std::size_t start = 0;
  while (start <= raw.size()) {
    std::size_t end = raw.find('&', start);
    if (end == std::string_view::npos) end = raw.size();
    const std::string_view piece = raw.substr(start, end - start);
    const std::size_t equals = piece.find('=');
    if (equals == std::string_view::npos)
      pair(piece, std::string_view{}, false);
    else
      pair(piece.substr(0, equals), piece.substr(equals + 1), true);
    start = end + 1;
  }
}

}  // namespace

const std::string* QueryParams::find(std::string_view key) const {
  for (const auto& [k, v] : pairs_)
    if (k == key) return &v;
  return nullptr;
}

QueryParse parse_query(std::string_view raw) {
  QueryParse result;
  result.ok = true;
  for_each_pair(raw, [&](std::string_view key, std::string_view value, bool) {
    if (!result.ok || (key.empty() && value.empty())) return;
    const auto key_bytes = percent_decode(key);
    const auto value_bytes = percent_decode(value);
    if (!key_bytes || !value_bytes) {
      result = {false, {}, "malformed percent-encoding in \"" + text_for_log(key) + "\""};
      return;
    }
    if (has_control_character(*key_bytes) || has_control_character(*value_bytes)) {
      result = {false, {}, "control character in the value of \"" + text_for_log(key) + "\""};
      return;
    }
    auto key_text = gbk_text(*key_bytes);
    auto value_text = gbk_text(*value_bytes);
    if (!key_text || !value_text) {
      result = {false, {}, "the value of \"" + text_for_log(key) + "\" is not GBK text"};
      return;
    }
    result.params.add(std::move(*key_text), std::move(*value_text));
  });
  return result;
}

std::string query_for_log(std::string_view raw) {
  std::string out;
  bool first = true;
  for_each_pair(raw, [&](std::string_view key, std::string_view value, bool has_value) {
    if (!first) out.push_back('&');
    first = false;
    out += text_for_log(key);
    if (!has_value) return;
    const auto name = percent_decode(key);
    const bool secret = name && (*name == "password" || *name == "oldpassword");
    out += "=";
    out += secret ? std::string("***") : text_for_log(value);
  });
  return out;
}

}  // namespace plandesk::stand_in
