#pragma once

#include "lessonwindow.h"

class QLabel;

// The final exam: written questions on five pages, saved like any written
// exercise and sent at once to the Monitor from the last page. Its
// translator hook opens the translator on the label under the mouse
// pointer, whatever was double-clicked.
class TForm12 : public TLessonWindow {
  Q_OBJECT
 public:
  TForm12(const LessonEntry& entry, QWidget* owner);

  // The label (static texts included) of this window under the mouse pointer; null when there is none.
  QLabel* LabelUnderPointer() const;
  void Tradukilo();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};
