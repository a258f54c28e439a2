#include "lessonwindows.h"

#include "lec01.h"
#include "listening.h"
#include "navigationbar.h"
#include "pronunciation.h"
#include "wordgame.h"
#include "uiloader.h"

std::unique_ptr<QDialog> CreateLessonWindow(int lessonValue, QWidget* owner) {
  std::unique_ptr<TLessonWindow> window;
  switch (lessonValue) {
    case 1: window = std::make_unique<TForm1>(owner); break;
    default: return nullptr;
  }
  if (!window->IsComplete()) return nullptr;
  window->FormCreate();
  return window;
}

void RegisterLessonWidgets() {
  PelanoUiLoader::RegisterWidgetClass(QStringLiteral("TFrame6"), [](QWidget* parent) { return new TFrame6(parent); });
  PelanoUiLoader::RegisterWidgetClass(QStringLiteral("TFrame1"), [](QWidget* parent) { return new TFrame1(parent); });
  PelanoUiLoader::RegisterWidgetClass(QStringLiteral("TFrame3"), [](QWidget* parent) { return new TFrame3(parent); });
  PelanoUiLoader::RegisterWidgetClass(QStringLiteral("TFrame2"), [](QWidget* parent) { return new TFrame2(parent); });
  // The exercise frames take their places on the pages; until their drills
  // are built they are empty frames.
  for (const char* frame : {"TFrame4", "TFrame5"}) {
    if (!PelanoUiLoader::IsKnownClass(QLatin1String(frame))) {
      PelanoUiLoader::RegisterWidgetClass(QLatin1String(frame), [](QWidget* parent) { return new TFrame(parent); });
    }
  }
}
