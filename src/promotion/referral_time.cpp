#include "promotion/referral_time.h"

#include <QRegularExpression>

namespace plandesk {

std::optional<QDateTime> parse_referral_time(const QString& text) {
  static const QRegularExpression form(
      R"(^\s*(\d{4})[-/](\d{1,2})[-/](\d{1,2})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)");
  const QRegularExpressionMatch m = form.match(text);
  if (!m.hasMatch()) return std::nullopt;
  const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
  const QTime time = m.hasCaptured(4) ? QTime(m.captured(4).toInt(), m.captured(5).toInt(),
                                              m.hasCaptured(6) ? m.captured(6).toInt() : 0)
                                      : QTime(0, 0);
  if (!date.isValid() || !time.isValid()) return std::nullopt;
  return QDateTime(date, time);
}

bool lies_ahead(const QString& text, const QDateTime& now) {
  const auto moment = parse_referral_time(text);
  if (!moment) return false;
  const QDateTime whole_second = now.addMSecs(-now.time().msec());
  return *moment > whole_second;
}

}  // namespace plandesk
