#pragma once
// What libcurl holds for the whole process: its global set-up and the cookie
// store that every request shares unless it brings its own cookie text.

#include <curl/curl.h>

namespace plandesk {

// Sets libcurl up on first use (thread-safe) and returns the shared cookie
// store, guarded by locks so that requests on several threads may use it.
CURLSH* http_shared_cookie_store();

}  // namespace plandesk
