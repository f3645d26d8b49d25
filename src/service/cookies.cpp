#include "service/cookies.h"

#include <algorithm>
#include <vector>

namespace plandesk {
namespace {

std::string without_spaces(std::string_view text) {
  std::string out;
  std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](char c) { return c != ' '; });
  return out;
}

std::vector<std::string> cookie_items(std::string_view text) {
  std::vector<std::string> items;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find(';', at);
    if (end == std::string_view::npos) end = text.size();
    if (end > at) items.emplace_back(text.substr(at, end - at));
    at = end + 1;
  }
  return items;
}

// The name of a cookie item: its text before the first "=" (spaces are gone).
std::string_view cookie_name(std::string_view item) {
  return item.substr(0, item.find('='));
}

bool is_deleted(std::string_view item) {
  return item.ends_with("=deleted");
}

}  // namespace

std::string merge_cookies(std::string_view cookies, std::string& received_cookies) {
  received_cookies = without_spaces(received_cookies);
  const std::vector<std::string> received = cookie_items(received_cookies);
  std::vector<std::string> merged = received;
  for (const std::string& old : cookie_items(without_spaces(cookies))) {
    const bool replaced = std::any_of(received.begin(), received.end(), [&](const std::string& item) {
      return cookie_name(item) == cookie_name(old);
    });
    if (!replaced) merged.push_back(old);
  }

  std::vector<std::string> kept;
  for (const std::string& item : merged)
    if (!is_deleted(item) && std::find(kept.begin(), kept.end(), item) == kept.end()) kept.push_back(item);

  std::string out;
  for (const std::string& item : kept) {
    if (!out.empty()) out += "; ";
    out += item;
  }
  return out;
}

}  // namespace plandesk
