#include "shell/termination.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace plandesk {
namespace {

// The handler may only write to a pipe; the event loop reads it.
int signal_pipe[2] = {-1, -1};

void on_signal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signal_pipe[1], &byte, 1);
}

}  // namespace

void catch_termination_signals() {
  if (signal_pipe[0] >= 0 || ::pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
}

TerminationWatch::TerminationWatch(QObject* parent) : QObject(parent) {
  if (signal_pipe[0] < 0) return;
  notifier_ = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (::read(signal_pipe[0], bytes, sizeof bytes) > 0) {
    }
    emit requested();
  });
}

}  // namespace plandesk
