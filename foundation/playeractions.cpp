#include "playeractions.h"

#include <QHash>
#include <QWidget>

namespace {

QHash<QString, EndOfStreamAction>& EndOfStreamActions() {
  static QHash<QString, EndOfStreamAction> actions;
  return actions;
}

TimecodeListener& Listener() {
  static TimecodeListener listener;
  return listener;
}

}  // namespace

void RegisterEndOfStreamAction(const QString& windowName, EndOfStreamAction action) {
  EndOfStreamActions().insert(windowName, std::move(action));
}

void RunEndOfStreamAction(QWidget* window) {
  for (QWidget* owner = window; owner; owner = owner->parentWidget()) {
    const auto it = EndOfStreamActions().constFind(owner->objectName());
    if (it == EndOfStreamActions().constEnd()) continue;
    if (*it) (*it)(owner);
    return;
  }
}

void SetTimecodeListener(TimecodeListener listener) { Listener() = std::move(listener); }

void ForwardTimecode(int hours, int minutes, int seconds, int hundredths) {
  if (Listener()) Listener()(hours, minutes, seconds, hundredths);
}
