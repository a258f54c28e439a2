#include "lessonwindows.h"

#include "accusative.h"
#include "gapfilling.h"
#include "lec01.h"
#include "lec02.h"
#include "lec03.h"
#include "lec04.h"
#include "lec05.h"
#include "lec05A.h"
#include "lec06.h"
#include "lec07.h"
#include "lec08.h"
#include "lec09.h"
#include "lec10.h"
#include "lec11.h"
#include "lec12.h"
#include "listening.h"
#include "navigationbar.h"
#include "pagecontrol.h"
#include "pronunciation.h"
#include "uiloader.h"
#include "wordgame.h"

std::unique_ptr<QDialog> CreateLessonWindow(int lessonValue, QWidget* owner) {
  std::unique_ptr<TLessonWindow> window;
  switch (lessonValue) {
    case 1: window = std::make_unique<TForm1>(owner); break;
    case 2: window = std::make_unique<TForm2>(owner); break;
    case 3: window = std::make_unique<TForm3>(owner); break;
    case 4: window = std::make_unique<TForm4>(owner); break;
    case 5: window = std::make_unique<TForm5>(owner); break;
    case 6: window = std::make_unique<TForm5A>(owner); break;
    case 7: window = std::make_unique<TForm6>(owner); break;
    case 8: window = std::make_unique<TForm7>(owner); break;
    case 9: window = std::make_unique<TForm8>(owner); break;
    case 10: window = std::make_unique<TForm9>(owner); break;
    case 11: window = std::make_unique<TForm10>(owner); break;
    case 12: window = std::make_unique<TForm11>(owner); break;
    case 13: window = std::make_unique<TForm12>(owner); break;
    default: return nullptr;
  }
  if (!window->IsComplete()) return nullptr;
  window->FormCreate();
  return window;
}

void RegisterLessonWidgets() {
  // Every page control of the stored layouts belongs to a fixed-size window.
  PelanoUiLoader::RegisterWidgetClass(QStringLiteral("QTabWidget"),
                                      [](QWidget* parent) { return new PageControl(parent); });
  PelanoUiLoader::RegisterWidgetClass(QStringLiteral("TFrame6"), [](QWidget* parent) { return new TFrame6(parent); });
  PelanoUiLoader::RegisterWidgetClass(QStringLiteral("TFrame1"), [](QWidget* parent) { return new TFrame1(parent); });
  PelanoUiLoader::RegisterWidgetClass(QStringLiteral("TFrame3"), [](QWidget* parent) { return new TFrame3(parent); });
  PelanoUiLoader::RegisterWidgetClass(QStringLiteral("TFrame2"), [](QWidget* parent) { return new TFrame2(parent); });
  PelanoUiLoader::RegisterWidgetClass(QStringLiteral("TFrame4"), [](QWidget* parent) { return new TFrame4(parent); });
  PelanoUiLoader::RegisterWidgetClass(QStringLiteral("TFrame5"), [](QWidget* parent) { return new TFrame5(parent); });
}
