#pragma once

#include "lessonwindow.h"

// Lesson 9: more suffixes, word order and a short poem.
class TForm8 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm8(QWidget* owner);
};
