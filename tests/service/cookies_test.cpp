#include "service/cookies.h"

#include <gtest/gtest.h>

#include <string>

namespace plandesk {
namespace {

TEST(MergeCookies, ReceivedCookiesReplaceOldOnesAndDeletedOnesGo) {
  struct Case {
    std::string cookies, received, merged, received_after;
  };
  const Case cases[] = {
      {"a=1; b=2", "b=3; a=deleted; ", "b=3", "b=3;a=deleted;"},
      {"a=1; b=2", "", "a=1; b=2", ""},
      {"", "s=x; ", "s=x", "s=x;"},
      {"a=1; b=2", "c=3; ", "c=3; a=1; b=2", "c=3;"},
      // Exact repeats are kept once; a value-less item is named by itself.
      {"a=1; a=1; flag", "flag; ", "flag; a=1", "flag;"},
      {"a=1", "a=deleted; ", "", "a=deleted;"},
  };
  for (const Case& c : cases) {
    std::string received = c.received;
    EXPECT_EQ(merge_cookies(c.cookies, received), c.merged) << c.cookies << " + " << c.received;
    EXPECT_EQ(received, c.received_after);
  }
}

}  // namespace
}  // namespace plandesk
