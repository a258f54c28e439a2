#pragma once

#include "lessonwindow.h"

// Lesson 11: primitive adverbs, telling the time, paired expressions, question forms and interjections.
class TForm10 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm10(QWidget* owner);
};
