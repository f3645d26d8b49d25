#include "feed/poll_draws.h"

#include "feed/feed_profile.h"
#include "feed/parse_draws.h"
#include "service/endpoints.h"
#include "service/http_request.h"

namespace plandesk {

std::string draw_feed_url(const ServiceContext& ctx, LotteryCode lottery) {
  return draw_history_url(ctx, feed_profile(lottery).request_code);
}

PollResult poll_draws(const ServiceContext& ctx, LotteryCode lottery) {
  return parse_draws(http_get_text(draw_feed_url(ctx, lottery)), lottery);
}

}  // namespace plandesk
