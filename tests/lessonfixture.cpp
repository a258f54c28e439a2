#include "lessonfixture.h"

#include "messages.h"
#include "resumerequest.h"

#include <QPushButton>
#include <QRegularExpression>

void StartLessonSuite() {
  RegisterLessonWidgets();
  SetBuiltInMessages();
}

void FreshLessonState() {
  CurrentSettings() = Settings{};
  ResumeRequested() = false;
}

QByteArray BuiltFile(const QString& relative) { return ReadFileBytes(QStringLiteral(PELANO_PROGRAM_DIR) + relative); }

LessonFiles::LessonFiles(const QStringList& dataFiles, const QStringList& standIns) {
  for (const QString& data : dataFiles) folder.Write("ekzercoj/" + data, BuiltFile("ekzercoj/" + data));
  for (const QString& standIn : standIns) folder.Write(standIn, "");
  OpenSettingsFile();
}

LessonFiles::~LessonFiles() { CloseSettingsFile(); }

QList<QPushButton*> SpeakingButtons(QWidget* window) {
  static const QRegularExpression speakingName(QStringLiteral("^Button\\d+$"));
  QList<QPushButton*> buttons;
  for (QWidget* component : OwnedComponents(window)) {
    auto* button = qobject_cast<QPushButton*>(component);
    if (button && speakingName.match(button->objectName()).hasMatch()) buttons.append(button);
  }
  return buttons;
}
