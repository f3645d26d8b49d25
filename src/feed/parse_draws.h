#pragma once
// Reading the draw feed's reply: records "[" + issue + "-" + numbers + "]",
// newest first.

#include <string_view>

#include "feed/draw_record.h"
#include "feed/lottery.h"

namespace plandesk {

// Issue texts are the "[" ... "-" segments (blanks trimmed; the first empty or
// over-long one ends the list); numbers texts are the non-overlapping matches
// of the lottery's numbers pattern, left to right, anywhere in the reply.
// Draw i pairs issue text i with numbers text i; a draw without a numbers
// text keeps empty numbers, which makes the result unusable. All lengths
// count the reply's GBK bytes.
PollResult parse_draws(std::string_view gbk_reply, LotteryCode lottery);

}  // namespace plandesk
