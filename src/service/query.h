#pragma once
// Building the URL of a request to the plan service. Every query value is
// percent-encoded from its GBK bytes, so that "&", "=", "#", "%", "+", blanks
// and Chinese text typed by the user reach the service as one intact value.

#include <string>
#include <string_view>

namespace plandesk {

// Percent-encodes raw bytes: A-Z a-z 0-9 - . _ ~ stay, every other byte
// becomes %XX with upper-case hex digits.
std::string query_escape(std::string_view bytes);

// base_url + path, then "?" and key=value pairs in the order added, joined
// by "&". Keys are literal texts; values are UTF-8 and go out as escaped GBK.
class ServiceUrl {
 public:
  ServiceUrl(std::string_view base_url, std::string_view path);
  ServiceUrl& param(std::string_view key, std::string_view value);
  const std::string& text() const { return url_; }

 private:
  std::string url_;
  char separator_ = '?';
};

}  // namespace plandesk
