#include "player/qt_host/event_loop.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace pryx::player {

QtEventPump::QtEventPump() {
  wakeUp_.setSingleShot(true);
  wakeUp_.setTimerType(Qt::PreciseTimer);
}

void QtEventPump::pumpEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtEventPump::waitForEvents(int maxMilliseconds) {
  if (maxMilliseconds <= 0) {
    pumpEvents();
    return;
  }
  // The timer's own event ends the wait when nothing else comes first.
  wakeUp_.start(maxMilliseconds);
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  wakeUp_.stop();
}

void QtEventPump::sleep(int milliseconds) {
  if (milliseconds <= 0) return;
  QEventLoop loop;
  QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace pryx::player
