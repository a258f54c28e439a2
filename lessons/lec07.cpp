#include "lec07.h"

namespace {

const LessonWindowDefinition kDefinition{"lec07.ui", 8, "Lec07", "", 12119015};

}  // namespace

TForm7::TForm7(QWidget* owner) : TLessonWindow(kDefinition, owner) {}
