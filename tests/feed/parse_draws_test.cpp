#include "feed/parse_draws.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plandesk {
namespace {

const std::string pk10_numbers = "01,02,03,04,05,06,07,08,09,10";
const std::string x11x5_numbers = "01,02,03,04,05";

// n records "[" + issue + "-" + numbers + "]", newest first.
std::string records(int n, const std::string& issue_stem, const std::string& numbers) {
  std::string reply;
  for (int i = n; i > 0; --i) reply += "[" + issue_stem + std::to_string(100 + i) + "-" + numbers + "]";
  return reply;
}

std::string repeat(const std::string& text, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += text;
  return out;
}

struct Case {
  const char* name;
  LotteryCode lottery;
  std::string reply;
  int match_count;
  std::vector<DrawRecord> first_draws;  // the leading draws expected
  std::size_t draw_count;
  bool usable;
};

TEST(ParseDraws, Cases) {
  const Case cases[] = {
      {"eleven matches",
       LotteryCode::cqssc,
       records(11, "20150301", "12345"),
       11,
       {{"20150301111", "12345"}, {"20150301110", "12345"}},
       11,
       true},
      {"ten matches",
       LotteryCode::cqssc,
       records(10, "20150301", "12345"),
       10,
       {{"20150301110", "12345"}},
       10,
       false},
      {"blanks around the issue",
       LotteryCode::jxssc,
       "[ 20150301023 -12345][\xA1\xA1"
       "20150301022\xA1\xA1-67890]" +
           records(9, "20150301", "11111"),
       11,
       {{"20150301023", "12345"}, {"20150301022", "67890"}},
       11,
       true},
      {"issue longer than the profile",
       LotteryCode::hsssc,
       records(11, "20150301", "12345"),
       11,
       {},
       0,
       false},
      {"hsssc issue of ten bytes",
       LotteryCode::hsssc,
       records(11, "2015030", "12345"),
       11,
       {{"2015030111", "12345"}},
       11,
       true},
      {"six digits are no match",
       LotteryCode::cqssc,
       "[20150301023-123456]x-123456]-1234]-12345",
       0,
       {{"20150301023", ""}},
       1,
       false},
      {"dash right after the bracket",
       LotteryCode::cqssc,
       "[-5-12345]" + records(10, "20150301", "54321"),
       11,
       {{"-5", "12345"}, {"20150301110", "54321"}},
       11,
       true},
      {"pk10 over-long third issue",
       LotteryCode::pk10,
       "[123456-" + pk10_numbers + "][123455-" + pk10_numbers + "][1234567-" + pk10_numbers + "]" +
           records(10, "123", pk10_numbers),
       13,
       {{"123456", pk10_numbers}, {"123455", pk10_numbers}},
       2,
       true},
      {"pk10 match after a failed start",
       LotteryCode::pk10,
       "[123456-1" + pk10_numbers + "]" + records(10, "123", pk10_numbers),
       11,
       {{"123456", pk10_numbers}},
       11,
       true},
      {"pk10 match after a long failed start",
       LotteryCode::pk10,
       "[123456-01,02,03,04,05,06,07,08,0901,02,03,04,05,06,07,08,09,10]" + records(10, "123", pk10_numbers),
       11,
       {{"123456", pk10_numbers}},
       11,
       true},
      {"pk10 eleventh group is left over",
       LotteryCode::pk10,
       "[123456-" + pk10_numbers + ",11]" + records(10, "123", pk10_numbers),
       11,
       {{"123456", pk10_numbers}, {"123110", pk10_numbers}},
       11,
       true},
      {"pk10 twenty groups are two matches",
       LotteryCode::pk10,
       "[123456-" + pk10_numbers + ",11,12,13,14,15,16,17,18,19,20]" + records(9, "123", pk10_numbers),
       11,
       {{"123456", pk10_numbers}, {"123109", "11,12,13,14,15,16,17,18,19,20"}, {"123108", pk10_numbers}},
       10,
       true},
      {"11x5 numbers found outside records",
       LotteryCode::x11x5,
       records(11, "15030", "") + "01,02,03,04,05,06,07,08,09,10" + repeat(";" + x11x5_numbers, 9),
       11,
       {{"15030111", x11x5_numbers}, {"15030110", "06,07,08,09,10"}, {"15030109", x11x5_numbers}},
       11,
       true},
      {"no issue but enough matches",
       LotteryCode::cqssc,
       "[ -12345]" + records(11, "20150301", "12345"),
       12,
       {},
       0,
       false},
      {"more issues than matches",
       LotteryCode::cqssc,
       records(11, "20150301", "12345") + "[20150301001-x]",
       11,
       {{"20150301111", "12345"}},
       12,
       false},
      {"more matches than issues",
       LotteryCode::cqssc,
       records(11, "20150301", "12345") + "-99999]",
       12,
       {{"20150301111", "12345"}},
       11,
       true},
      {"empty reply", LotteryCode::pk10, "", 0, {}, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const PollResult result = parse_draws(c.reply, c.lottery);
    EXPECT_EQ(result.match_count, c.match_count);
    ASSERT_EQ(result.draws.size(), c.draw_count);
    for (std::size_t i = 0; i < c.first_draws.size(); ++i) {
      EXPECT_EQ(result.draws[i].issue, c.first_draws[i].issue) << i;
      EXPECT_EQ(result.draws[i].numbers, c.first_draws[i].numbers) << i;
    }
    EXPECT_EQ(result.usable(), c.usable);
  }
}

TEST(ParseDraws, IssueTextsComeOutAsUtf8) {
  const PollResult result = parse_draws(
      "[\xB5\xDA"
      "1\xC6\xDA-12345]",
      LotteryCode::cqssc);
  ASSERT_EQ(result.draws.size(), 1u);
  EXPECT_EQ(result.draws[0].issue, "第1期");
}

// Every cut-off reply parses without reading past its end (the buffer is
// exactly as long as the text, so a sanitiser build sees any overrun), and a
// longer cut never has fewer matches.
TEST(ParseDraws, CutOffRepliesStayInBounds) {
  for (const auto lottery : all_lotteries) {
    SCOPED_TRACE(std::string(lottery_text(lottery)));
    const std::string numbers = lottery == LotteryCode::pk10    ? pk10_numbers
                                : lottery == LotteryCode::x11x5 ? x11x5_numbers
                                                                : "12345";
    const std::string reply = records(3, "15 \xA1\xA1", numbers) + "[\xD6\xD0" + numbers;
    int previous = 0;
    for (std::size_t size = 0; size <= reply.size(); ++size) {
      const std::vector<char> buffer(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(size));
      const PollResult result = parse_draws(std::string_view(buffer.data(), buffer.size()), lottery);
      EXPECT_GE(result.match_count, previous) << size;
      EXPECT_LE(result.match_count, 4) << size;
      previous = result.match_count;
    }
    EXPECT_EQ(previous, is_five_digit(lottery) ? 3 : 4);  // the pairs need no closing "]"
  }
}

}  // namespace
}  // namespace plandesk
