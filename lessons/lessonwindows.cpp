#include "lessonwindows.h"

#include "accusative.h"
#include "gapfilling.h"
#include "lessoncatalogue.h"
#include "listening.h"
#include "navigationbar.h"
#include "pagecontrol.h"
#include "pronunciation.h"
#include "uiloader.h"
#include "windowtranslation.h"
#include "wordgame.h"

std::unique_ptr<QDialog> CreateLessonWindow(int lessonValue, QWidget* owner, PageBuilding building) {
  const LessonEntry* entry = LessonOfValue(lessonValue);
  if (!entry) return nullptr;
  std::unique_ptr<TLessonWindow> window = entry->make(*entry, owner);
  if (!window->IsComplete()) return nullptr;
  window->FormCreate(building);
  return window;
}

void RegisterLessonWidgets() {
  for (const LessonEntry& entry : LessonCatalogue()) {
    RegisterWindowSection(QLatin1String(entry.windowName), QLatin1String(entry.section));
  }
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
