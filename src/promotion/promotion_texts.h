#pragma once
// What the promotion tab says, word for word.

namespace plandesk::promotion_texts {

inline constexpr const char* bound_caption = "已绑定";
inline constexpr const char* bind_succeeded = "绑定成功！快快推广吧！";
inline constexpr const char* bind_failed = "绑定失败！";
inline constexpr const char* ahead_mark = "√";

}  // namespace plandesk::promotion_texts
