#pragma once
// Cutting the segments that lie between a start and an end delimiter out of
// a GBK text. Positions and lengths count bytes; a delimiter is only found
// at the start of a character, never inside a double-byte one.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plandesk {

// Appends to `segments` every segment between a start delimiter and the next
// end delimiter, scanning from the 1-based byte position `from` (0 counts as
// 1). The end delimiter is looked for from the second character after the
// start delimiter on. Each segment loses its leading and trailing blanks
// (" " and the full-width "\xA1\xA1"). The first segment that is then empty,
// or longer than `longest` bytes (0: no limit), ends the whole extraction;
// so does a missing delimiter. The views point into `text`. Empty delimiters
// delimit nothing.
void collect_between(std::string_view text, std::string_view start, std::string_view end, bool case_sensitive,
                     std::size_t longest, std::size_t from, std::vector<std::string_view>& segments);

// As collect_between, appending prefix + segment + suffix to `list`, with
// the start delimiter in front when keep_start and the end delimiter behind
// when keep_end. Returns the size of `list` when anything was appended,
// else 0. Case-insensitive matching folds ASCII letters only.
std::size_t extract_between(std::string_view text, std::string_view start, std::string_view end,
                            std::vector<std::string>& list, bool case_sensitive = true,
                            std::size_t longest = 0, std::string_view prefix = {},
                            std::string_view suffix = {}, bool keep_start = false, bool keep_end = false,
                            std::size_t from = 0);

}  // namespace plandesk
