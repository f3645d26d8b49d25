#pragma once
// The draws of one poll of the draw feed.

#include <string>
#include <vector>

namespace plandesk {

// One draw as the feed serves it; both texts are ASCII in practice.
struct DrawRecord {
  std::string issue;    // the issue identifier, blanks around it removed
  std::string numbers;  // "12345", "01,02,03,04,05" or ten such groups
};

// A poll with fewer matches of the numbers pattern than this is not used.
inline constexpr int min_usable_matches = 11;

struct PollResult {
  std::vector<DrawRecord> draws;  // reply order: the newest draw first
  int match_count = 0;            // matches of the numbers pattern in the whole reply

  // Enough matches, at least one draw, and every draw paired with its
  // numbers: a reply whose issues and numbers do not pair up is as unusable
  // as one with too few matches.
  bool usable() const {
    if (match_count < min_usable_matches || draws.empty()) return false;
    for (const auto& draw : draws)
      if (draw.numbers.empty()) return false;
    return true;
  }
};

}  // namespace plandesk
