#include "coursetour.h"

#include "credits.h"
#include "figurejo.h"
#include "konfig.h"
#include "languagechoice.h"
#include "lessonwindow.h"
#include "lessonwindows.h"
#include "messages.h"
#include "pelanowindow.h"
#include "picturestore.h"
#include "programpaths.h"
#include "programstart.h"
#include "settings.h"
#include "translationfile.h"
#include "translationpaths.h"
#include "translationtablewindow.h"
#include "translator.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

// Lets every layout request and paint of a window change settle.
void Settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
  }
}

// A program folder of its own, its data linked from the built one, so that
// the settings written during the tour stay out of the built course.
class LinkedProgramFolder {
 public:
  explicit LinkedProgramFolder(const QString& built) {
    const QDir source(built);
    for (const QString& name : source.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
      if (name.startsWith(QLatin1String("konfig.ini"))) continue;
      QFile::link(source.absoluteFilePath(name), dir_.filePath(name));
    }
    QStandardPaths::setTestModeEnabled(true);
    SetProgramFolder(dir_.path());
    SetUserTranslationFolder(dir_.filePath(QStringLiteral("user-data/tradukoj/")));
  }
  ~LinkedProgramFolder() {
    SetProgramFolder(QString());
    SetUserTranslationFolder(QString());
  }
  void WriteSettings(const CourseLanguage& language) const {
    QByteArray settings = QByteArray(
                              "[\xD8"
                              "enerala]\r\nLingvo=") +
                          language.name.toUtf8() + "\r\n";
    if (!language.file.isEmpty()) settings += "Dosiero=" + language.file.toUtf8() + "\r\nTiparo=DejaVu Sans\r\n";
    QFile file(dir_.filePath(QStringLiteral("konfig.ini")));
    if (file.open(QIODevice::WriteOnly)) file.write(settings);
  }

 private:
  QTemporaryDir dir_;
};

void Show(QWidget& window, const QString& windowName, const QString& page,
          const std::function<void(const CoursePage&)>& visit) {
  if (!window.isVisible()) window.show();
  Settle();
  visit({windowName, page, &window});
}

void ShowPages(QWidget& window, QTabWidget* pages, const std::function<void(const CoursePage&)>& visit) {
  window.show();
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    Show(window, window.objectName(),
         QStringLiteral("%1 %2").arg(i + 1, 2, 10, QLatin1Char('0')).arg(pages->widget(i)->objectName()), visit);
  }
}

void ShowMessageBox(QWidget* owner, const QString& name, const QString& text, QMessageBox::StandardButtons buttons,
                    const std::function<void(const CoursePage&)>& visit) {
  QMessageBox box(QMessageBox::Question, ApplicationTitle, text, buttons, owner);
  box.setTextFormat(Qt::PlainText);
  Show(box, QStringLiteral("QMessageBox"), name, visit);
}

}  // namespace

QList<CourseLanguage> ShippedLanguages() {
  return {{QStringLiteral("Português"), QString(), QStringLiteral("pt")},
          {QStringLiteral("English"), QStringLiteral("angla.trd"), QStringLiteral("en")},
          {QStringLiteral("Español"), QStringLiteral("hispana.trd"), QStringLiteral("es")}};
}

void PrepareCourseTour(const QString& programFolder) {
  SetApplicationIdentity();
  SetProgramFolder(programFolder);
  RegisterCourseFonts();
  SetProgramFolder(QString());
  SetPictureStoreFactory([] { return new TFigurejo; });
  RegisterLessonWidgets();
}

void TourCourse(const QString& programFolder, const CourseLanguage& language,
                const std::function<void(const CoursePage&)>& visit) {
  LinkedProgramFolder folder(programFolder);
  folder.WriteSettings(language);
  CurrentSettings() = Settings{};
  {
    TPelano menu;
    Show(menu, menu.objectName(), menu.objectName(), visit);

    for (int lesson = 1; lesson <= 13; ++lesson) {
      std::unique_ptr<QDialog> window = CreateLessonWindow(lesson, &menu);
      auto* form = dynamic_cast<TLessonWindow*>(window.get());
      if (!form) continue;
      ShowPages(*form, form->Pagxaro(), visit);
      form->close();
    }

    TForm13 settings(
        menu.TranslationFiles(), [] {}, &menu);
    Show(settings, settings.objectName(), settings.objectName(), visit);
    settings.hide();

    TForm15 credits(&menu);
    ShowPages(credits, credits.findChild<QTabWidget*>(QStringLiteral("PageControl1")), visit);
    credits.hide();

    TForm17 choice(menu.TranslationFiles(), QStringLiteral("PTB"), &menu);
    Show(choice, choice.objectName(), choice.objectName(), visit);
    choice.hide();

    TForm19 translator(&menu);
    Show(translator, translator.objectName(), translator.objectName(), visit);
    translator.hide();
    if (TranslationFile()) {
      TranslationTableWindow table(&menu);
      Show(table, QStringLiteral("TranslationTableWindow"), QStringLiteral("TranslationTableWindow"), visit);
    }

    ShowMessageBox(&menu, QStringLiteral("smModifis"), Messages().smModifis,
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, visit);
    ShowMessageBox(&menu, QStringLiteral("smTondujo"), Messages().smTondujo, QMessageBox::Ok | QMessageBox::Cancel,
                   visit);
  }
  CloseTranslationFile();
  CurrentSettings() = Settings{};
}
