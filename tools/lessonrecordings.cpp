#include "recordingmaker.h"

#include "lessoncatalogue.h"
#include "lessonwindow.h"
#include "lessonwindows.h"

Voice LessonVoice() { return Voice{QStringLiteral("eo+f4"), 135, 50}; }

QList<Recording> CourseRecordings() {
  QList<Recording> list = SharedRecordings();
  RegisterLessonWidgets();
  for (const LessonEntry& entry : LessonCatalogue()) {
    const std::unique_ptr<QDialog> window = CreateLessonWindow(entry.lessonValue, nullptr);
    const auto* lessonWindow = dynamic_cast<const TLessonWindow*>(window.get());
    if (!lessonWindow) continue;
    for (const LessonRecording& recording : lessonWindow->Recordings()) {
      list.append({recording.relativePath, recording.text, LessonVoice()});
    }
  }
  return list;
}
