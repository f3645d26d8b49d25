#pragma once
// Taking a service URL apart, and the marker search the request routine reads
// replies with. Texts are GBK bytes; searches compare ASCII letters without
// regard to case and leave every other byte as it is.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plandesk {

// Position of `what` in `text` at or after `from`, ASCII letters compared
// without regard to case; npos when absent.
std::size_t find_ignoring_case(std::string_view text, std::string_view what, std::size_t from = 0);

// The bytes between the first `left` marker and the first `right` marker after
// it, both found without regard to case; "" when either is missing. The marker
// text "#引号" (in GBK) stands for a double quote, which is awkward to write
// inside a marker.
std::string text_between(std::string_view text, std::string_view left, std::string_view right);

// The host named by the URL, lower-cased; a URL without "http://" or
// "https://" in front is taken as http. The port stays attached
// ("host:8080") when `keep_port` is on.
std::string url_host(std::string_view url, bool keep_port = false);

// The port named by the URL: the number after the last ":" of the host part,
// else 443 for an https URL and 80 for any other. A port text that is no
// number reads as 0; the value is not range-checked here.
std::int64_t url_port(std::string_view url);

// Path and query of the URL exactly as the caller wrote them (case and bytes
// kept), starting at the first "/" after the host; "/" when there is none.
std::string url_path(std::string_view url);

}  // namespace plandesk
