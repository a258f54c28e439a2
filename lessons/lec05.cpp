#include "lec05.h"

namespace {

const LessonWindowDefinition kDefinition{"lec05.ui", 5, "Lec05", "05", 14929324};

}  // namespace

TForm5::TForm5(QWidget* owner) : TLessonWindow(kDefinition, owner) {}
