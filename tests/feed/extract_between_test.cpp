#include "feed/extract_between.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plandesk {
namespace {

using Texts = std::vector<std::string>;

struct Case {
  const char* name;
  std::string text;
  std::string start = "[";
  std::string end = "-";
  bool case_sensitive = true;
  std::size_t longest = 0;
  std::string prefix = {};
  std::string suffix = {};
  bool keep_start = false, keep_end = false;
  std::size_t from = 0;
  Texts expected = {};
};

TEST(ExtractBetween, Cases) {
  const Case cases[] = {
      {.name = "records", .text = "[a-1][b-2]x[c-3]", .expected = {"a", "b", "c"}},
      {.name = "nothing", .text = "no records", .expected = {}},
      {.name = "empty text", .text = "", .expected = {}},
      {.name = "no end delimiter", .text = "[abc]", .expected = {}},
      {.name = "end searched from the second byte", .text = "[-5-12345]", .expected = {"-5"}},
      {.name = "single byte segment", .text = "[-]", .expected = {}},
      {.name = "blanks trimmed",
       .text = "[ 20150301023 -1][\xA1\xA1 7\xA1\xA1-2]",
       .expected = {"20150301023", "7"}},
      {.name = "inner blanks kept", .text = "[a b-1]", .expected = {"a b"}},
      {.name = "empty segment stops", .text = "[a-1][ \xA1\xA1 -2][c-3]", .expected = {"a"}},
      {.name = "longest counts bytes after trimming",
       .text = "[ abc -1][abcd-2][e-3]",
       .longest = 3,
       .expected = {"abc"}},
      {.name = "no limit", .text = "[abcd-1]", .longest = 0, .expected = {"abcd"}},
      {.name = "longest counts GBK bytes",
       .text = "[\xD6\xD0\xCE\xC4-1][\xD6\xD0-2]",
       .longest = 3,
       .expected = {}},
      {.name = "decorated",
       .text = "[a-1]",
       .prefix = "<",
       .suffix = ">",
       .keep_start = true,
       .keep_end = true,
       .expected = {"[<a>-"}},
      {.name = "from is 1-based", .text = "[a-1][b-2]", .from = 1, .expected = {"a", "b"}},
      {.name = "from skips a record", .text = "[a-1][b-2]", .from = 2, .expected = {"b"}},
      {.name = "from beyond the text", .text = "[a-1]", .from = 99, .expected = {}},
      {.name = "case-sensitive", .text = "<B>1</b><b>2</B>", .start = "<b>", .end = "</b>", .expected = {}},
      {.name = "case-insensitive",
       .text = "<B>1</b><b>2</B>",
       .start = "<b>",
       .end = "</b>",
       .case_sensitive = false,
       .expected = {"1", "2"}},
      // 81 5B is one character whose second byte happens to be "[".
      {.name = "no delimiter inside a character", .text = "\x81[ab-1][cd-2]", .expected = {"cd"}},
      {.name = "Chinese segment", .text = "[\xD6\xD0 -1]", .expected = {"\xD6\xD0"}},
      {.name = "empty start delimiter", .text = "[a-1]", .start = "", .expected = {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Texts list;
    const auto count = extract_between(c.text, c.start, c.end, list, c.case_sensitive, c.longest, c.prefix,
                                       c.suffix, c.keep_start, c.keep_end, c.from);
    EXPECT_EQ(list, c.expected);
    EXPECT_EQ(count, c.expected.size());
  }
}

TEST(ExtractBetween, CountsTheWholeListOrZero) {
  Texts list = {"kept"};
  EXPECT_EQ(extract_between("[a-1][b-2]", "[", "-", list), 3u);
  EXPECT_EQ(list, (Texts{"kept", "a", "b"}));
  EXPECT_EQ(extract_between("nothing here", "[", "-", list), 0u);
  EXPECT_EQ(list.size(), 3u);
}

}  // namespace
}  // namespace plandesk
