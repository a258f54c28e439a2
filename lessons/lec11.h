#pragma once

#include "lessonwindow.h"

// Lesson 12: transitivity, word building, a song and a press article.
class TForm11 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm11(QWidget* owner);
};
