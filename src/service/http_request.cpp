#include "service/http_request.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "service/cookies.h"
#include "service/http_curl_global.h"
#include "service/http_headers.h"
#include "service/url.h"
#include "text/gbk.h"

namespace plandesk {
namespace {

using Clock = std::chrono::steady_clock;

// What the callbacks of one transfer collect and watch.
struct Transfer {
  explicit Transfer(const HttpLimits& bounds) : limits(bounds) {}

  const HttpLimits& limits;
  std::string body;
  std::string headers;  // raw header text of the latest reply
  bool too_large = false;
  bool stalled = false;
  // Between connecting and the end of the transfer, the stall clock runs.
  bool awaiting_reply = false;
  Clock::time_point last_activity = Clock::now();
  std::size_t header_bytes = 0;
  std::size_t seen_header_bytes = 0;
  curl_off_t seen_down = 0;
  curl_off_t seen_up = 0;
};

std::size_t on_body(char* data, std::size_t size, std::size_t count, void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  const std::size_t bytes = size * count;
  if (bytes > transfer.limits.max_body_bytes - transfer.body.size()) {
    transfer.too_large = true;
    return 0;  // aborts the transfer
  }
  transfer.body.append(data, bytes);
  return bytes;
}

// Called once per header line, for every reply on the way (interim replies and
// followed redirects included); a status line starts the text afresh so that
// only the final reply's headers remain. Lines are stored with CRLF endings.
std::size_t on_header(char* data, std::size_t size, std::size_t count, void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  const std::size_t bytes = size * count;
  transfer.header_bytes += bytes;
  std::string_view line(data, bytes);
  if (line.starts_with("HTTP/")) transfer.headers.clear();
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (transfer.headers.size() + line.size() + 2 > transfer.limits.max_body_bytes) {
    transfer.too_large = true;
    return 0;
  }
  transfer.headers.append(line).append("\r\n");
  return bytes;
}

// A new connection is being made: the connect time-out governs until the
// request can be sent.
int on_socket(void* user, curl_socket_t, curlsocktype) {
  static_cast<Transfer*>(user)->awaiting_reply = false;
  return CURL_SOCKOPT_OK;
}

// Connected (or reusing a connection), the request is about to go.
int on_request_ready(void* user, char*, char*, int, int) {
  auto& transfer = *static_cast<Transfer*>(user);
  transfer.awaiting_reply = true;
  transfer.last_activity = Clock::now();
  return CURL_PREREQFUNC_OK;
}

int on_progress(void* user, curl_off_t, curl_off_t down, curl_off_t, curl_off_t up) {
  auto& transfer = *static_cast<Transfer*>(user);
  if (!transfer.awaiting_reply) return 0;
  const Clock::time_point now = Clock::now();
  if (down != transfer.seen_down || up != transfer.seen_up ||
      transfer.header_bytes != transfer.seen_header_bytes) {
    transfer.seen_down = down;
    transfer.seen_up = up;
    transfer.seen_header_bytes = transfer.header_bytes;
    transfer.last_activity = now;
    return 0;
  }
  if (now - transfer.last_activity < transfer.limits.stall_timeout) return 0;
  transfer.stalled = true;
  return 1;  // aborts the transfer
}

HttpResult failed(HttpFailure failure, std::string error) {
  HttpResult result;
  result.failure = failure;
  result.error = std::move(error);
  return result;
}

bool is_host_byte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
}

bool has_control_byte(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
}

bool is_secure(std::string_view url) {
  return find_ignoring_case(url.substr(0, 5), "https") == 0;
}

// The request target goes out byte for byte, but for the two bytes that
// cannot stand in a request line: a space would split the line, and "#"
// would cut the query short. Both are percent-encoded, which a server decodes
// back to the same byte.
std::string request_target(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (const char c : path) {
    if (c == ' ')
      out += "%20";
    else if (c == '#')
      out += "%23";
    else
      out.push_back(c);
  }
  return out;
}

// The address handed to libcurl: lower-cased host, explicit port, and the
// path and query as the caller wrote them. Empty when the URL is unusable.
std::string curl_address(std::string_view url) {
  if (has_control_byte(url)) return {};
  const std::string host = url_host(url);
  if (host.empty() || !std::all_of(host.begin(), host.end(), is_host_byte)) return {};
  const bool secure = is_secure(url);
  std::int64_t port = url_port(url);
  if (port < 0 || port > 65535) return {};
  if (port == 0) port = secure ? 443 : 80;  // an empty port means the default one
  return (secure ? "https://" : "http://") + host + ":" + std::to_string(port) +
         request_target(url_path(url));
}

struct CurlDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;
using HeaderList = std::unique_ptr<curl_slist, CurlDeleter>;

// CRLF-separated header lines as libcurl's list, plus removals of the lines
// libcurl would otherwise add of its own.
HeaderList header_list(std::string_view headers, bool via_proxy) {
  HeaderList list;
  const auto add = [&](const std::string& line) {
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (grown == nullptr) return false;
    static_cast<void>(list.release());
    list.reset(grown);
    return true;
  };
  std::size_t at = 0;
  while (at < headers.size()) {
    std::size_t end = headers.find("\r\n", at);
    if (end == std::string_view::npos) end = headers.size();
    if (end > at && !add(std::string(headers.substr(at, end - at)))) return {};
    at = end + 2;
  }
  if (!add("Expect:")) return {};
  if (via_proxy && !add("Proxy-Connection:")) return {};
  return list;
}

HttpFailure failure_of(CURLcode code, const Transfer& transfer) {
  if (transfer.too_large) return HttpFailure::body_too_large;
  if (transfer.stalled) return HttpFailure::stalled;
  switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
      return HttpFailure::connect_timeout;
    case CURLE_TOO_MANY_REDIRECTS:
      return HttpFailure::too_many_redirects;
    case CURLE_URL_MALFORMAT:
      return HttpFailure::bad_url;
    default:
      return HttpFailure::transfer;
  }
}

// One exchange with the server (redirects that libcurl follows included).
// `headers` is the working header text, completed in place. On success the
// reply outputs of `options` are filled and `location_given` tells whether
// the reply named a Location.
HttpResult exchange(const std::string& url, HttpRequestOptions& options, std::string& headers,
                    std::size_t& cookie_line_at, bool& location_given) {
  options.received_cookies.clear();
  options.location.clear();
  options.reply_headers.clear();
  location_given = false;

  const std::string address = curl_address(url);
  if (address.empty()) return failed(HttpFailure::bad_url, "unusable address");

  const int method = options.method.value_or(0);
  const bool secure = is_secure(url);
  const bool via_proxy = options.proxy.has_value() && !secure;
  const bool own_cookies = options.cookies.has_value();
  const std::string agent = http_agent_text(headers);
  cookie_line_at = complete_request_headers(headers, url, options.cookies.value_or(""));

  std::string body_bytes;
  if (method != 0) {
    body_bytes = options.post_bytes.value_or("");
    if (body_bytes.empty()) body_bytes = options.post_text.value_or("");
    if (options.post_bytes) *options.post_bytes = body_bytes;
  }

  CURLSH* const cookie_store = http_shared_cookie_store();  // also sets libcurl up
  CurlHandle handle(curl_easy_init());
  HeaderList header_lines = header_list(headers, via_proxy);
  if (!handle || !header_lines) return failed(HttpFailure::transfer, "out of memory");

  Transfer transfer(options.limits);
  char error_text[CURL_ERROR_SIZE] = {};
  const std::string proxy_address = via_proxy ? "http://" + *options.proxy : std::string();
  CURL* const h = handle.get();
  CURLcode set = CURLE_OK;
  const auto option = [&](CURLoption name, auto value) {
    if (set == CURLE_OK) set = curl_easy_setopt(h, name, value);
  };
  option(CURLOPT_ERRORBUFFER, error_text);
  option(CURLOPT_NOSIGNAL, 1L);
  option(CURLOPT_URL, address.c_str());
  option(CURLOPT_PATH_AS_IS, 1L);
  option(CURLOPT_PROTOCOLS_STR, "http,https");
  option(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  option(CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  option(CURLOPT_USERAGENT, agent.c_str());
  option(CURLOPT_HTTPHEADER, header_lines.get());
  // Empty: no proxy, not even one named by the environment.
  option(CURLOPT_PROXY, proxy_address.c_str());
  option(CURLOPT_NOPROXY, "");
  option(CURLOPT_FOLLOWLOCATION, options.no_auto_redirect.value_or(false) ? 0L : 1L);
  option(CURLOPT_MAXREDIRS, options.limits.max_redirects);
  if (!own_cookies) {
    // The empty file name switches the cookie engine on without reading a file.
    option(CURLOPT_SHARE, cookie_store);
    option(CURLOPT_COOKIEFILE, "");
  }
  if (method == 0) {
    option(CURLOPT_HTTPGET, 1L);
  } else {
    option(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body_bytes.size()));
    option(CURLOPT_POSTFIELDS, body_bytes.data());
    if (method != 1) option(CURLOPT_CUSTOMREQUEST, "GET");
  }
  option(CURLOPT_WRITEFUNCTION, &on_body);
  option(CURLOPT_WRITEDATA, &transfer);
  option(CURLOPT_HEADERFUNCTION, &on_header);
  option(CURLOPT_HEADERDATA, &transfer);
  option(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.limits.connect_timeout.count()));
  option(CURLOPT_SOCKOPTFUNCTION, &on_socket);
  option(CURLOPT_SOCKOPTDATA, &transfer);
  option(CURLOPT_PREREQFUNCTION, &on_request_ready);
  option(CURLOPT_PREREQDATA, &transfer);
  option(CURLOPT_XFERINFOFUNCTION, &on_progress);
  option(CURLOPT_XFERINFODATA, &transfer);
  option(CURLOPT_NOPROGRESS, 0L);
  if (set != CURLE_OK) return failed(HttpFailure::transfer, curl_easy_strerror(set));

  const CURLcode code = curl_easy_perform(h);
  if (code != CURLE_OK) {
    const HttpFailure failure = failure_of(code, transfer);
    std::string error = error_text[0] != '\0' ? std::string(error_text) : curl_easy_strerror(code);
    if (failure == HttpFailure::stalled) error = "no data arrived in time";
    if (failure == HttpFailure::body_too_large) error = "reply larger than the limit";
    return failed(failure, std::move(error));
  }

  options.reply_headers = std::move(transfer.headers);
  scan_reply_headers(options.reply_headers, options.location, options.received_cookies);
  if (own_cookies) *options.cookies = merge_cookies(*options.cookies, options.received_cookies);
  location_given = !options.location.empty();
  if (!location_given) options.location = options.reply_headers;

  HttpResult result;
  result.ok = true;
  result.body = std::move(transfer.body);
  return result;
}

}  // namespace

HttpResult http_request(const std::string& url, HttpRequestOptions& options) {
  std::string headers = options.headers.value_or("");
  std::string address = url;
  HttpResult result;
  for (int follow_ups = 0;; ++follow_ups) {
    std::size_t cookie_line_at = 0;
    bool location_given = false;
    result = exchange(address, options, headers, cookie_line_at, location_given);
    // A 301 without a Location names nowhere to go: its reply is the answer.
    if (!result.ok || !location_given || !is_permanent_redirect(options.reply_headers)) break;
    if (follow_ups == options.limits.max_permanent_follow_ups) {
      result = failed(HttpFailure::too_many_redirects, "too many permanent redirects");
      break;
    }
    // Same path and query at the new place; the Referer stays the first
    // address, and the merged cookie text replaces the one just sent.
    address = options.location + url_path(address);
    options.location.clear();
    headers.resize(cookie_line_at);
  }
  if (options.headers) *options.headers = headers;
  if (result.ok && reply_is_utf8(result.body, options.reply_headers)) result.body = utf8_to_gbk(result.body);
  return result;
}

std::string http_get_text(const std::string& url, const HttpLimits& limits) {
  HttpRequestOptions options;
  options.limits = limits;
  HttpResult result = http_request(url, options);
  if (!result.ok) return {};
  result.body.resize(std::min(result.body.size(), result.body.find('\0')));
  return result.body;
}

std::string http_get_text(const std::string& url) {
  return http_get_text(url, HttpLimits{});
}

}  // namespace plandesk
