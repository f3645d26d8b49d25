#include "shell/settings_tab.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/look.h"
#include "ui/message_box.h"

namespace plandesk {
namespace {

struct KindRow {
  SettingsKind kind;
  int group;  // 0: 时时彩, 1: PK10, 2: 11选5
  const char* check_name;
  const char* caption;
  const char* cycle_name;
  const char* count_name;  // nullptr: no bet count
  const char* design_count;
};

using S = SettingsKind;

constexpr std::array<KindRow, plan_kind_count> kind_rows = {{
    {S::ssc_single, 0, "选择框_ssc后一定位", "开启后一定位计划", "编辑框_ssc后一定位",
     "编辑框_ssc后一定位注数", "5"},
    {S::ssc_size, 0, "选择框_ssc后一大小", "开启后一大小计划", "编辑框_ssc后一大小", nullptr, nullptr},
    {S::ssc_two, 0, "选择框_ssc后二", "开启后二计划", "编辑框_ssc后二", "编辑框_ssc后二注数", "50"},
    {S::ssc_three, 0, "选择框_ssc后三", "开启后三计划", "编辑框_ssc后三", "编辑框_ssc后三注数", "500"},
    {S::pk10_first, 1, "选择框_PK第一名", "开启第一名定位", "编辑框_PK第一名", "编辑框_PK第一名注数", "5"},
    {S::pk10_second, 1, "选择框_PK第二名", "开启第二名定位", "编辑框_PK第二名", "编辑框_PK第二名注数", "5"},
    {S::pk10_third, 1, "选择框_PK第三名", "开启第三名定位", "编辑框_PK第三名", "编辑框_PK第三名注数", "5"},
    {S::x11x5_first, 2, "选择框_11x5万位", "开启万位定位", "编辑框_11x5万位", "编辑框_11x5万位注数", "6"},
    {S::x11x5_second, 2, "选择框_11x5千位", "开启千位定位", "编辑框_11x5千位", "编辑框_11x5千位注数", "6"},
    {S::x11x5_third, 2, "选择框_11x5百位", "开启百位定位", "编辑框_11x5百位", "编辑框_11x5百位注数", "6"},
}};

struct GroupBox {
  const char* name;
  const char* title;
  QRect geometry;
};

const std::array<GroupBox, 3> group_boxes = {{
    {"分组框4", "时时彩设置", QRect(12, 8, 372, 206)},
    {"分组框5", "PK10设置", QRect(398, 8, 372, 162)},
    {"分组框6", "11选5设置", QRect(398, 180, 372, 162)},
}};

QString text_of(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

}  // namespace

SettingsTab::SettingsTab(std::filesystem::path data_dir, MessageBox& messages, QWidget* parent)
    : QWidget(parent), data_dir_(std::move(data_dir)), messages_(messages) {
  setObjectName(QStringLiteral("设置页"));

  std::array<QGroupBox*, 3> groups{};
  for (std::size_t g = 0; g < groups.size(); ++g) {
    groups[g] = new QGroupBox(QString::fromUtf8(group_boxes[g].title), this);
    groups[g]->setObjectName(QString::fromUtf8(group_boxes[g].name));
    groups[g]->setGeometry(group_boxes[g].geometry);
  }

  std::array<int, 3> rows_in_group{};
  for (const auto& row : kind_rows) {
    auto* group = groups[static_cast<std::size_t>(row.group)];
    const int y = 30 + 42 * rows_in_group[static_cast<std::size_t>(row.group)]++;
    auto& controls = kinds_[static_cast<std::size_t>(row.kind)];
    const auto caption = QString::fromUtf8(row.caption);

    controls.enabled = new QCheckBox(caption, group);
    controls.enabled->setObjectName(QString::fromUtf8(row.check_name));
    controls.enabled->setGeometry(14, y, 138, 24);
    controls.enabled->setChecked(true);

    auto* cycle_label = new QLabel(QStringLiteral("计划周期："), group);
    cycle_label->setObjectName(QStringLiteral("标签_%1周期").arg(caption));
    cycle_label->setGeometry(156, y, 70, 24);
    controls.cycle = new QLineEdit(QStringLiteral("3"), group);
    controls.cycle->setObjectName(QString::fromUtf8(row.cycle_name));
    controls.cycle->setGeometry(226, y, 44, 24);

    if (row.count_name) {
      auto* count_label = new QLabel(QStringLiteral("注数："), group);
      count_label->setObjectName(QStringLiteral("标签_%1注数").arg(caption));
      count_label->setGeometry(282, y, 44, 24);
      controls.count = new QLineEdit(QString::fromUtf8(row.design_count), group);
      controls.count->setObjectName(QString::fromUtf8(row.count_name));
      controls.count->setGeometry(322, y, 40, 24);
    }
  }

  auto* hint =
      new QLabel(QStringLiteral("修改后从下一期开奖起生效；点击“保存设置”后，下次启动仍然保留。"), this);
  hint->setObjectName(QStringLiteral("标签_设置说明"));
  hint->setGeometry(14, 226, 370, 40);
  hint->setWordWrap(true);
  hint->setStyleSheet(QStringLiteral("color: #5b6b7c;"));

  save_button_ = new QPushButton(QStringLiteral("保存设置"), this);
  save_button_->setObjectName(QStringLiteral("按钮3"));
  save_button_->setGeometry(650, 354, 120, 32);
  connect(save_button_, &QPushButton::clicked, this, &SettingsTab::save_settings);

  saved_note_ = new QLabel(this);
  saved_note_->setObjectName(QStringLiteral("标签_保存结果"));
  saved_note_->setGeometry(398, 358, 240, 24);
  saved_note_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  saved_note_->setStyleSheet(QStringLiteral("color: #1d7a3a;"));
}

PlanSettings SettingsTab::settings() const {
  PlanSettings settings;
  for (std::size_t i = 0; i < plan_kind_count; ++i) {
    const auto& controls = kinds_[i];
    auto& kind = settings.kinds[i];
    kind.enabled = controls.enabled->isChecked();
    kind.cycle = controls.cycle->text().toStdString();
    if (controls.count) kind.count = controls.count->text().toStdString();
  }
  return settings;
}

void SettingsTab::set_settings(const PlanSettings& settings) {
  for (std::size_t i = 0; i < plan_kind_count; ++i) {
    const auto& controls = kinds_[i];
    const auto& kind = settings.kinds[i];
    controls.enabled->setChecked(kind.enabled);
    controls.cycle->setText(text_of(kind.cycle));
    if (controls.count) controls.count->setText(text_of(kind.count));
  }
}

void SettingsTab::load_settings() {
  const auto loaded = plandesk::load_settings(data_dir_);
  set_settings(loaded.settings);
  saved_note_->clear();
  if (!loaded.error.empty())
    messages_.show(this, MessageIcon::warning,
                   QStringLiteral("读取设置文件失败，暂时使用默认设置。\n%1").arg(text_of(loaded.error)));
}

bool SettingsTab::save_settings() {
  const auto saved = plandesk::save_settings(data_dir_, settings());
  if (!saved.ok) {
    saved_note_->clear();
    messages_.show(
        this, MessageIcon::warning,
        QStringLiteral("设置没有保存成功，当前设置仍然有效，请稍后重试。\n%1").arg(text_of(saved.error)));
    return false;
  }
  saved_note_->setText(QStringLiteral("设置已保存"));
  return true;
}

}  // namespace plandesk
