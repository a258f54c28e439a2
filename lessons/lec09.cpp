#include "lec09.h"

namespace {

const LessonWindowDefinition kDefinition{"lec09.ui", 10, "Lec09", "", 14929324};

}  // namespace

TForm9::TForm9(QWidget* owner) : TLessonWindow(kDefinition, owner) {}
