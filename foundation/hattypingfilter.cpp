#include "hattypingfilter.h"

#include "letters.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

bool HatTypingFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  // A key event travels up from the focused control to its parents when it is
  // not taken; only its first delivery counts as the typed character.
  QWidget* focus = QApplication::focusWidget();
  if (focus ? widget != focus : !widget->isWindow()) return false;

  auto* keyEvent = static_cast<QKeyEvent*>(event);
  constexpr auto commandModifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  if (keyEvent->modifiers() & commandModifiers) return false;
  const QString text = keyEvent->text();
  if (text.size() != 1 || !text[0].isPrint()) return false;

  QChar key = text[0];
  ApplyHatKey(key, focus ? focus : widget);
  if (key.isNull()) {
    event->accept();
    return true;
  }
  return false;
}
