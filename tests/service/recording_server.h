#pragma once
// An in-process HTTP server on 127.0.0.1 and a free port that answers every
// GET with a canned GBK body per path and remembers what it was asked.

#include <httplib.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace plandesk::testing {

class RecordingServer {
 public:
  struct Request {
    std::string path;
    std::string target;      // path and query exactly as they arrived
    httplib::Params params;  // decoded query values: raw GBK bytes
  };

  RecordingServer() {
    server_.Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
      std::string body;
      {
        std::lock_guard lock(mutex_);
        requests_.push_back({req.path, req.target, req.params});
        const auto it = replies_.find(req.path);
        if (it != replies_.end()) body = it->second;
      }
      res.set_content(body, "text/plain; charset=gbk");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] {
      server_.listen_after_bind();
      finished_ = true;
    });
  }

  ~RecordingServer() {
    // stop() only takes effect once the accept loop runs.
    while (port_ > 0 && !server_.is_running() && !finished_) std::this_thread::yield();
    server_.stop();
    thread_.join();
  }

  RecordingServer(const RecordingServer&) = delete;
  RecordingServer& operator=(const RecordingServer&) = delete;

  bool bound() const { return port_ > 0; }
  std::string base_url() const { return "http://127.0.0.1:" + std::to_string(port_); }

  void reply(const std::string& path, std::string gbk_body) {
    std::lock_guard lock(mutex_);
    replies_[path] = std::move(gbk_body);
  }

  std::vector<Request> requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  httplib::Server server_;
  int port_ = -1;
  std::thread thread_;
  std::atomic<bool> finished_ = false;
  mutable std::mutex mutex_;
  std::map<std::string, std::string> replies_;
  std::vector<Request> requests_;
};

}  // namespace plandesk::testing
