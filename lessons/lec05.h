#pragma once

#include "lessonwindow.h"

// Lesson 5: the table of correlatives, first half.
class TForm5 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm5(QWidget* owner);
};
