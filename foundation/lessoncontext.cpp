#include "lessoncontext.h"

LessonContext& CurrentLessonContext() {
  static LessonContext context;
  return context;
}
