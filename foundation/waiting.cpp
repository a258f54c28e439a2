#include "waiting.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

bool WaitUntil(const std::function<bool()>& done, double seconds) {
  if (done && done()) return true;
  QElapsedTimer clock;
  clock.start();
  const qint64 limit = static_cast<qint64>(seconds * 1000.0);
  bool reached = false;
  QEventLoop loop;
  QTimer tick;
  tick.setInterval(5);
  QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
    reached = done && done();
    if (reached || clock.elapsed() > limit) loop.quit();
  });
  tick.start();
  loop.exec();
  return reached;
}

void WaitSeconds(double seconds) { WaitUntil({}, seconds); }
