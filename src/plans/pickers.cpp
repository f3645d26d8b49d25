#include "plans/pickers.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <numeric>
#include <vector>

namespace plandesk {
namespace {

// The seed of one draw: the millisecond clock plus a counter that changes
// with every reseed, so that reseeds within one millisecond still differ.
std::uint64_t next_seed() {
  static std::atomic<std::uint64_t> reseeds{0};
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
  return static_cast<std::uint64_t>(ms) + reseeds.fetch_add(1, std::memory_order_relaxed);
}

// The generator, freshly seeded for each draw: one splitmix64 output, which
// spreads neighbouring seeds evenly over the whole 64-bit range.
std::uint64_t splitmix64(std::uint64_t seed) {
  std::uint64_t z = seed + 0x9e3779b97f4a7c15ULL;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

// The 0-based indexes of the candidates that survive when `total - count`
// random candidates are removed one at a time, in the candidates' order.
std::vector<int> kept_indexes(int total, std::int64_t count) {
  const auto keep = static_cast<int>(std::clamp<std::int64_t>(count, 0, total));
  std::vector<int> left(static_cast<std::size_t>(total));
  std::iota(left.begin(), left.end(), 0);
  const int removals = total - keep;
  for (int i = 0; i < removals; ++i) {
    // r from 1 to the number left, both included; the bias of the modulo is
    // below 2^-54 for lists this short.
    const std::uint64_t r = 1 + splitmix64(next_seed()) % left.size();
    left.erase(left.begin() + static_cast<std::ptrdiff_t>(r - 1));
  }
  return left;
}

// `value` written with exactly `width` decimal digits.
void append_fixed(std::string& out, int value, int width) {
  char digits[3];
  for (int i = width - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  out.append(digits, static_cast<std::size_t>(width));
}

std::string join_fixed_width(int total, int width, std::int64_t count) {
  const auto kept = kept_indexes(total, count);
  std::string out;
  out.reserve(kept.size() * static_cast<std::size_t>(width + 1));
  for (const int value : kept) {
    append_fixed(out, value, width);
    if (width > 1) out.push_back(' ');
  }
  return out;
}

}  // namespace

std::string pick_digits(std::int64_t count) {
  return join_fixed_width(10, 1, count);
}

std::string pick_pairs(std::int64_t count) {
  return join_fixed_width(100, 2, count);
}

std::string pick_triples(std::int64_t count) {
  return join_fixed_width(1000, 3, count);
}

std::string pick_numbers(std::int64_t count, std::int64_t n) {
  const auto total = static_cast<int>(std::clamp<std::int64_t>(n, 0, 11));
  const auto kept = kept_indexes(total, count);
  std::string out;
  for (const int index : kept) {
    if (!out.empty()) out.push_back(',');
    append_fixed(out, index + 1, 2);
  }
  return out;
}

}  // namespace plandesk
