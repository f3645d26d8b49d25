#pragma once
// The plans tab: lottery selection, the newest draw, the draw history and
// the plan text area where the plan kinds' reports appear.

#include <QWidget>
#include <array>
#include <string_view>

#include "feed/feed_cycle.h"
#include "feed/lottery.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace plandesk {

class PlansTab : public QWidget {
  Q_OBJECT
 public:
  explicit PlansTab(QWidget* parent = nullptr);

  // Checks the lottery's radio button without running a selection.
  void check_lottery(LotteryCode lottery);

  // Captions, 标签4's font size and the history list, rebuilt whole.
  void show_draws(const DrawDisplay& display);

  void set_plan_text(const QString& text);
  void clear_plan_text();
  // Appends a report (UTF-8, "\r\n" line ends) at the end of the plan text
  // area without rewriting what is already there.
  void append_report(std::string_view utf8);

 signals:
  // A radio button was clicked, also when it was already checked.
  void lottery_clicked(LotteryCode lottery);
  void clear_plans_clicked();

 private:
  std::array<QRadioButton*, 5> lottery_buttons_{};
  QLabel* issue_label_ = nullptr;
  QLabel* numbers_label_ = nullptr;
  QTreeWidget* history_ = nullptr;
  QPlainTextEdit* plan_text_ = nullptr;
  QPushButton* clear_button_ = nullptr;
};

}  // namespace plandesk
