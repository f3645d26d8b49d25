#pragma once
// Number pickers: the random prediction of a new plan. Each picker keeps
// `count` distinct candidates of its fixed list, in the list's (ascending)
// order, by removing randomly chosen candidates one at a time; the random
// generator is reseeded from the millisecond clock plus a counter before
// every removal, so two calls within one millisecond still differ. A count
// outside 0..N is clamped into it.

#include <cstdint>
#include <string>

namespace plandesk {

// 0..9; the kept digits without separators, such as "02468".
std::string pick_digits(std::int64_t count);

// 00..99; every kept pair followed by one blank, such as "07 42 93 ".
std::string pick_pairs(std::int64_t count);

// 000..999; every kept triple followed by one blank, such as "081 650 ".
std::string pick_triples(std::int64_t count);

// The first n of "01".."11" (n clamped to 0..11); the kept numbers joined by
// commas, such as "02,05,07,09,11". pk10 uses n = 10, 11x5 n = 11.
std::string pick_numbers(std::int64_t count, std::int64_t n);

}  // namespace plandesk
