#include "lec05A.h"

namespace {

const LessonWindowDefinition kDefinition{"lec05A.ui", 6, "Lec05A", "5A", 12239318};

}  // namespace

TForm5A::TForm5A(QWidget* owner) : TLessonWindow(kDefinition, owner) {}
