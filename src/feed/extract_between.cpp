#include "feed/extract_between.h"

#include <cstring>
#include <utility>

#include "feed/ascii_scan.h"

namespace plandesk {
namespace {

constexpr unsigned char full_width_blank = 0xA1;  // "\xA1\xA1"

// Length of the GBK character at text[i]: 2 for a lead byte with a valid
// trail byte behind it, else 1.
std::size_t char_length(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x81 || lead == 0xFF || i + 1 >= text.size()) return 1;
  const auto trail = static_cast<unsigned char>(text[i + 1]);
  return trail >= 0x40 && trail != 0x7F && trail != 0xFF ? 2 : 1;
}

char fold(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool matches_at(std::string_view text, std::size_t i, std::string_view needle, bool case_sensitive) {
  if (case_sensitive) return std::memcmp(text.data() + i, needle.data(), needle.size()) == 0;
  for (std::size_t k = 0; k < needle.size(); ++k)
    if (fold(text[i + k]) != fold(needle[k])) return false;
  return true;
}

// First position at or after `from`, on a character start, where `needle`
// stands; npos when there is none.
std::size_t find_delimiter(std::string_view text, std::string_view needle, std::size_t from,
                           bool case_sensitive, bool single_byte) {
  if (case_sensitive && single_byte)
    return needle.size() == 1 ? text.find(needle[0], from) : text.find(needle, from);
  const std::size_t last = text.size() - needle.size();  // callers ensure needle fits
  const char first = case_sensitive ? needle[0] : fold(needle[0]);
  for (std::size_t i = from; i <= last; i += char_length(text, i)) {
    const char c = case_sensitive ? text[i] : fold(text[i]);
    if (c == first && matches_at(text, i, needle, case_sensitive)) return i;
  }
  return std::string_view::npos;
}

bool is_blank_at(std::string_view s, std::size_t i, std::size_t length) {
  return (length == 1 && s[i] == ' ') ||
         (length == 2 && static_cast<unsigned char>(s[i]) == full_width_blank &&
          static_cast<unsigned char>(s[i + 1]) == full_width_blank);
}

std::string_view trim_blanks(std::string_view s) {
  std::size_t begin = 0;
  while (begin < s.size()) {
    const std::size_t length = char_length(s, begin);
    if (!is_blank_at(s, begin, length)) break;
    begin += length;
  }
  s.remove_prefix(begin);
  if (s.empty()) return s;
  const auto last = static_cast<unsigned char>(s.back());
  if (last != ' ' && last != full_width_blank) return s;  // nothing to trim behind
  // A trailing A1 may be the second byte of another character: walk forward.
  std::size_t end = 0;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t length = char_length(s, i);
    const bool blank = is_blank_at(s, i, length);
    i += length;
    if (!blank) end = i;
  }
  return s.substr(0, end);
}

}  // namespace

void collect_between(std::string_view text, std::string_view start, std::string_view end, bool case_sensitive,
                     std::size_t longest, std::size_t from, std::vector<std::string_view>& segments) {
  if (start.empty() || end.empty()) return;
  const bool single_byte = all_ascii(text);  // every byte starts a character
  std::size_t pos = from == 0 ? 0 : from - 1;
  for (;;) {
    if (pos > text.size() || text.size() - pos < start.size()) return;
    const std::size_t p = find_delimiter(text, start, pos, case_sensitive, single_byte);
    if (p == std::string_view::npos) return;
    const std::size_t segment_begin = p + start.size();
    if (segment_begin >= text.size()) return;
    const std::size_t search_from = segment_begin + (single_byte ? 1 : char_length(text, segment_begin));
    if (search_from > text.size() || text.size() - search_from < end.size()) return;
    const std::size_t g = find_delimiter(text, end, search_from, case_sensitive, single_byte);
    if (g == std::string_view::npos) return;
    const std::string_view segment = trim_blanks(text.substr(segment_begin, g - segment_begin));
    if (segment.empty() || (longest != 0 && segment.size() > longest)) return;
    segments.push_back(segment);
    pos = g;
  }
}

std::size_t extract_between(std::string_view text, std::string_view start, std::string_view end,
                            std::vector<std::string>& list, bool case_sensitive, std::size_t longest,
                            std::string_view prefix, std::string_view suffix, bool keep_start, bool keep_end,
                            std::size_t from) {
  std::vector<std::string_view> segments;
  collect_between(text, start, end, case_sensitive, longest, from, segments);
  for (const auto segment : segments) {
    std::string entry;
    if (keep_start) entry.append(start);
    entry.append(prefix).append(segment).append(suffix);
    if (keep_end) entry.append(end);
    list.push_back(std::move(entry));
  }
  return segments.empty() ? 0 : list.size();
}

}  // namespace plandesk
