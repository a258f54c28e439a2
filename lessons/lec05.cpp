#include "lec05.h"

TForm5::TForm5(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}
