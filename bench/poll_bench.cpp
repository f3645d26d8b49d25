// Parsing a 50-draw feed reply of each lottery, next to the floor: a
// hand-written scan that only locates the issue and numbers of each record
// in the same reply, allocating nothing.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "feed/lottery.h"
#include "feed/parse_draws.h"

namespace plandesk {
namespace {

std::string two_digits(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

// 50 records "[" + issue + "-" + numbers + "]", newest first.
std::string feed_reply(LotteryCode lottery) {
  std::string reply;
  for (int i = 50; i > 0; --i) {
    std::string issue, numbers;
    switch (lottery) {
      case LotteryCode::cqssc:
      case LotteryCode::jxssc:
        issue = "20150301" + std::to_string(100 + i);
        numbers = std::to_string(10000 + i * 1783 % 90000);
        break;
      case LotteryCode::hsssc:
        issue = "2015030" + std::to_string(100 + i);
        numbers = std::to_string(10000 + i * 1783 % 90000);
        break;
      case LotteryCode::pk10:
        issue = std::to_string(523400 + i);
        for (int k = 1; k <= 10; ++k) numbers += (k > 1 ? "," : "") + two_digits((i + k) % 10 + 1);
        break;
      case LotteryCode::x11x5:
        issue = std::to_string(15030100 + i);
        for (int k = 1; k <= 5; ++k) numbers += (k > 1 ? "," : "") + two_digits((i + k) % 11 + 1);
        break;
    }
    reply += "[" + issue + "-" + numbers + "]";
  }
  return reply;
}

std::size_t numbers_length(LotteryCode lottery) {
  switch (lottery) {
    case LotteryCode::pk10:
      return 29;
    case LotteryCode::x11x5:
      return 14;
    default:
      return 5;
  }
}

using Views = std::array<std::pair<std::string_view, std::string_view>, 64>;

// The least any parser must do: find each "[" and "-" and take the numbers.
std::size_t floor_scan(std::string_view reply, std::size_t numbers_size, Views& out) {
  std::size_t count = 0;
  const char* const data = reply.data();
  std::size_t i = 0;
  while (count < out.size()) {
    const void* open = std::memchr(data + i, '[', reply.size() - i);
    if (open == nullptr) break;
    const auto p = static_cast<std::size_t>(static_cast<const char*>(open) - data);
    const void* dash = std::memchr(data + p + 1, '-', reply.size() - p - 1);
    if (dash == nullptr) break;
    const auto d = static_cast<std::size_t>(static_cast<const char*>(dash) - data);
    if (reply.size() - d - 1 < numbers_size) break;
    out[count++] = {reply.substr(p + 1, d - p - 1), reply.substr(d + 1, numbers_size)};
    i = d + 1 + numbers_size;
  }
  return count;
}

// The floor scan, then the same result parse_draws hands out: the strings
// and the vector any caller of the feed receives.
PollResult floor_scan_result(std::string_view reply, std::size_t numbers_size) {
  Views views;
  const std::size_t count = floor_scan(reply, numbers_size, views);
  PollResult result;
  result.match_count = static_cast<int>(count);
  result.draws.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    result.draws.push_back({std::string(views[i].first), std::string(views[i].second)});
  return result;
}

LotteryCode lottery_of(const benchmark::State& state) {
  return all_lotteries[static_cast<std::size_t>(state.range(0))];
}

void BM_ParseDraws(benchmark::State& state) {
  const LotteryCode lottery = lottery_of(state);
  const std::string reply = feed_reply(lottery);
  if (!parse_draws(reply, lottery).usable()) state.SkipWithError("reply not usable");
  for (auto _ : state) {
    PollResult result = parse_draws(reply, lottery);
    benchmark::DoNotOptimize(result);
  }
  state.SetLabel(std::string(lottery_text(lottery)));
}

void BM_FloorScan(benchmark::State& state) {
  const LotteryCode lottery = lottery_of(state);
  const std::string reply = feed_reply(lottery);
  Views views;
  if (floor_scan(reply, numbers_length(lottery), views) != 50) state.SkipWithError("floor scan miscounts");
  for (auto _ : state) {
    benchmark::DoNotOptimize(floor_scan(reply, numbers_length(lottery), views));
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::string(lottery_text(lottery)));
}

void BM_FloorScanResult(benchmark::State& state) {
  const LotteryCode lottery = lottery_of(state);
  const std::string reply = feed_reply(lottery);
  for (auto _ : state) {
    PollResult result = floor_scan_result(reply, numbers_length(lottery));
    benchmark::DoNotOptimize(result);
  }
  state.SetLabel(std::string(lottery_text(lottery)));
}

BENCHMARK(BM_ParseDraws)->DenseRange(0, 4);
BENCHMARK(BM_FloorScanResult)->DenseRange(0, 4);
BENCHMARK(BM_FloorScan)->DenseRange(0, 4);

}  // namespace
}  // namespace plandesk

BENCHMARK_MAIN();
