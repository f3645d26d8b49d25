#include "service/http_curl_global.h"

#include <array>
#include <mutex>

namespace plandesk {
namespace {

class SharedCookieStore {
 public:
  SharedCookieStore() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    share_ = curl_share_init();
    curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &SharedCookieStore::lock);
    curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &SharedCookieStore::unlock);
    curl_share_setopt(share_, CURLSHOPT_USERDATA, this);
    curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
  }
  SharedCookieStore(const SharedCookieStore&) = delete;
  SharedCookieStore& operator=(const SharedCookieStore&) = delete;

  CURLSH* handle() const { return share_; }

 private:
  static std::mutex& mutex_for(curl_lock_data data, void* self) {
    auto& mutexes = static_cast<SharedCookieStore*>(self)->mutexes_;
    const auto index = static_cast<std::size_t>(data);
    return mutexes[index < mutexes.size() ? index : 0];
  }
  static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self) { mutex_for(data, self).lock(); }
  static void unlock(CURL*, curl_lock_data data, void* self) { mutex_for(data, self).unlock(); }

  CURLSH* share_ = nullptr;
  std::array<std::mutex, CURL_LOCK_DATA_LAST> mutexes_;
};

}  // namespace

CURLSH* http_shared_cookie_store() {
  // Never destroyed: a worker thread that is never joined may still be inside
  // a request while the process exits, and must not find the store gone.
  static SharedCookieStore* const store = new SharedCookieStore();
  return store->handle();
}

}  // namespace plandesk
