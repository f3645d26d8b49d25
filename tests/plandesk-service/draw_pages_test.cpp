// The draw histories: record forms per lottery, order, size, the daily issue
// rollover, the control requests and the seeded generator.

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "plandesk-service/draw_board.h"
#include "stand_in_fixture.h"

namespace plandesk::stand_in::testing {
namespace {

struct Record {
  std::string issue;
  std::string numbers;
};

// Splits a draw-history reply into records; the reply must be nothing but
// records.
std::vector<Record> records_of(const std::string& reply) {
  static const std::regex record(R"(\[([0-9]+)-([0-9,]+)\])");
  std::vector<Record> records;
  std::size_t consumed = 0;
  for (auto it = std::sregex_iterator(reply.begin(), reply.end(), record); it != std::sregex_iterator();
       ++it) {
    EXPECT_EQ(static_cast<std::size_t>(it->position()), consumed) << "text between records in " << reply;
    consumed = static_cast<std::size_t>(it->position() + it->length());
    records.push_back({(*it)[1].str(), (*it)[2].str()});
  }
  EXPECT_EQ(consumed, reply.size()) << reply;
  return records;
}

std::string history(const RunningStandIn& server, std::string_view ssc, std::string_view topnum = "50") {
  return server.page(
      "/getsj.asp",
      {{"username", "demo"}, {"password", "demo123"}, {"softid", "1"}, {"ssc", ssc}, {"topnum", topnum}});
}

std::string history_without_topnum(const RunningStandIn& server, std::string_view ssc) {
  return server.page("/getsj.asp",
                     {{"username", "demo"}, {"password", "demo123"}, {"softid", "1"}, {"ssc", ssc}});
}

std::set<std::string> distinct_groups(const std::string& numbers) {
  std::set<std::string> groups;
  for (std::size_t i = 0; i < numbers.size(); i += 3) groups.insert(numbers.substr(i, 2));
  return groups;
}

TEST(DrawPages, EveryLotteryServesItsRecordsNewestFirst) {
  RunningStandIn server;
  struct Case {
    std::string_view ssc;
    std::string issue_pattern;
    std::string numbers_pattern;
    std::string newest_issue;  // the 60th draw from the start day 2015-03-01
    std::size_t distinct;      // distinct two-digit numbers, 0 for digits
    int largest;
  } cases[] = {
      {"cqssc", R"(20150301\d{3})", R"(\d{5})", "20150301060", 0, 9},
      {"jxssc", R"(20150301\d{3})", R"(\d{5})", "20150301060", 0, 9},
      {"hsssc", R"(\d{10})", R"(\d{5})", "1000000060", 0, 9},
      {"pk10", R"(\d{6})", R"((\d\d,){9}\d\d)", "100060", 10, 10},
      {"sd11x5", R"(\d{8})", R"((\d\d,){4}\d\d)", "10000060", 5, 11},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.ssc));
    const auto records = records_of(history(server, c.ssc));
    ASSERT_EQ(records.size(), 50u);
    EXPECT_EQ(records.front().issue, c.newest_issue);
    for (std::size_t i = 0; i < records.size(); ++i) {
      const Record& r = records[i];
      EXPECT_TRUE(std::regex_match(r.issue, std::regex(c.issue_pattern))) << r.issue;
      EXPECT_TRUE(std::regex_match(r.numbers, std::regex(c.numbers_pattern))) << r.numbers;
      // Consecutive issues, newest first.
      if (i > 0) {
        EXPECT_EQ(std::stoll(records[i - 1].issue), std::stoll(r.issue) + 1);
      }
      if (c.distinct > 0) {
        const auto groups = distinct_groups(r.numbers);
        EXPECT_EQ(groups.size(), c.distinct) << r.numbers;
        EXPECT_GE(*groups.begin(), "01") << r.numbers;
        EXPECT_LE(std::stoi(*groups.rbegin()), c.largest) << r.numbers;
      }
    }
  }
  // Digits are spread, not stuck: all ten appear in 50 cqssc draws.
  std::set<char> digits;
  for (const auto& r : records_of(history(server, "cqssc")))
    digits.insert(r.numbers.begin(), r.numbers.end());
  EXPECT_EQ(digits.size(), 10u);
}

TEST(DrawPages, TopnumChoosesHowManyRecordsUpToACap) {
  ServerSettings settings = test_settings({});
  settings.initial_draws = 250;
  RunningStandIn server(settings);
  struct Case {
    std::string_view topnum;
    std::size_t records;
  } cases[] = {
      {"1", 1},     {"3", 3},     {"50", 50},   {"120", 120},
      {"200", 200}, {"201", 200}, {"500", 200}, {"99999999999999999999999", 200},
      {"0", 50},    {"", 50},     {"abc", 50},  {"-5", 50},
      {"12x", 50},
  };
  for (const auto& c : cases)
    EXPECT_EQ(records_of(history(server, "pk10", c.topnum)).size(), c.records) << "topnum=" << c.topnum;
  EXPECT_EQ(records_of(history_without_topnum(server, "pk10")).size(), 50u);
}

TEST(DrawPages, UnknownLotteryCodeIsRefusedWithoutRecords) {
  RunningStandIn server;
  // "11x5" is the client's own name; the request code is "sd11x5".
  for (const std::string_view ssc : {"11x5", "CQSSC", "", "xyz"}) {
    const std::string reply = history(server, ssc);
    EXPECT_EQ(reply.find('['), std::string::npos) << ssc << ": " << reply;
    EXPECT_NE(reply.find("彩种不存在"), std::string::npos) << ssc << ": " << reply;
  }
}

TEST(DrawControl, DrawAddsTheNextIssuesAndAnswersTheNewest) {
  RunningStandIn server;
  const auto newest = [&](std::string_view ssc) { return records_of(history(server, ssc, "1")).at(0); };

  // 60 draws at start; 60 more end the first day at issue 120.
  const auto last_of_day = records_of(server.get("/control/draw?ssc=cqssc&count=60").text());
  ASSERT_EQ(last_of_day.size(), 1u);
  EXPECT_EQ(last_of_day[0].issue, "20150301120");
  EXPECT_EQ(newest("cqssc").issue, "20150301120");
  EXPECT_EQ(newest("cqssc").numbers, last_of_day[0].numbers);
  EXPECT_EQ(records_of(server.get("/control/draw?ssc=cqssc").text()).at(0).issue, "20150302001");
  EXPECT_EQ(records_of(server.get("/control/draw?ssc=cqssc").text()).at(0).issue, "20150302002");

  // The other lotteries are untouched.
  EXPECT_EQ(newest("jxssc").issue, "20150301060");
  EXPECT_EQ(records_of(server.get("/control/draw?ssc=pk10&count=2").text()).at(0).issue, "100062");
  EXPECT_EQ(newest("pk10").issue, "100062");
}

TEST(DrawControl, SetForcesADrawAndLaterIssuesFollowIt) {
  RunningStandIn server;
  struct Case {
    std::string_view ssc, issue, numbers, next_issue;
  } cases[] = {
      {"cqssc", "20150228120", "12345", "20150301001"},  // month end
      {"jxssc", "20151231120", "00000", "20160101001"},  // year end
      {"cqssc", "20160228120", "99999", "20160229001"},  // leap day
      {"jxssc", "20150301041", "54321", "20150301042"},
      {"hsssc", "1234567890", "67890", "1234567891"},
      {"hsssc", "2147483647", "11111", "1000000001"},  // stays below 2^31
      {"pk10", "654321", "10,09,08,07,06,05,04,03,02,01", "654322"},
      {"pk10", "999999", "01,02,03,04,05,06,07,08,09,10", "100001"},  // stays six digits
      {"sd11x5", "12345678", "11,01,05,03,07", "12345679"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.ssc) + " " + std::string(c.issue));
    const std::string set =
        "/control/set?" + gbk_query({{"ssc", c.ssc}, {"issue", c.issue}, {"numbers", c.numbers}});
    const HttpReply reply = server.get(set);
    ASSERT_EQ(reply.status, 200) << reply.text();
    EXPECT_EQ(reply.text(), "[" + std::string(c.issue) + "-" + std::string(c.numbers) + "]");
    const auto shown = records_of(history(server, c.ssc, "1"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].issue, c.issue);
    EXPECT_EQ(shown[0].numbers, c.numbers);
    EXPECT_EQ(records_of(server.get("/control/draw?ssc=" + std::string(c.ssc)).text()).at(0).issue,
              c.next_issue);
  }
}

TEST(DrawControl, MalformedControlRequestsAreRefused) {
  RunningStandIn server;
  const std::string before = history(server, "pk10");
  for (const std::string target : {
           "/control/draw",
           "/control/draw?ssc=11x5",
           "/control/draw?ssc=pk10&count=0",
           "/control/draw?ssc=pk10&count=1001",
           "/control/draw?ssc=pk10&count=x",
           "/control/draw?ssc=pk10&count=",
           "/control/set?ssc=pk10&issue=100100",
           "/control/set?ssc=pk10&numbers=01,02,03,04,05,06,07,08,09,10",
           "/control/set?ssc=pk10&issue=1001&numbers=01,02,03,04,05,06,07,08,09,10",
           "/control/set?ssc=pk10&issue=100100&numbers=01,02,03,04,05,06,07,08,09",
           "/control/set?ssc=pk10&issue=100100&numbers=01,01,03,04,05,06,07,08,09,10",
           "/control/set?ssc=pk10&issue=100100&numbers=01,02,03,04,05,06,07,08,09,11",
           "/control/set?ssc=sd11x5&issue=10000100&numbers=01,02,03,04,12",
           "/control/set?ssc=sd11x5&issue=10000100&numbers=01;02;03;04;05",
           "/control/set?ssc=cqssc&issue=20150301121&numbers=12345",
           "/control/set?ssc=cqssc&issue=20150230001&numbers=12345",
           "/control/set?ssc=cqssc&issue=20150301000&numbers=12345",
           "/control/set?ssc=cqssc&issue=20150301001&numbers=1234",
           "/control/set?ssc=cqssc&issue=20150301001&numbers=123456",
           "/control/set?ssc=hsssc&issue=2147483648&numbers=12345",
           "/control/set?ssc=hsssc&issue=999999999&numbers=12345",
       }) {
    const HttpReply reply = server.get(target);
    EXPECT_EQ(reply.status, 400) << target << ": " << reply.text();
    EXPECT_EQ(reply.text().rfind("bad request: ", 0), 0u) << target << ": " << reply.text();
  }
  EXPECT_EQ(history(server, "pk10"), before);
  EXPECT_EQ(server.get("/control/health").text(), "ok");
}

TEST(DrawGenerator, TheSameSeedGivesTheSameHistories) {
  const auto run = [](std::uint64_t seed) {
    ServerSettings settings = test_settings({});
    settings.seed = seed;
    RunningStandIn server(settings);
    std::string all;
    for (const std::string_view ssc : {"cqssc", "jxssc", "hsssc", "pk10", "sd11x5"}) {
      server.get("/control/draw?ssc=" + std::string(ssc) + "&count=3");
      all += history(server, ssc, "200") + "\n";
    }
    return all;
  };
  const std::string first = run(7);
  EXPECT_EQ(run(7), first);
  EXPECT_NE(run(8), first);
}

TEST(DrawGenerator, LotteriesOfTheSameFormDrawDifferentNumbers) {
  RunningStandIn server;
  const auto cqssc = records_of(history(server, "cqssc"));
  const auto jxssc = records_of(history(server, "jxssc"));
  ASSERT_EQ(cqssc.size(), jxssc.size());
  std::size_t same = 0;
  for (std::size_t i = 0; i < cqssc.size(); ++i)
    if (cqssc[i].numbers == jxssc[i].numbers) ++same;
  EXPECT_LT(same, 3u);
}

TEST(DrawGenerator, TheOrderOfDrawsAcrossLotteriesDoesNotChangeThem) {
  DrawBoard one(
      5, std::chrono::year_month_day{std::chrono::year{2015}, std::chrono::March, std::chrono::day{1}}, 0);
  DrawBoard two(
      5, std::chrono::year_month_day{std::chrono::year{2015}, std::chrono::March, std::chrono::day{1}}, 0);
  for (int i = 0; i < 5; ++i) one.draw_next(Game::cqssc);
  for (int i = 0; i < 5; ++i) one.draw_next(Game::pk10);
  for (int i = 0; i < 5; ++i) {
    two.draw_next(Game::pk10);
    two.draw_next(Game::cqssc);
  }
  for (const Game game : {Game::cqssc, Game::pk10}) {
    const auto a = one.newest(game, 5);
    const auto b = two.newest(game, 5);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(record_text(a[i]), record_text(b[i]));
  }
}

TEST(DrawTimer, AddsADrawOfEveryLotteryEachInterval) {
  ServerSettings settings = test_settings({});
  settings.manual_draws = false;
  settings.draw_interval = std::chrono::seconds{1};
  RunningStandIn server(settings);
  // Wait for the first timed draw; the guard only keeps a broken timer from
  // hanging the suite.
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds{20};
  while (records_of(history(server, "sd11x5", "1")).at(0).issue == "10000060" &&
         std::chrono::steady_clock::now() < give_up)
    std::this_thread::sleep_for(std::chrono::milliseconds{50});
  EXPECT_GE(std::stoll(records_of(history(server, "sd11x5", "1")).at(0).issue), 10000061);
  EXPECT_GE(records_of(history(server, "cqssc", "1")).at(0).issue, "20150301061");
  EXPECT_GE(std::stoll(records_of(history(server, "pk10", "1")).at(0).issue), 100061);
}

}  // namespace
}  // namespace plandesk::stand_in::testing
