#pragma once
// SIGTERM and SIGINT (a session ending, Ctrl+C in a terminal) close the
// program the way its close box does, so the plan store and the files are
// left in order instead of the process being cut off.

#include <QObject>

class QSocketNotifier;

namespace plandesk {

// Catches SIGTERM and SIGINT from now on. Call first thing in main(): a
// signal that arrives before the event loop runs is kept until it does.
void catch_termination_signals();

// Turns a caught signal into `requested()` on the user-interface thread.
class TerminationWatch : public QObject {
  Q_OBJECT

 public:
  explicit TerminationWatch(QObject* parent = nullptr);

 signals:
  void requested();

 private:
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace plandesk
