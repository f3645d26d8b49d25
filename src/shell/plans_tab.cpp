#include "shell/plans_tab.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTreeWidget>

#include "shell/look.h"

namespace plandesk {
namespace {

struct LotteryButton {
  const char* name;
  const char* caption;
  LotteryCode lottery;
};

// Left to right along the top of the tab.
constexpr std::array<LotteryButton, 5> lottery_button_table = {{
    {"单选框1", "和盛时时彩", LotteryCode::hsssc},
    {"单选框2", "重庆时时彩", LotteryCode::cqssc},
    {"单选框3", "江西时时彩", LotteryCode::jxssc},
    {"单选框4", "北京PK10", LotteryCode::pk10},
    {"单选框5", "山东11选5", LotteryCode::x11x5},
}};

QString to_qt(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

PlansTab::PlansTab(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("计划页"));

  for (std::size_t i = 0; i < lottery_button_table.size(); ++i) {
    const auto& entry = lottery_button_table[i];
    auto* button = new QRadioButton(QString::fromUtf8(entry.caption), this);
    button->setObjectName(QString::fromUtf8(entry.name));
    button->setGeometry(16 + static_cast<int>(i) * 112, 10, 108, 24);
    button->setFont(cjk_font(10.5, true));
    const auto lottery = entry.lottery;
    connect(button, &QRadioButton::clicked, this, [this, lottery] { emit lottery_clicked(lottery); });
    lottery_buttons_[i] = button;
  }

  clear_button_ = new QPushButton(QStringLiteral("清空计划重新开始"), this);
  clear_button_->setObjectName(QStringLiteral("按钮2"));
  clear_button_->setGeometry(584, 56, 180, 30);
  connect(clear_button_, &QPushButton::clicked, this, &PlansTab::clear_plans_clicked);

  issue_label_ = new QLabel(QStringLiteral("当前期号："), this);
  issue_label_->setObjectName(QStringLiteral("标签3"));
  issue_label_->setGeometry(16, 42, 440, 24);
  issue_label_->setFont(cjk_font(11, true));
  // The issue comes from the service: shown as it is, never read as markup.
  issue_label_->setTextFormat(Qt::PlainText);

  numbers_label_ = new QLabel(QStringLiteral("00000"), this);
  numbers_label_->setObjectName(QStringLiteral("标签4"));
  numbers_label_->setGeometry(16, 64, 440, 72);
  numbers_label_->setFont(cjk_font(42, true));
  numbers_label_->setTextFormat(Qt::PlainText);
  numbers_label_->setStyleSheet(QStringLiteral("color: %1;").arg(colours::accent.name()));

  history_ = new QTreeWidget(this);
  history_->setObjectName(QStringLiteral("超级列表框2"));
  history_->setGeometry(8, 140, 440, 258);
  history_->setRootIsDecorated(false);
  history_->header()->setStretchLastSection(false);  // columns keep their design widths
  history_->setUniformRowHeights(true);
  history_->setAlternatingRowColors(true);
  history_->setSelectionMode(QAbstractItemView::SingleSelection);
  history_->setHeaderLabels({QStringLiteral("Num"), QStringLiteral("期号"), QStringLiteral("开奖号")});
  history_->setColumnWidth(0, 40);
  history_->setColumnWidth(1, 110);
  history_->setColumnWidth(2, 270);

  plan_text_ = new QPlainTextEdit(this);
  plan_text_->setObjectName(QStringLiteral("编辑框1"));
  plan_text_->setGeometry(456, 96, 316, 302);
  plan_text_->setReadOnly(true);
  plan_text_->setUndoRedoEnabled(false);  // reports are rewritten every draw; no history needed
  plan_text_->setFont(cjk_font(9.5));
}

void PlansTab::check_lottery(LotteryCode lottery) {
  for (std::size_t i = 0; i < lottery_button_table.size(); ++i)
    if (lottery_button_table[i].lottery == lottery) lottery_buttons_[i]->setChecked(true);
}

void PlansTab::show_draws(const DrawDisplay& display) {
  issue_label_->setText(to_qt(display.issue_caption));
  auto font = numbers_label_->font();
  font.setPointSize(display.numbers_point_size);
  numbers_label_->setFont(font);
  numbers_label_->setText(to_qt(display.numbers_caption));

  history_->clear();
  QList<QTreeWidgetItem*> rows;
  rows.reserve(static_cast<qsizetype>(display.history.size()));
  for (const auto& row : display.history)
    rows.append(new QTreeWidgetItem(QStringList{to_qt(row.num), to_qt(row.issue), to_qt(row.numbers)}));
  history_->addTopLevelItems(rows);
}

void PlansTab::set_plan_text(const QString& text) {
  plan_text_->setPlainText(text);
}

void PlansTab::clear_plan_text() {
  plan_text_->clear();
}

void PlansTab::append_report(std::string_view utf8) {
  auto text = to_qt(utf8);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QTextCursor cursor(plan_text_->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text);
}

}  // namespace plandesk
