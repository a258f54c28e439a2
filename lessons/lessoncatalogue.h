#pragma once

#include "drillhost.h"

#include <QString>

#include <memory>
#include <span>

class QWidget;
class TLessonWindow;
struct LessonEntry;

using LessonWindowMaker = std::unique_ptr<TLessonWindow> (*)(const LessonEntry& entry, QWidget* owner);

// One window of the course: everything that sets it apart, in one row.
struct LessonEntry {
  int lessonValue;          // 1 to 13 as the main menu counts them; stored as LastaLeciono
  const char* menuButton;   // the main menu's button that opens it
  const char* windowName;   // the component name of the window in its layout
  const char* layout;       // its stored layout, such as "lec01.ui"
  const char* section;      // its section of the translation files
  unsigned colour;          // window colour, choosing the heading strips
  const char* soundFolder;  // its recordings, "sonoj\lec" + folder; empty: it has none
  DrillCodes drills;
  LessonWindowMaker make;
};

// Every window of the course, lessons in menu order and the final exam last.
std::span<const LessonEntry> LessonCatalogue();
// The entry of a lesson value, a menu button or a window name; null when
// the course has none.
const LessonEntry* LessonOfValue(int lessonValue);
const LessonEntry* LessonOfButton(const QString& menuButton);
const LessonEntry* LessonOfWindow(const QString& windowName);
