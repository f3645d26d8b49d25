#pragma once
// The one way the windows tell the user something: a message box with only
// an OK button. Windows receive a MessageBox and never open dialogs on their
// own, so tests hand them one that records the texts instead of waiting for a
// click.

#include <QString>

class QWidget;

namespace plandesk {

enum class MessageIcon { none, information };

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Shows `text` over `parent` with only an OK button. Does not wait for the
  // user: the box is modal to its window, the caller carries on.
  virtual void show(QWidget* parent, const QString& text, MessageIcon icon = MessageIcon::none) = 0;
};

// The real boxes, on screen.
class DialogMessageBox : public MessageBox {
 public:
  void show(QWidget* parent, const QString& text, MessageIcon icon = MessageIcon::none) override;
};

}  // namespace plandesk
