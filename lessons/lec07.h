#pragma once

#include "lessonwindow.h"

// Lesson 8: comparison, the superlative, prefixes and suffixes.
class TForm7 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm7(QWidget* owner);
};
