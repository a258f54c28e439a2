#pragma once

#include "lessonwindow.h"

// The final exam: written questions on five pages, sent at once to the Monitor.
class TForm12 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm12(QWidget* owner);
};
