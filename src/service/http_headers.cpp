#include "service/http_headers.h"

#include "service/url.h"

namespace plandesk {
namespace {

std::string_view trim_spaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

constexpr std::string_view kUtf8Marker = "charset=utf-8";
// The marker counts in a body only when it starts at byte 499 or earlier.
constexpr std::size_t kUtf8MarkerWindow = 499;

}  // namespace

std::string http_agent_text(std::string_view headers) {
  if (find_ignoring_case(headers, "User-Agent:") == std::string_view::npos)
    return std::string(kDefaultHttpAgent);
  std::string agent(trim_spaces(text_between(headers, "User-Agent:", "\r\n")));
  if (agent.empty()) {
    const std::string_view after_colon = headers.substr(headers.find(':') + 1);
    agent = trim_spaces(after_colon);
  }
  // A line break inside the agent would smuggle extra header lines into the
  // request.
  return agent.substr(0, agent.find_first_of("\r\n"));
}

std::size_t complete_request_headers(std::string& headers, std::string_view url, std::string_view cookies) {
  const auto absent = [&](std::string_view name) { return headers.find(name) == std::string::npos; };
  if (absent("Referer:")) {
    if (!headers.empty()) headers += "\r\n";
    headers.append("Referer: ").append(url);
  }
  if (absent("Accept:")) headers += "\r\nAccept: */*";
  if (absent("Accept-Language:")) headers += "\r\nAccept-Language: zh-cn";
  if (absent("Content-Type:")) headers += "\r\nContent-Type: application/x-www-form-urlencoded";
  const std::size_t before_cookie = headers.size();
  if (!cookies.empty()) headers.append("\r\nCookie: ").append(cookies);
  return before_cookie;
}

void scan_reply_headers(std::string_view reply_headers, std::string& location,
                        std::string& received_cookies) {
  location.clear();
  received_cookies.clear();
  std::size_t at = 0;
  while (at < reply_headers.size()) {
    std::size_t end = reply_headers.find("\r\n", at);
    if (end == std::string_view::npos) end = reply_headers.size();
    const std::string_view line = reply_headers.substr(at, end - at);
    at = end + 2;
    if (line.find("Location:") != std::string_view::npos)
      location = trim_spaces(line.substr(line.find(':') + 1));
    if (line.find("Set-Cookie") != std::string_view::npos)
      received_cookies.append(trim_spaces(text_between(line, "Set-Cookie:", ";"))).append("; ");
  }
}

bool is_permanent_redirect(std::string_view reply_headers) {
  return text_between(reply_headers, "HTTP/1.1 ", " Moved") == "301";
}

bool reply_is_utf8(std::string_view body, std::string_view reply_headers) {
  const std::size_t in_body = body.find(kUtf8Marker);
  return (in_body != std::string_view::npos && in_body < kUtf8MarkerWindow) ||
         reply_headers.find(kUtf8Marker) != std::string_view::npos;
}

}  // namespace plandesk
