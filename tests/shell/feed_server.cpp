#include "shell/feed_server.h"

#include <cstdio>

namespace plandesk::testing {

FeedServer::FeedServer()
    : server_([this](httplib::Server& server) {
        server.Get("/getsj.asp", [this](const httplib::Request& request, httplib::Response& response) {
          const auto ssc = request.get_param_value("ssc");
          std::unique_lock lock(mutex_);
          ++counts_[ssc];
          ++waiting_;
          released_.wait(lock, [&] { return (!held_ && !held_lotteries_.count(ssc)) || stopping_; });
          --waiting_;
          const auto found = replies_.find(ssc);
          response.set_content(found == replies_.end() ? std::string() : found->second, "text/html");
        });
      }) {}

FeedServer::~FeedServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  released_.notify_all();
}

std::string FeedServer::base_url() const {
  return server_.url();
}

void FeedServer::set_reply(LotteryCode lottery, std::string body) {
  std::lock_guard lock(mutex_);
  replies_[ssc_value(lottery)] = std::move(body);
}

void FeedServer::hold() {
  std::lock_guard lock(mutex_);
  held_ = true;
}

void FeedServer::hold(LotteryCode lottery) {
  std::lock_guard lock(mutex_);
  held_lotteries_.insert(ssc_value(lottery));
}

void FeedServer::release() {
  {
    std::lock_guard lock(mutex_);
    held_ = false;
    held_lotteries_.clear();
  }
  released_.notify_all();
}

int FeedServer::requests(LotteryCode lottery) const {
  std::lock_guard lock(mutex_);
  const auto found = counts_.find(ssc_value(lottery));
  return found == counts_.end() ? 0 : found->second;
}

int FeedServer::total_requests() const {
  std::lock_guard lock(mutex_);
  int total = 0;
  for (const auto& [ssc, count] : counts_) total += count;
  return total;
}

int FeedServer::waiting() const {
  std::lock_guard lock(mutex_);
  return waiting_;
}

std::string ssc_value(LotteryCode lottery) {
  return lottery == LotteryCode::x11x5 ? "sd11x5" : std::string(lottery_text(lottery));
}

std::string issue_text(LotteryCode lottery, long long n) {
  if (lottery == LotteryCode::cqssc || lottery == LotteryCode::jxssc) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "20150301%03lld", n);
    return buffer;
  }
  return std::to_string(n);
}

namespace {

std::string two_digits(long long n) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02lld", n);
  return buffer;
}

// Numbers that change from issue to issue, in the lottery's form.
std::string numbers_of(LotteryCode lottery, long long n) {
  if (is_five_digit(lottery)) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%05lld", (n * 7919) % 100000);
    return buffer;
  }
  const long long size = lottery == LotteryCode::pk10 ? 10 : 11;
  const int taken = lottery == LotteryCode::pk10 ? 10 : 5;
  std::string numbers;
  for (int i = 0; i < taken; ++i) {
    if (i) numbers += ",";
    numbers += two_digits((n + i * 3) % size + 1);
  }
  return numbers;
}

}  // namespace

std::string feed_reply(LotteryCode lottery, long long newest, int count, const std::string& newest_numbers) {
  std::string reply;
  for (int i = 0; i < count; ++i) {
    const auto n = newest - i;
    const auto numbers = i == 0 && !newest_numbers.empty() ? newest_numbers : numbers_of(lottery, n);
    reply += "[" + issue_text(lottery, n) + "-" + numbers + "]";
  }
  return reply;
}

}  // namespace plandesk::testing
