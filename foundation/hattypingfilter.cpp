#include "hattypingfilter.h"

#include "letters.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// The character a key types that is no letter: Backspace, Tab, Enter,
// Escape and Delete are typed characters too, and each of them ends a pair
// (s, c, Backspace, x must not turn the s into a ĉ). Null for any other key.
QChar ControlCharacterOf(int key) {
  switch (key) {
    case Qt::Key_Backspace: return QChar(0x08);
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return QChar(0x09);
    case Qt::Key_Return:
    case Qt::Key_Enter: return QChar(0x0D);
    case Qt::Key_Escape: return QChar(0x1B);
    case Qt::Key_Delete: return QChar(0x7F);
    default: return QChar();
  }
}

}  // namespace

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
  if (QChar control = ControlCharacterOf(keyEvent->key()); !control.isNull()) {
    ApplyHatKey(control, focus ? focus : widget);
    return false;
  }
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
