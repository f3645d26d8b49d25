#pragma once
// The one way the windows tell the user something: a message box with a
// fixed text and only an OK button. Windows receive a MessageBox and never
// open dialogs on their own, so tests hand them one that records the texts
// instead of waiting for a click.

#include <QString>

class QWidget;

namespace plandesk {

enum class MessageIcon { none, information, warning };

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Shows `text` over `parent` with only an OK button.
  virtual void show(QWidget* parent, MessageIcon icon, const QString& text) = 0;
};

// The real boxes, on screen: modal to their window, without a nested event
// loop, so timers and replies keep flowing while a box waits for its OK.
class QtMessageBox final : public MessageBox {
 public:
  void show(QWidget* parent, MessageIcon icon, const QString& text) override;
};

}  // namespace plandesk
