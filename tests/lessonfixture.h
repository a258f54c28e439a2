#pragma once

#include "lessonwindows.h"
#include "settings.h"
#include "testsupport.h"

#include <QStringList>

#include <memory>

// A program folder for lesson windows: the built exercise data files named,
// stand-in files (empty recordings, folder markers) and the settings file
// open while it lives.
struct LessonFiles {
  TempProgramFolder folder;
  explicit LessonFiles(const QStringList& dataFiles, const QStringList& standIns = {});
  ~LessonFiles();
};

// The built file of the course below the program folder of the build.
QByteArray BuiltFile(const QString& relative);

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
