#include "feed/numbers_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>
#include <vector>

namespace plandesk {
namespace {

std::vector<std::string> scanned(const std::string& text, NumbersForm form) {
  std::vector<std::string> found;
  scan_numbers(text, form, [&](std::string_view numbers) { found.emplace_back(numbers); });
  return found;
}

// What a regular-expression search for every non-overlapping match finds.
std::vector<std::string> regex_found(const std::string& text, NumbersForm form) {
  static const std::regex five_digits(R"(\-\d{5,5}\])");
  static const std::regex ten_pairs(R"(\d{2,2}(\,\d{2,2}){9})");
  static const std::regex five_pairs(R"(\d{2,2}(\,\d{2,2}){4})");
  const std::regex& pattern = form == NumbersForm::five_digits ? five_digits
                              : form == NumbersForm::ten_pairs ? ten_pairs
                                                               : five_pairs;
  std::vector<std::string> found;
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) {
    const std::string match = it->str();
    found.push_back(form == NumbersForm::five_digits ? match.substr(1, 5) : match);
  }
  return found;
}

// Random texts made mostly of digits and commas, where near-misses, runs of
// groups longer than a match and matches that start inside failed attempts
// are common.
TEST(NumbersScan, FindsWhatARegexSearchFinds) {
  std::mt19937 random(20150301);
  const std::string alphabet = "0123456789,,,,,,-]-][ 9";
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 160);
  for (const auto form : {NumbersForm::five_digits, NumbersForm::ten_pairs, NumbersForm::five_pairs}) {
    int texts_with_matches = 0;
    for (int round = 0; round < 400; ++round) {
      std::string text;
      const int n = length(random);
      for (int i = 0; i < n; ++i) text += alphabet[pick(random)];
      // Seed well-formed groups so that long runs occur.
      if (round % 2 == 0) text.insert(text.size() / 2, "01,02,03,04,05,06,07,08,09,10,11,12,-12345]");
      const auto expected = regex_found(text, form);
      if (!expected.empty()) ++texts_with_matches;
      ASSERT_EQ(scanned(text, form), expected) << text;
    }
    EXPECT_GT(texts_with_matches, 100);
  }
}

}  // namespace
}  // namespace plandesk
