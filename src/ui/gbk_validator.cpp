#include "ui/gbk_validator.h"

#include "text/gbk.h"

namespace plandesk {

GbkValidator::GbkValidator(int max_bytes, Kind kind, QObject* parent)
    : QValidator(parent), max_bytes_(max_bytes), kind_(kind) {}

QValidator::State GbkValidator::validate(QString& input, int&) const {
  if (kind_ == Kind::digits)
    for (const QChar c : input)
      if (c < u'0' || c > u'9') return Invalid;
  const std::size_t bytes = gbk_length(input.toStdString());
  return bytes <= static_cast<std::size_t>(max_bytes_) ? Acceptable : Invalid;
}

}  // namespace plandesk
