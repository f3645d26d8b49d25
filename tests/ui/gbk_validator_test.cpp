#include "ui/gbk_validator.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "support/typing.h"

namespace plandesk {
namespace {

TEST(GbkValidator, CountsGbkBytesAndDigits) {
  struct Case {
    int max;
    GbkValidator::Kind kind;
    const char* text;
    bool accepted;
  } cases[] = {
      {5, GbkValidator::Kind::any_text, "", true},
      {5, GbkValidator::Kind::any_text, "abcde", true},
      {5, GbkValidator::Kind::any_text, "abcdef", false},
      {5, GbkValidator::Kind::any_text, "中文a", true},
      {5, GbkValidator::Kind::any_text, "中文ab", false},
      {4, GbkValidator::Kind::any_text, "中文", true},
      {20, GbkValidator::Kind::digits, "12345678901234567890", true},
      {20, GbkValidator::Kind::digits, "123456789012345678901", false},
      {20, GbkValidator::Kind::digits, "12a", false},
      {20, GbkValidator::Kind::digits, "-1", false},
      {20, GbkValidator::Kind::digits, "１２", false},  // full-width digits are not digits here
  };
  for (const auto& c : cases) {
    GbkValidator v(c.max, c.kind);
    QString text = QString::fromUtf8(c.text);
    int pos = 0;
    EXPECT_EQ(v.validate(text, pos) == QValidator::Acceptable, c.accepted) << c.text;
  }
}

TEST(GbkValidator, TypingStopsAtTheLimit) {
  QLineEdit edit;
  edit.setValidator(new GbkValidator(5, GbkValidator::Kind::any_text, &edit));
  testing::type_text(&edit, QString::fromUtf8("abc中中x"));
  EXPECT_EQ(edit.text(), QString::fromUtf8("abc中"));
}

}  // namespace
}  // namespace plandesk
