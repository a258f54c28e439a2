#include "lec12.h"

#include "statictext.h"
#include "translatablelabels.h"
#include "translator.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>

TForm12::TForm12(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}

QLabel* TForm12::LabelUnderPointer() const {
  auto* label = qobject_cast<QLabel*>(QApplication::widgetAt(QCursor::pos()));
  if (!label || label->window() != this) return nullptr;
  // Pictures are labels to the toolkit only.
  return IsPlainLabel(label) || qobject_cast<StaticText*>(label) ? label : nullptr;
}

void TForm12::Tradukilo() {
  if (QLabel* label = LabelUnderPointer()) OpenTranslator(label, objectName());
}

void TForm12::mouseDoubleClickEvent(QMouseEvent* event) {
  Tradukilo();
  event->accept();
}

bool TForm12::eventFilter(QObject* watched, QEvent* event) {
  // The window watches the whole application, so it sees a double-click on
  // one of its labels before the label's own handlers: the exam's hook
  // replaces the shared one.
  if (event->type() == QEvent::MouseButtonDblClick && qobject_cast<QLabel*>(watched) &&
      static_cast<QWidget*>(watched)->window() == this) {
    Tradukilo();
    return true;
  }
  return TLessonWindow::eventFilter(watched, event);
}
