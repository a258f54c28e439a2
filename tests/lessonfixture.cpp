#include "lessonfixture.h"

#include "messages.h"
#include "resumerequest.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>

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

QString PagesDiffer(const QTabWidget* pages, const QList<ExpectedPage>& expected) {
  if (pages->count() != expected.size())
    return QStringLiteral("%1 pages, not %2").arg(pages->count()).arg(expected.size());
  for (int i = 0; i < pages->count(); ++i) {
    const QWidget* page = pages->widget(i);
    const ExpectedPage& want = expected[i];
    if (page->objectName() != QLatin1String(want.name) || page->property("icon").toInt() != want.icon ||
        page->property("tag").toInt() != want.tag) {
      return QStringLiteral("page %1 is %2 (icon %3, tag %4), not %5 (icon %6, tag %7)")
          .arg(i + 1)
          .arg(page->objectName())
          .arg(page->property("icon").toInt())
          .arg(page->property("tag").toInt())
          .arg(QLatin1String(want.name))
          .arg(want.icon)
          .arg(want.tag);
    }
  }
  return QString();
}

QList<QPushButton*> SpeakingButtons(QWidget* window) {
  static const QRegularExpression speakingName(QStringLiteral("^Button\\d+$"));
  QList<QPushButton*> buttons;
  for (QWidget* component : OwnedComponents(window)) {
    auto* button = qobject_cast<QPushButton*>(component);
    if (button && speakingName.match(button->objectName()).hasMatch()) buttons.append(button);
  }
  return buttons;
}
