#include "lec03.h"

namespace {

const LessonWindowDefinition kDefinition{"lec03.ui", 3, "Lec03", "03", 12119015};

}  // namespace

TForm3::TForm3(QWidget* owner) : TLessonWindow(kDefinition, owner) {}
