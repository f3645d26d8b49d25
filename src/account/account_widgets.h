#pragma once
// Small builders for the account windows' controls: every control gets its
// design name as objectName and an absolute place, as the windows were laid
// out.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>

namespace plandesk {

inline QLabel* place_label(QWidget* parent, const QString& text, QRect where,
                           Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(where);
  label->setAlignment(align);
  return label;
}

inline QLineEdit* place_edit(QWidget* parent, const QString& name, QRect where, bool masked) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setGeometry(where);
  if (masked) {
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet("lineedit-password-character: 42;");  // shown as "*"
  }
  return edit;
}

inline QPushButton* place_button(QWidget* parent, const QString& name, const QString& text, QRect where) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(where);
  return button;
}

}  // namespace plandesk
