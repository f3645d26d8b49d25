#pragma once
// How the draw feed of each lottery is requested and read.

#include <cstddef>
#include <string_view>

#include "feed/lottery.h"

namespace plandesk {

enum class NumbersForm {
  five_digits,  // "-" + exactly five digits + "]"; the numbers are the digits
  ten_pairs,    // ten two-digit groups joined by ","; the numbers are the match
  five_pairs,   // five two-digit groups joined by ","; the numbers are the match
};

struct FeedProfile {
  std::string_view request_code;  // the "ssc" value of the request
  std::size_t longest_issue;      // bytes
  NumbersForm numbers;
};

constexpr FeedProfile feed_profile(LotteryCode code) {
  switch (code) {
    case LotteryCode::cqssc:
      return {"cqssc", 11, NumbersForm::five_digits};
    case LotteryCode::jxssc:
      return {"jxssc", 11, NumbersForm::five_digits};
    case LotteryCode::hsssc:
      return {"hsssc", 10, NumbersForm::five_digits};
    case LotteryCode::pk10:
      return {"pk10", 6, NumbersForm::ten_pairs};
    case LotteryCode::x11x5:
      return {"sd11x5", 8, NumbersForm::five_pairs};
  }
  return {"cqssc", 11, NumbersForm::five_digits};
}

}  // namespace plandesk
