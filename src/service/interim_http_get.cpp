// Stop-gap GET for building and testing the endpoints before the real HTTP
// routine lands; removed when it does.
#include <curl/curl.h>

#include "service/http_request.h"

namespace plandesk {
namespace {

std::size_t append_body(char* data, std::size_t size, std::size_t count, void* out) {
  static_cast<std::string*>(out)->append(data, size * count);
  return size * count;
}

}  // namespace

std::string http_get_text(const std::string& url) {
  CURL* curl = curl_easy_init();
  if (curl == nullptr) return {};
  std::string body;
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, append_body);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  const CURLcode rc = curl_easy_perform(curl);
  curl_easy_cleanup(curl);
  if (rc != CURLE_OK) return {};
  return body.substr(0, body.find('\0'));
}

}  // namespace plandesk
