#include "text/gbk.h"

#include <gtest/gtest.h>

namespace plandesk {
namespace {

TEST(Gbk, RoundTripsChineseAndSeparators) {
  const std::string utf8 = "注册成功◆■<br>abc";
  const std::string gbk = utf8_to_gbk(utf8);
  // "注册成功" is 8 bytes, "◆" is A1 F4, "■" is A1 F6.
  EXPECT_EQ(gbk.size(), 8u + 2u + 2u + 4u + 3u);
  EXPECT_EQ(gbk.substr(8, 4), "\xA1\xF4\xA1\xF6");
  EXPECT_EQ(gbk_to_utf8(gbk), utf8);
}

TEST(Gbk, LengthCountsGbkBytes) {
  struct Case {
    const char* text;
    std::size_t bytes;
  } cases[] = {{"", 0}, {"abc", 3}, {"中", 2}, {"用户名：", 8}, {"a中b", 4}, {"　", 2}};
  for (const auto& c : cases) EXPECT_EQ(gbk_length(c.text), c.bytes) << c.text;
}

TEST(Gbk, UnrepresentableAndInvalidBecomeQuestionMarks) {
  EXPECT_EQ(utf8_to_gbk("a\xF0\x9F\x98\x80"
                        "b"),
            "a?b");  // an emoji has no GBK form
  EXPECT_EQ(utf8_to_gbk("a\xFF"
                        "b"),
            "a?b");                               // not UTF-8 at all
  EXPECT_EQ(utf8_to_gbk("\xE4\xB8"), "??");       // cut short
  EXPECT_EQ(gbk_to_utf8("a\x81"), "a?");          // lead byte at the end
  EXPECT_EQ(gbk_to_utf8("a\x81\x7F"), "a?\x7F");  // no valid trail byte: the lead alone is lost
  EXPECT_EQ(gbk_to_utf8(std::string("\xD6\xD0", 2)), "中");
}

TEST(Gbk, LongTextCrossesTheConversionBuffer) {
  std::string utf8;
  for (int i = 0; i < 5000; ++i) utf8 += "计划";
  const std::string gbk = utf8_to_gbk(utf8);
  EXPECT_EQ(gbk.size(), 20000u);
  EXPECT_EQ(gbk_to_utf8(gbk), utf8);
}

TEST(Gbk, FitsOnlyWhatGbkCanHold) {
  struct Case {
    const char* text;
    bool fits;
  } cases[] = {
      {"demo123", true}, {"张三丰", true},       {"a?b", true},
      {"pass😀", false},  {"\xE2\x82\xAC", true},  // € exists in GBK (0x80)
      {"한국", false},
  };
  for (const auto& c : cases) EXPECT_EQ(fits_gbk(c.text), c.fits) << c.text;
}

}  // namespace
}  // namespace plandesk
