#pragma once

#include "lessonwindow.h"

// Lesson 5: the table of correlatives, first half (the series in -u, -o, -a,
// -e and -am, their plural and accusative, the particle "ĉi"), with the word
// game, gap filling, pronunciation, listening and a written translation.
class TForm5 : public TLessonWindow {
  Q_OBJECT
 public:
  TForm5(const LessonEntry& entry, QWidget* owner);
};
