#include "account/account_input.h"

#include <gtest/gtest.h>

namespace plandesk {
namespace {

TEST(AccountInput, CountsGbkBytes) {
  struct Case {
    const char* text;
    std::size_t bytes;
    bool enough;
  } cases[] = {
      {"ab", 3, false}, {"abc", 3, true}, {"中", 3, false},
      {"中a", 3, true}, {"", 0, true},    {"abcde", 6, false},
  };
  for (const auto& c : cases) EXPECT_EQ(has_gbk_bytes(c.text, c.bytes), c.enough) << c.text;
}

}  // namespace
}  // namespace plandesk
