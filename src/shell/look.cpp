#include "shell/look.h"

#include <QStringList>

namespace plandesk {

QFont cjk_font(double point_size, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("PingFang SC"),
                    QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                    QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimSun")});
  font.setPointSizeF(point_size);
  font.setBold(bold);
  return font;
}

QString main_window_style() {
  return QStringLiteral(R"(
QTabWidget::pane { border: 1px solid #b8c7d9; background: #f3f6fa; top: -1px; }
QTabBar::tab { background: #dde6f0; color: #3a4b5e; border: 1px solid #b8c7d9; border-bottom: none;
               padding: 4px 18px; margin-right: 2px; border-top-left-radius: 4px; border-top-right-radius: 4px; }
QTabBar::tab:selected { background: #f3f6fa; color: #0b3a6e; font-weight: bold; }
QTabBar::tab:hover:!selected { background: #e9eff6; }
QGroupBox { border: 1px solid #b8c7d9; border-radius: 5px; margin-top: 12px; background: #fbfcfe; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; color: #0b3a6e; font-weight: bold; }
QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2b8ad0, stop:1 #16659f);
              color: white; border: 1px solid #125488; border-radius: 4px; padding: 4px 14px; }
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a9be0, stop:1 #1b73b3); }
QPushButton:pressed { background: #125488; }
QPushButton:disabled { background: #c5ced8; border-color: #aab5c2; color: #eef1f5; }
QLineEdit { border: 1px solid #b8c7d9; border-radius: 3px; padding: 2px 4px; background: white; }
QLineEdit:focus { border-color: #2b8ad0; }
QLineEdit:disabled { background: #eceff3; color: #7a8694; }
QPlainTextEdit, QTreeWidget { border: 1px solid #b8c7d9; background: white; alternate-background-color: #f1f5fa; }
QHeaderView::section { background: #e4ebf3; color: #3a4b5e; border: none; border-right: 1px solid #cdd8e4;
                       border-bottom: 1px solid #cdd8e4; padding: 3px 4px; }
QRadioButton, QCheckBox, QLabel { color: #222b36; }
)");
}

}  // namespace plandesk
