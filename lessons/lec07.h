#pragma once

#include "lessonwindow.h"

// Lesson 8: comparison, the superlative, prefixes and suffixes. A run of
// either gap-filling drill goes on while the learner looks at other pages
// and ends, without verdict, when the learner comes back to its page.
class TForm7 : public TLessonWindow {
  Q_OBJECT
 public:
  TForm7(const LessonEntry& entry, QWidget* owner);

 protected:
  void LessonPageChanged() override;
};
