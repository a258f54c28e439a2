#include "lec06.h"

namespace {

const LessonWindowDefinition kDefinition{"lec06.ui", 7, "Lec06", "06", 12708798};

}  // namespace

TForm6::TForm6(QWidget* owner) : TLessonWindow(kDefinition, owner) {}
