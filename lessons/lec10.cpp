#include "lec10.h"

namespace {

const LessonWindowDefinition kDefinition{"lec10.ui", 11, "Lec10", "", 12708798};

}  // namespace

TForm10::TForm10(QWidget* owner) : TLessonWindow(kDefinition, owner) {}
