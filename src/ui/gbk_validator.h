#pragma once
// Input limits of the edit boxes, counted in GBK bytes as the service counts
// them ("中" takes two), optionally digits only.

#include <QValidator>

namespace plandesk {

// What a window says when typed text holds a character GBK cannot carry, so
// that nothing is sent or saved as "?".
inline constexpr const char* unsupported_characters_message =
    "对不起，输入中含有无法使用的字符，请换用其他字符！";

class GbkValidator : public QValidator {
  Q_OBJECT

 public:
  enum class Kind { any_text, digits };

  GbkValidator(int max_bytes, Kind kind, QObject* parent = nullptr);
  State validate(QString& input, int& pos) const override;

 private:
  int max_bytes_;
  Kind kind_;
};

}  // namespace plandesk
