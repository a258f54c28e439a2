#include "lec05A.h"

TForm5A::TForm5A(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}
