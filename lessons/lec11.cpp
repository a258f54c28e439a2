#include "lec11.h"

namespace {

const LessonWindowDefinition kDefinition{"lec11.ui", 12, "Lec11", "", 12239318};

}  // namespace

TForm11::TForm11(QWidget* owner) : TLessonWindow(kDefinition, owner) {}
