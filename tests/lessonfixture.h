#pragma once

#include "lessonwindows.h"
#include "ownedcomponents.h"
#include "settings.h"
#include "testsupport.h"

#include <QList>
#include <QStringList>

#include <memory>

class QPushButton;

// A program folder for lesson windows: the built exercise data files named,
// stand-in files (empty recordings, folder markers) and the settings file
// open while it lives.
struct LessonFiles {
  TempProgramFolder folder;
  explicit LessonFiles(const QStringList& dataFiles, const QStringList& standIns = {});
  ~LessonFiles();
};

// What every lesson suite needs once: the lesson widgets known to the
// loader and the built-in messages.
void StartLessonSuite();
// What every lesson test starts from: fresh settings, no resume asked.
void FreshLessonState();

// The built file of the course below the program folder of the build.
QByteArray BuiltFile(const QString& relative);

// The window's own component of that name: the frames inside hold
// components of the same names.
template <typename T>
T* Own(QWidget* window, const QString& name) {
  return qobject_cast<T*>(OwnedComponent(window, name));
}
template <typename T>
T* Own(QWidget* window, const char* name) {
  return Own<T>(window, QLatin1String(name));
}

// The window's speaking buttons ("Button" + digits), in layout order.
QList<QPushButton*> SpeakingButtons(QWidget* window);

// A lesson window of its class, built as the main menu builds it; null when
// the window cannot be made or is of another class.
template <typename Window>
std::unique_ptr<Window> OpenLesson(int lessonValue) {
  std::unique_ptr<QDialog> window = CreateLessonWindow(lessonValue, nullptr);
  auto* form = dynamic_cast<Window*>(window.get());
  if (!form) return nullptr;
  window.release();
  return std::unique_ptr<Window>(form);
}
