#pragma once
// The message boxes the windows raise: fixed texts with only an OK button.
// Windows take a MessageBox so that tests can record what would be shown.

#include <QString>

class QWidget;

namespace plandesk {

enum class MessageIcon { none, information, warning };

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Shows `text` with an OK button, owned by `parent`, and returns when the
  // user has closed it.
  virtual void show(QWidget* parent, MessageIcon icon, const QString& text) = 0;
};

// The real boxes, modal to their parent.
class QtMessageBox final : public MessageBox {
 public:
  void show(QWidget* parent, MessageIcon icon, const QString& text) override;
};

}  // namespace plandesk
