#pragma once

#include "lessonwindow.h"

// Lesson 4: greetings, dates, questions with "Ĉu", vocabulary and a reading text, with the question drag game.
class TForm4 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm4(QWidget* owner);
};
