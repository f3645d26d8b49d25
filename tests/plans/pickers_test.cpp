#include "plans/pickers.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

namespace plandesk {
namespace {

// The candidates of a picker's result, checked for their width and
// separators; empty optional when the text is malformed.
std::optional<std::vector<std::string>> entries(const std::string& text, std::size_t width, char separator,
                                                bool trailing) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text.size() - i < width) return std::nullopt;
    const std::string entry = text.substr(i, width);
    for (const char c : entry)
      if (c < '0' || c > '9') return std::nullopt;
    out.push_back(entry);
    i += width;
    if (separator == 0) continue;
    if (i == text.size()) {
      if (trailing) return std::nullopt;
      break;
    }
    if (text[i] != separator) return std::nullopt;
    ++i;
    if (!trailing && i == text.size()) return std::nullopt;
  }
  return out;
}

struct Shape {
  const char* name;
  std::function<std::string(std::int64_t)> pick;
  int total;
  std::size_t width;
  char separator;  // 0: none
  bool trailing;   // a separator after the last entry too
  int first;       // value of the first candidate
};

std::vector<Shape> shapes() {
  return {
      {"digits", pick_digits, 10, 1, 0, false, 0},
      {"pairs", pick_pairs, 100, 2, ' ', true, 0},
      {"triples", pick_triples, 1000, 3, ' ', true, 0},
      {"numbers_of_eleven", [](std::int64_t c) { return pick_numbers(c, 11); }, 11, 2, ',', false, 1},
      {"numbers_of_ten", [](std::int64_t c) { return pick_numbers(c, 10); }, 10, 2, ',', false, 1},
  };
}

class PickerShapeTest : public ::testing::TestWithParam<Shape> {};

TEST_P(PickerShapeTest, KeepsCountDistinctAscendingCandidates) {
  const Shape& s = GetParam();
  for (const std::int64_t count :
       {std::int64_t{1}, std::int64_t{2}, std::int64_t{s.total / 2}, std::int64_t{s.total - 1}}) {
    for (int round = 0; round < 20; ++round) {
      const std::string text = s.pick(count);
      const auto parsed = entries(text, s.width, s.separator, s.trailing);
      ASSERT_TRUE(parsed) << s.name << " " << count << ": \"" << text << "\"";
      ASSERT_EQ(parsed->size(), static_cast<std::size_t>(count)) << text;
      for (std::size_t i = 0; i < parsed->size(); ++i) {
        const int value = std::stoi((*parsed)[i]);
        EXPECT_GE(value, s.first);
        EXPECT_LT(value, s.first + s.total);
        if (i > 0) {
          EXPECT_LT(std::stoi((*parsed)[i - 1]), value) << text;
        }
      }
    }
  }
}

TEST_P(PickerShapeTest, ZeroKeepsNothingAndTheWholeListKeepsEverythingInOrder) {
  const Shape& s = GetParam();
  std::string all;
  for (int v = s.first; v < s.first + s.total; ++v) {
    std::string entry = std::to_string(v);
    entry.insert(0, s.width - entry.size(), '0');
    if (!all.empty() && s.separator && !s.trailing) all += s.separator;
    all += entry;
    if (s.trailing) all += s.separator;
  }
  const std::pair<std::int64_t, std::string> cases[] = {
      {0, ""}, {-1, ""}, {-1000000, ""}, {s.total, all}, {s.total + 1, all}, {1000000, all},
  };
  for (const auto& [count, expected] : cases) EXPECT_EQ(s.pick(count), expected) << s.name << " " << count;
}

INSTANTIATE_TEST_SUITE_P(Pickers, PickerShapeTest, ::testing::ValuesIn(shapes()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Pickers, ShapesOfSmallCounts) {
  EXPECT_EQ(pick_pairs(1).size(), 3u);
  EXPECT_EQ(pick_triples(1).size(), 4u);
  EXPECT_EQ(pick_pairs(100).size(), 300u);
  EXPECT_EQ(pick_numbers(11, 11), "01,02,03,04,05,06,07,08,09,10,11");
  EXPECT_EQ(pick_numbers(10, 10), "01,02,03,04,05,06,07,08,09,10");
  EXPECT_EQ(pick_numbers(5, 11).size(), 14u);
  EXPECT_EQ(pick_numbers(7, 10).size(), 20u);
  EXPECT_EQ(pick_numbers(3, 0), "");
  EXPECT_EQ(pick_numbers(20, 40), "01,02,03,04,05,06,07,08,09,10,11");  // at most eleven candidates
}

// Every set of `count` candidates can come out: over enough draws every one
// appears (the chance that one is missing is below 1e-12 for each check).
TEST(Pickers, EverySubsetIsReachable) {
  struct Case {
    const char* name;
    std::function<std::string()> pick;
    std::size_t subsets;
    int draws;
  };
  const Case cases[] = {
      {"one digit", [] { return pick_digits(1); }, 10, 400},
      {"five digits", [] { return pick_digits(5); }, 252, 12000},
      {"one pair", [] { return pick_pairs(1); }, 100, 4000},
      {"two of eleven", [] { return pick_numbers(2, 11); }, 55, 2500},
      {"one of ten", [] { return pick_numbers(1, 10); }, 10, 400},
  };
  for (const Case& c : cases) {
    std::set<std::string> seen;
    for (int i = 0; i < c.draws && seen.size() < c.subsets; ++i) seen.insert(c.pick());
    EXPECT_EQ(seen.size(), c.subsets) << c.name;
  }
}

// No candidate is favoured: 20000 single digits give each digit about 2000
// times (the bounds are more than ten standard deviations wide).
TEST(Pickers, SingleDigitsAreEvenlySpread) {
  std::map<std::string, int> counts;
  for (int i = 0; i < 20000; ++i) ++counts[pick_digits(1)];
  ASSERT_EQ(counts.size(), 10u);
  for (const auto& [digit, n] : counts) {
    EXPECT_GT(n, 1500) << digit;
    EXPECT_LT(n, 2500) << digit;
  }
}

TEST(Pickers, CallsInQuickSuccessionDiffer) {
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) seen.insert(pick_pairs(50));
  EXPECT_EQ(seen.size(), 200u);
}

}  // namespace
}  // namespace plandesk
