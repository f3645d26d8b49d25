#include "promotion/referral_time.h"

#include <gtest/gtest.h>

namespace plandesk {
namespace {

TEST(ReferralTime, ReadsTheCommonForms) {
  struct Case {
    const char* text;
    QDateTime expected;  // invalid: unparsable
  } cases[] = {
      {"2024-03-05 14:30:09", QDateTime(QDate(2024, 3, 5), QTime(14, 30, 9))},
      {"2024/3/5 4:30:09", QDateTime(QDate(2024, 3, 5), QTime(4, 30, 9))},
      {"2024/03/05 14:30", QDateTime(QDate(2024, 3, 5), QTime(14, 30))},
      {"2024-3-5", QDateTime(QDate(2024, 3, 5), QTime(0, 0))},
      {" 2024-12-31 23:59:59 ", QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59))},
      {"2024-02-30 10:00:00", QDateTime()},  // no such day
      {"2024-03-05 24:00:00", QDateTime()},
      {"2024-03-05 14:30:09.5", QDateTime()},
      {"05/03/2024", QDateTime()},
      {"永久", QDateTime()},
      {"", QDateTime()},
  };
  for (const auto& c : cases) {
    const auto parsed = parse_referral_time(QString::fromUtf8(c.text));
    EXPECT_EQ(parsed.value_or(QDateTime()), c.expected) << c.text;
  }
}

TEST(ReferralTime, OnlyALaterSecondLiesAhead) {
  const QDateTime now(QDate(2024, 3, 5), QTime(12, 0, 0, 700));
  struct Case {
    const char* text;
    bool ahead;
  } cases[] = {
      {"2024-03-06 12:00:00", true},                                   // a day later
      {"2024-03-05 12:00:01", true},  {"2024-03-05 12:00:00", false},  // the current second
      {"2024-03-04 12:00:00", false}, {"2024-03-06", true},
      {"2024-03-05", false},          {"not a time", false},
  };
  for (const auto& c : cases) EXPECT_EQ(lies_ahead(c.text, now), c.ahead) << c.text;
}

}  // namespace
}  // namespace plandesk
