#pragma once
// Service requests made from a window run on Qt's thread pool, so the
// program keeps painting and reacting while the service answers; the result
// comes back on the user-interface thread.

#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>
#include <type_traits>
#include <utility>

namespace plandesk {

// Runs `work` on a pool thread, then `done(result)` on the thread of `owner`.
// Nothing is delivered once `owner` is gone. `work` must own what it reads
// (copies), since the window may change while it runs.
template <typename Work, typename Done>
void run_in_background(QObject* owner, Work work, Done done) {
  using Result = std::invoke_result_t<Work>;
  auto* watcher = new QFutureWatcher<Result>(owner);
  QObject::connect(watcher, &QFutureWatcherBase::finished, owner,
                   [watcher, done = std::move(done)]() mutable {
                     done(watcher->result());
                     watcher->deleteLater();
                   });
  watcher->setFuture(QtConcurrent::run(std::move(work)));
}

}  // namespace plandesk
