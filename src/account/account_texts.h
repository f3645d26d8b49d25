#pragma once
// The messages the account windows show, word for word.

namespace plandesk::account_texts {

// Login
inline constexpr const char* enter_user_name = "请输入用户名，没有可以进行注册！";
inline constexpr const char* enter_password = "请输入密码！";
inline constexpr const char* login_rejected = "对不起，该用户或密码错误，请重新输入！";
inline constexpr const char* service_unreachable = "对不起，服务器暂时无法连接！";

// Registration
inline constexpr const char* user_name_too_short = "请输入用户名，且长度大于4！";
inline constexpr const char* password_too_short = "请输入密码且长度大于5！";
inline constexpr const char* confirmation_too_short = "请输入相同的密码！";
inline constexpr const char* passwords_differ = "两次密码不同，请输入相同的密码！";
inline constexpr const char* qq_too_short = "请正确输入qq号码！";
inline constexpr const char* registered = "注册成功！";

// Password change
inline constexpr const char* new_password_too_short = "对不起，密码长度至少为6个！";
inline constexpr const char* wrong_current_password = "对不起，原密码错误！";
inline constexpr const char* confirmation_differs = "对不起，两次密码不一致！";
inline constexpr const char* password_changed = "密码修改成功！";
inline constexpr const char* password_not_changed = "密码修改失败！";

// The service speaks GBK: a character it cannot hold would arrive as "?",
// so such input is refused before anything is sent.

}  // namespace plandesk::account_texts
