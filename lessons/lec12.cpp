#include "lec12.h"

namespace {

const LessonWindowDefinition kDefinition{"lec12.ui", 13, "Lec12", "", 14929324};

}  // namespace

TForm12::TForm12(QWidget* owner) : TLessonWindow(kDefinition, owner) {}
