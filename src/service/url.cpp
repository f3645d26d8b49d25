#include "service/url.h"

#include <algorithm>

#include "text/leading_int.h"

namespace plandesk {
namespace {

char ascii_lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lower_ascii(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), ascii_lower);
  return out;
}

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && find_ignoring_case(text.substr(0, prefix.size()), prefix) == 0;
}

// "#引号" in GBK: the stand-in for a double quote inside markers.
constexpr std::string_view kQuoteMarker = "#\xD2\xFD\xBA\xC5";

std::string with_quotes(std::string_view marker) {
  std::string out;
  std::size_t at = 0;
  for (std::size_t hit; (hit = marker.find(kQuoteMarker, at)) != std::string_view::npos;) {
    out.append(marker.substr(at, hit - at));
    out.push_back('"');
    at = hit + kQuoteMarker.size();
  }
  out.append(marker.substr(at));
  return out;
}

// Length of the scheme prefix the URL starts with ("http://" or "https://",
// any case), 0 when it has none.
std::size_t scheme_length(std::string_view url) {
  if (starts_with_ignoring_case(url, "https://")) return 8;
  if (starts_with_ignoring_case(url, "http://")) return 7;
  return 0;
}

}  // namespace

std::size_t find_ignoring_case(std::string_view text, std::string_view what, std::size_t from) {
  if (from > text.size() || what.size() > text.size() - from) return std::string_view::npos;
  const auto hit = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), what.begin(),
                               what.end(), [](char a, char b) { return ascii_lower(a) == ascii_lower(b); });
  return hit == text.end() && !what.empty() ? std::string_view::npos
                                            : static_cast<std::size_t>(hit - text.begin());
}

std::string text_between(std::string_view text, std::string_view left, std::string_view right) {
  const std::string left_marker = with_quotes(left);
  const std::string right_marker = with_quotes(right);
  const std::size_t left_at = find_ignoring_case(text, left_marker);
  if (left_at == std::string_view::npos) return {};
  const std::size_t from = left_at + left_marker.size();
  const std::size_t right_at = find_ignoring_case(text, right_marker, from);
  if (right_at == std::string_view::npos) return {};
  return std::string(text.substr(from, right_at - from));
}

std::string url_host(std::string_view url, bool keep_port) {
  std::string lowered = lower_ascii(url);
  if (lowered.empty() || lowered.back() != '/') lowered.push_back('/');
  // Only a scheme at the very start counts, so that an address such as
  // "host/go?to=http://elsewhere" still names "host".
  std::string_view prefix = "http://";
  if (lowered.starts_with("https://"))
    prefix = "https://";
  else if (!lowered.starts_with("http://"))
    lowered.insert(0, prefix);
  std::string host = text_between(lowered, prefix, "/");
  if (!keep_port) host = host.substr(0, host.find(':'));
  return host;
}

std::int64_t url_port(std::string_view url) {
  const std::string host = url_host(url, true);
  const std::size_t colon = host.rfind(':');
  if (colon != std::string::npos) return leading_int(std::string_view(host).substr(colon + 1));
  return starts_with_ignoring_case(url, "https") ? 443 : 80;
}

std::string url_path(std::string_view url) {
  // The host is looked for after the scheme, so that a host such as "h" or
  // "tp" is not found inside "http://" itself.
  const std::size_t host_at = find_ignoring_case(url, url_host(url), scheme_length(url));
  if (host_at == std::string_view::npos) return "/";
  const std::size_t slash = url.find('/', host_at);
  return slash == std::string_view::npos ? std::string("/") : std::string(url.substr(slash));
}

}  // namespace plandesk
