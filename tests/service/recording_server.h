#pragma once
// A loopback cpp-httplib server that answers every GET with a canned GBK body
// per path and remembers what it was asked.

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "service/http_test_server.h"

namespace plandesk::testing {

class RecordingServer {
 public:
  struct Request {
    std::string path;
    std::string target;      // path and query exactly as they arrived
    httplib::Params params;  // decoded query values: raw GBK bytes
  };

  RecordingServer()
      : server_([this](httplib::Server& server) {
          server.Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
            std::lock_guard lock(mutex_);
            requests_.push_back({req.path, req.target, req.params});
            const auto it = replies_.find(req.path);
            res.set_content(it == replies_.end() ? std::string() : it->second, "text/plain; charset=gbk");
          });
        }) {}

  std::string base_url() const { return server_.url(); }

  void reply(const std::string& path, std::string gbk_body) {
    std::lock_guard lock(mutex_);
    replies_[path] = std::move(gbk_body);
  }

  std::vector<Request> requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  mutable std::mutex mutex_;
  std::map<std::string, std::string> replies_;
  std::vector<Request> requests_;
  HttplibServer server_;  // last: stops before the records go
};

}  // namespace plandesk::testing
