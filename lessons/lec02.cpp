#include "lec02.h"

namespace {

const LessonWindowDefinition kDefinition{"lec02.ui", 2, "Lec02", "02", 12708798};

}  // namespace

TForm2::TForm2(QWidget* owner) : TLessonWindow(kDefinition, owner) {}
