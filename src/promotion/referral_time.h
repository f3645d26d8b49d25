#pragma once
// The date-time of a referral row, as the service writes it: "2024-03-05
// 14:30:00", "2024/3/5 14:30:00", either without seconds, or a date alone
// (midnight). The row is marked while that moment lies ahead.

#include <QDateTime>
#include <QString>
#include <optional>

namespace plandesk {

// Local time; nullopt for any other form or an impossible date or time.
std::optional<QDateTime> parse_referral_time(const QString& text);

// True when the text's moment lies after `now` taken to its whole second: a
// moment equal to the current second is not ahead. An unparsable text never is.
bool lies_ahead(const QString& text, const QDateTime& now);

}  // namespace plandesk
