#pragma once
// Query strings as the client sends them: pairs joined by "&", key and value
// split at the first "=", every value percent-encoded GBK bytes (raw GBK
// bytes are taken as they stand). The decoding is strict and done here rather
// than by the HTTP library, which would turn "%uXXXX" into UTF-8 and let
// malformed escapes through unchanged.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plandesk::stand_in {

class QueryParams {
 public:
  // The first value given for `key` (keys are case-sensitive), or nullptr.
  const std::string* find(std::string_view key) const;
  void add(std::string key, std::string value) { pairs_.emplace_back(std::move(key), std::move(value)); }

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
};

struct QueryParse {
  bool ok = false;
  QueryParams params;  // keys and values in UTF-8
  std::string error;   // what is wrong, when !ok
};

// Decodes a raw query (the text after "?"): "%XX" gives the byte XX, "+" a
// space; the bytes of every key and value are read as GBK and converted to
// UTF-8. Refused: a "%" not followed by two hex digits, bytes that are not
// GBK text, and control characters.
QueryParse parse_query(std::string_view raw);

// The raw query made fit for one log line: the values of "password" and
// "oldpassword" become "***", and bytes outside printable ASCII are shown
// as %XX.
std::string query_for_log(std::string_view raw);

// Bytes outside printable ASCII as %XX, so a log line stays one clean line.
std::string text_for_log(std::string_view raw);

}  // namespace plandesk::stand_in
