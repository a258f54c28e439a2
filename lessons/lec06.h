#pragma once

#include "lessonwindow.h"

// Lesson 7: prepositions and two reading texts with their recordings.
class TForm6 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm6(QWidget* owner);
};
