#pragma once
// The settings tab: for every plan kind its switch, cycle and bet count, and
// the button that saves them to "mcmpz.ini". The dispatch reads the controls
// afresh every cycle, so a change counts at the next draw, saved or not.

#include <QWidget>
#include <array>
#include <filesystem>

#include "settings/plan_settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace plandesk {

class MessageBox;

class SettingsTab : public QWidget {
  Q_OBJECT
 public:
  SettingsTab(std::filesystem::path data_dir, MessageBox& messages, QWidget* parent = nullptr);

  PlanSettings settings() const;
  void set_settings(const PlanSettings& settings);

  // Fills the controls from the file, writing the default file first when
  // there is none. A file that cannot be used is reported; the controls then
  // show the defaults.
  void load_settings();
  // What "保存设置" does. False, after telling the user, when the file could
  // not be written; the controls keep their values.
  bool save_settings();

 private:
  struct KindControls {
    QCheckBox* enabled = nullptr;
    QLineEdit* cycle = nullptr;
    QLineEdit* count = nullptr;  // none for the big/small kind
  };

  std::filesystem::path data_dir_;
  MessageBox& messages_;
  std::array<KindControls, plan_kind_count> kinds_{};
  QPushButton* save_button_ = nullptr;
  QLabel* saved_note_ = nullptr;
};

}  // namespace plandesk
