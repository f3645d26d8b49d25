#pragma once
// One poll of the service for the recent draws of a lottery.

#include <string>

#include "feed/draw_record.h"
#include "feed/lottery.h"
#include "service/service_context.h"

namespace plandesk {

// The "/getsj.asp" request for the 50 newest draws; the pick-five game is
// asked for as "sd11x5".
std::string draw_feed_url(const ServiceContext& ctx, LotteryCode lottery);

// Fetches and parses the draws. Never fails as such: a failed request gives
// an empty reply and so an empty, unusable result. Blocks until the reply is in.
PollResult poll_draws(const ServiceContext& ctx, LotteryCode lottery);

}  // namespace plandesk
