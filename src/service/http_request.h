#pragma once
// The one general web-access routine through which every service request goes.

#include <string>

namespace plandesk {

// A plain GET of a complete URL. Returns the reply body as GBK bytes (a UTF-8
// reply is converted), up to its first zero byte; "" when anything failed.
// Blocks the calling thread; safe to call from several threads at once.
std::string http_get_text(const std::string& url);

}  // namespace plandesk
