#include "service/query.h"

#include "text/gbk.h"

namespace plandesk {
namespace {

bool is_unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

}  // namespace

std::string query_escape(std::string_view bytes) {
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (is_unreserved(c)) {
      out.push_back(ch);
    } else {
      out.push_back('%');
      out.push_back(hex[c >> 4]);
      out.push_back(hex[c & 0x0F]);
    }
  }
  return out;
}

ServiceUrl::ServiceUrl(std::string_view base_url, std::string_view path) {
  url_.reserve(base_url.size() + path.size() + 96);
  url_.append(base_url).append(path);
}

ServiceUrl& ServiceUrl::param(std::string_view key, std::string_view value) {
  url_.push_back(separator_);
  separator_ = '&';
  url_.append(key).push_back('=');
  url_.append(query_escape(utf8_to_gbk(value)));
  return *this;
}

}  // namespace plandesk
