#pragma once

#include "lessonwindow.h"

// Lesson 2: the feminine suffix -in-, the accusative, the prefix mal-, the song with pictures in time with the music, vocabulary.
class TForm2 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm2(QWidget* owner);
};
