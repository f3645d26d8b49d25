#pragma once
// The header rules of the request routine: the agent text, the default
// request headers, and what is read from the raw header text of a reply.

#include <cstddef>
#include <string>
#include <string_view>

namespace plandesk {

// The agent sent when the caller's header text names none.
inline constexpr std::string_view kDefaultHttpAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; VQ3ZN; .NET CLR 2.0.50727; .NET CLR 3.0.04506.648; "
    ".NET CLR 3.5.21022)";

// The agent text for a request with these extra header lines: the value of a
// "User-Agent:" line (name found without regard to case), else the default.
// A value that runs to the end of the text without CRLF is taken from after
// the text's first ":". Line breaks never reach the agent.
std::string http_agent_text(std::string_view headers);

// Completes the caller's header lines (CRLF-separated, no trailing CRLF) in
// place: Referer (the URL), Accept, Accept-Language and Content-Type, each
// added only when no line of that name is present (case-sensitive), then a
// Cookie line when `cookies` is not empty. Returns the length the text had
// before the Cookie line, so a follow-up request can send a fresh one instead.
std::size_t complete_request_headers(std::string& headers, std::string_view url, std::string_view cookies);

// Reads the raw reply header text line by line: a line holding "Location:"
// sets `location` to its trimmed value (the last such line wins); each line
// holding "Set-Cookie" adds its "name=value" and "; " to `received_cookies`.
// Both outputs are emptied first.
void scan_reply_headers(std::string_view reply_headers, std::string& location, std::string& received_cookies);

// True for a reply whose status line reads "HTTP/1.1 301 Moved ...".
bool is_permanent_redirect(std::string_view reply_headers);

// True when the reply says it is UTF-8: "charset=utf-8" (exact bytes) starts
// within the first 499 bytes of the body, or appears in the header text.
bool reply_is_utf8(std::string_view body, std::string_view reply_headers);

}  // namespace plandesk
