#include "lec08.h"

namespace {

const LessonWindowDefinition kDefinition{"lec08.ui", 9, "Lec08", "", 12239318};

}  // namespace

TForm8::TForm8(QWidget* owner) : TLessonWindow(kDefinition, owner) {}
