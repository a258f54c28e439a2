#pragma once

#include "lessonwindow.h"

// Lesson 3: adverbs, numerals, ordinal numerals and numeral adverbs, with the number dictation.
class TForm3 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm3(QWidget* owner);
};
