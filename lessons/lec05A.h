#pragma once

#include "lessonwindow.h"

// Lesson 6: the rest of the correlatives (the series in -el, -om, -al, -es,
// direction in -en, the pairs and "ajn") and relative sentences, with the
// word game, gap filling, pronunciation, listening, the accusative exercise
// and a written translation. Its recordings and data carry the number "5A".
class TForm5A : public TLessonWindow {
  Q_OBJECT
 public:
  TForm5A(const LessonEntry& entry, QWidget* owner);
};
