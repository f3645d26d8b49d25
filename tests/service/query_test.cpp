#include "service/query.h"

#include <gtest/gtest.h>

#include <string>

namespace plandesk {
namespace {

TEST(QueryEscape, KeepsOnlyUnreservedBytes) {
  struct Case {
    std::string bytes;
    std::string escaped;
  } cases[] = {
      {"", ""},
      {"AZaz09-._~", "AZaz09-._~"},
      {"a&b=c#d %+", "a%26b%3Dc%23d%20%25%2B"},
      {"/?@:;,!*'()", "%2F%3F%40%3A%3B%2C%21%2A%27%28%29"},
      {"\xD6\xD0\xCE\xC4", "%D6%D0%CE%C4"},  // "中文" in GBK, upper-case hex
      {std::string("a\0b", 3), "a%00b"},
      {"\x7F\xFF", "%7F%FF"},
  };
  for (const auto& c : cases) EXPECT_EQ(query_escape(c.bytes), c.escaped) << c.bytes;
}

TEST(ServiceUrl, JoinsPairsInOrderAndEscapesValuesAsGbk) {
  EXPECT_EQ(ServiceUrl("http://h:1", "/p.asp").text(), "http://h:1/p.asp");
  EXPECT_EQ(ServiceUrl("http://h:1", "/p.asp").param("k", "").text(), "http://h:1/p.asp?k=");
  EXPECT_EQ(ServiceUrl("http://h:1", "/p.asp").param("b", "2").param("a", "中 1").param("QQ", "").text(),
            "http://h:1/p.asp?b=2&a=%D6%D0%201&QQ=");
}

}  // namespace
}  // namespace plandesk
