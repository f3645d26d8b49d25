#include "text/leading_int.h"

#include <gtest/gtest.h>

#include <limits>

namespace plandesk {
namespace {

TEST(LeadingInt, ReadsTheLeadingDecimalNumber) {
  struct Case {
    const char* text;
    std::int64_t value;
  } cases[] = {
      {"", 0},      {"abc", 0},
      {"3", 3},     {"500", 500},
      {"12ab", 12}, {" 7", 7},
      {"-5", -5},   {"+4", 4},
      {"-", 0},     {"0x10", 0},
      {"007", 7},   {"3.9", 3},
      {"１２", 0},  {"20150301023", 20150301023},
      {"a12", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(leading_int(c.text), c.value) << c.text;
}

TEST(LeadingInt, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(leading_int("99999999999999999999999"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(leading_int("-99999999999999999999999"), std::numeric_limits<std::int64_t>::min());
}

}  // namespace
}  // namespace plandesk
