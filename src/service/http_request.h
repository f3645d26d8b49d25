#pragma once
// The one general web-access routine through which every service request goes.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace plandesk {

// Bounds that keep a hung or broken service from holding the caller for ever
// or exhausting memory. The defaults are the program's; tests shorten them.
struct HttpLimits {
  // Name lookup plus connecting (and the TLS handshake) give up after this.
  std::chrono::milliseconds connect_timeout{60'000};
  // Once connected, a request gives up when no byte has arrived or left for
  // this long. Checked about once a second.
  std::chrono::milliseconds stall_timeout{30'000};
  // A reply body (or header text) beyond this size is a failure.
  std::size_t max_body_bytes = std::size_t{16} << 20;
  // Redirects followed automatically within one request.
  long max_redirects = 10;
  // "301 Moved" follow-ups in a row; one more and the request fails.
  int max_permanent_follow_ups = 10;
};

// The arguments of http_request after the URL. Every one may be left out, and
// the routine knows whether it was given: a given `cookies` text switches the
// process-wide cookie store off for the request, a given `proxy` routes it.
struct HttpRequestOptions {
  // 1 sends "POST", any other value "GET"; a body is sent unless it is 0.
  std::optional<int> method;
  // Body text, used when `post_bytes` is empty.
  std::optional<std::string> post_text;
  // In/out. Sent as a Cookie header instead of the stored cookies; after the
  // reply it becomes merge_cookies of itself and `received_cookies`.
  std::optional<std::string> cookies;
  // In/out. Extra header lines separated by CRLF, without a trailing CRLF;
  // the default lines are appended to it in place.
  std::optional<std::string> headers;
  // True: a redirect reply is handed back as it is instead of being followed.
  std::optional<bool> no_auto_redirect;
  // In/out. Body bytes; when empty and a body is due, set to `post_text`.
  std::optional<std::string> post_bytes;
  // "host:port" of an HTTP proxy that carries http (not https) requests.
  std::optional<std::string> proxy;
  HttpLimits limits;

  // Outputs of the final reply.
  std::string received_cookies;  // each "name=value" followed by "; "
  std::string location;          // Location value, else the whole reply header text
  std::string reply_headers;     // raw header text, status line first, CRLF lines
};

enum class HttpFailure {
  none,
  bad_url,             // no usable host or port, or bytes that cannot be sent
  connect_timeout,     // name lookup or connecting took too long
  stalled,             // nothing arrived for the stall time-out
  body_too_large,      // the reply was bigger than the limit
  too_many_redirects,  // automatic redirects or 301 follow-ups beyond their limit
  transfer,            // refused, reset, malformed or empty reply, TLS failure, ...
};

struct HttpResult {
  bool ok = false;
  HttpFailure failure = HttpFailure::none;
  std::string error;  // short description of the failure; "" when ok
  std::string body;   // the reply body as GBK bytes; "" when the request failed
};

// Makes one request and reads the whole reply, blocking the calling thread.
// A UTF-8 reply is converted to GBK (characters GBK lacks become "?"). A final
// "HTTP/1.1 301 Moved" reply with a Location is followed by a request for the
// same path and query at that location. Safe to call from several threads.
HttpResult http_request(const std::string& url, HttpRequestOptions& options);

// A plain GET of a complete URL. Returns the reply body as GBK bytes (a UTF-8
// reply is converted), up to its first zero byte; "" when anything failed.
// Blocks the calling thread; safe to call from several threads at once.
std::string http_get_text(const std::string& url);

// The same with other bounds than the program's.
std::string http_get_text(const std::string& url, const HttpLimits& limits);

}  // namespace plandesk
