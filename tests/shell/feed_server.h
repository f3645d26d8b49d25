#pragma once
// An in-process draw-feed server on 127.0.0.1: "/getsj.asp" answers with the
// reply the test set for its "ssc" value. Replies can be held back to play a
// slow service.

#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "feed/lottery.h"
#include "service/http_test_server.h"

namespace plandesk::testing {

class FeedServer {
 public:
  FeedServer();
  ~FeedServer();
  FeedServer(const FeedServer&) = delete;
  FeedServer& operator=(const FeedServer&) = delete;

  std::string base_url() const;

  // The reply to polls of `lottery` ("" until set).
  void set_reply(LotteryCode lottery, std::string body);
  // Requests (of every lottery, or of one) wait until release(); the
  // server's end releases them too.
  void hold();
  void hold(LotteryCode lottery);
  void release();

  int requests(LotteryCode lottery) const;
  int total_requests() const;
  // Requests that have arrived and wait for release().
  int waiting() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable released_;
  bool held_ = false;
  std::set<std::string> held_lotteries_;
  bool stopping_ = false;
  int waiting_ = 0;
  std::map<std::string, std::string> replies_;
  std::map<std::string, int> counts_;
  HttplibServer server_;  // last: stopped before the state its handlers use goes
};

// The "ssc" value the client sends for a lottery.
std::string ssc_value(LotteryCode lottery);

// A feed reply of `count` draws, newest first, the newest with issue number
// `newest` (cqssc / jxssc: issue "20150301" + three digits). `newest_numbers`
// replaces the newest draw's numbers when given.
std::string feed_reply(LotteryCode lottery, long long newest, int count = 50,
                       const std::string& newest_numbers = {});

// The issue text of number n as feed_reply writes it.
std::string issue_text(LotteryCode lottery, long long n);

}  // namespace plandesk::testing
