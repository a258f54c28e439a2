#include "coursesounds.h"

#include "letters.h"
#include "lessoncontext.h"
#include "messages.h"
#include "playerhelpers.h"
#include "programpaths.h"
#include "uiloader.h"

#include <QAbstractButton>
#include <QMessageBox>

QString WordRecordingFileName(const QString& componentName, int tag, const QString& caption) {
  if (tag > 0) return QStringLiteral("btn") + componentName.mid(6, 3) + QStringLiteral(".mp3");
  QString name = ToLetterSystem(FoldEsperantoCase(caption, true), 1);
  if (name == QLatin1String("aux")) name = QStringLiteral("auh");
  return name + QStringLiteral(".mp3");
}

QString LessonRecordingPath(const QString& fileName) {
  return QStringLiteral("sonoj\\lec") + CurrentLessonContext().LessonNumber + QLatin1Char('\\') + fileName;
}

void SpeakWordButton(QAbstractButton* button) {
  if (!button) return;
  const QString path =
      LessonRecordingPath(WordRecordingFileName(button->objectName(), ComponentTag(button), button->text()));
  if (!DataFileExists(path)) {
    ShowNoSoundMessage(button->window());
    return;
  }
  StartPlaying(DataPath(path));
}

void ShowNoSoundMessage(QWidget* parent) {
  QMessageBox::information(parent, ApplicationTitle, Messages().smNeSono, QMessageBox::Ok);
}
