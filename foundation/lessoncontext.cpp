#include "lessoncontext.h"

LessonContext& CurrentLessonContext() {
  static LessonContext context;
  return context;
}

bool& ResumeRequested() {
  static bool requested = false;
  return requested;
}
