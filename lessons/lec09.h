#pragma once

#include "lessonwindow.h"

// Lesson 10: moods, indirect speech, important verbs, participles and "si".
class TForm9 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm9(QWidget* owner);
};
