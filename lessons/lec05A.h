#pragma once

#include "lessonwindow.h"

// Lesson 6: the rest of the correlatives and relative sentences.
class TForm5A : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm5A(QWidget* owner);
};
