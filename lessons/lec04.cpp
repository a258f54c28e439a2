#include "lec04.h"

namespace {

const LessonWindowDefinition kDefinition{"lec04.ui", 4, "Lec04", "04", 12239318};

}  // namespace

TForm4::TForm4(QWidget* owner) : TLessonWindow(kDefinition, owner) {}
