#pragma once
// Keeping a caller's own cookie text up to date with the cookies a reply set.

#include <string>
#include <string_view>

namespace plandesk {

// The cookie text after a reply: every received cookie, then every old cookie
// whose name no received cookie carries, without the ones the reply deleted
// (value "deleted") and without exact repeats, joined by "; ". Spaces are
// removed from both texts first; `received_cookies` is left in that form too
// ("b=3; a=deleted; " becomes "b=3;a=deleted;"). Empty items are dropped.
// Example: "a=1; b=2" with "b=3; a=deleted; " gives "b=3".
std::string merge_cookies(std::string_view cookies, std::string& received_cookies);

}  // namespace plandesk
