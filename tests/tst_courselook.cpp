#include "konfig.h"
#include "lec02.h"
#include "lessonwindows.h"
#include "mp3player.h"
#include "pelanowindow.h"
#include "programpaths.h"
#include "programstart.h"
#include "qttranslations.h"
#include "settings.h"
#include "songlyrics.h"
#include "testsupport.h"
#include "translationfile.h"

#include <QComboBox>
#include <QFile>
#include <QFontComboBox>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

const QByteArray kGeneral = QByteArray(
    "[\xD8"
    "enerala]\r\n");

// The captions of a Yes / No / Cancel box as the learner reads them.
QStringList StandardCaptions() {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Pelano"), QStringLiteral("?"),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  QStringList captions;
  for (auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
    captions.append(box.button(button)->text().remove(QLatin1Char('&')));
  }
  return captions;
}

}  // namespace

// What the learner sees beyond the layouts themselves: Qt's own buttons in
// the course language, the font box, the lesson books of the menu, the
// lines of the song and the end of the program.
class TestCourseLook : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    SetApplicationIdentity();
    SetProgramFolder(QStringLiteral(PELANO_PROGRAM_DIR));
    RegisterCourseFonts();
    RegisterLessonWidgets();
  }
  void init() {
    CurrentSettings() = Settings{};
    SetProgramFolder(QStringLiteral(PELANO_PROGRAM_DIR));
  }
  void cleanup() {
    CloseTranslationFile();
    SpeakQtInCourseLanguage(QStringLiteral("en"));
  }

  void qtsButtonsSpeakTheCourseLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("Portuguese") << "pt_BR" << QStringList{"Sim", "Não", "Cancelar"};
    QTest::newRow("English") << "EN" << QStringList{"Yes", "No", "Cancel"};
    QTest::newRow("Spanish") << "ES" << QStringList{"Sí", "No", "Cancelar"};
  }
  void qtsButtonsSpeakTheCourseLanguage() {
    QFETCH(QString, language);
    QFETCH(QStringList, captions);
    SpeakQtInCourseLanguage(language);
    QCOMPARE(StandardCaptions(), captions);
  }

  // For a language Qt has no translation of, the translation file's own
  // captions stand in; one it lacks stays Qt's.
  void aLanguageQtLacksTakesTheTranslationsCaptions() {
    TempProgramFolder folder;
    folder.Write("tradukoj/esperanto.trd",
                 "[Traduko]\r\nLingvo=Esperanto\r\nLingvoID=EO\r\n[QtButonoj]\r\nJes=Jes\r\nNe=Ne\r\n");
    OpenTranslationFile(DataPath(QStringLiteral("tradukoj\\esperanto.trd")));
    SpeakQtInCourseLanguage(QStringLiteral("EO"));
    QCOMPARE(StandardCaptions(), (QStringList{"Jes", "Ne", "Cancel"}));
    // Without its captions, Qt's own English.
    CloseTranslationFile();
    SpeakQtInCourseLanguage(QStringLiteral("EO"));
    QCOMPARE(StandardCaptions(), (QStringList{"Yes", "No", "Cancel"}));
  }

  // Back to Portuguese, whose texts are drawn in Arial: the box shows the
  // family they are really drawn in, not whichever font comes first.
  void theFontBoxShowsTheFontTheTextsAreDrawnIn() {
    TempProgramFolder folder;
    folder.Write("tradukoj/angla.trd", "[Traduko]\r\nLingvo=English\r\nLingvoID=EN\r\nTiparo=DejaVu Serif\r\n");
    CurrentSettings().Lingvo = QStringLiteral("English");
    CurrentSettings().Dosiero = QStringLiteral("angla.trd");
    CurrentSettings().Tiparo = QStringLiteral("DejaVu Serif");
    QWidget owner;
    TForm13 form({QStringLiteral("angla.trd")}, {}, &owner);
    form.show();
    auto* fonts = form.findChild<QFontComboBox*>(QStringLiteral("Tiparo"));
    QCOMPARE(fonts->currentText(), QStringLiteral("DejaVu Serif"));
    auto* languages = form.findChild<QComboBox*>(QStringLiteral("Lingvo"));
    const int portuguese = languages->findText(QStringLiteral("Português"));
    QVERIFY(portuguese >= 0);
    languages->setCurrentIndex(portuguese);
    Q_EMIT languages->activated(portuguese);
    const QString drawn = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    QVERIFY(fonts->currentText().startsWith(drawn));
    QVERIFY(fonts->currentIndex() != 0 || fonts->itemText(0).startsWith(drawn));
  }

  void everyLessonBookLooksLikeTheFirst() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + "Lingvo=Portugu\xC3\xAAs\r\n");
    QFile::link(QStringLiteral(PELANO_PROGRAM_DIR "figuroj"), folder.Path(QStringLiteral("figuroj")));
    TPelano menu;
    const auto* first = menu.findChild<QPushButton*>(QStringLiteral("Lec01"));
    QVERIFY(!first->icon().isNull());
    for (int lesson = 2; lesson <= 12; ++lesson) {
      const auto* button = menu.findChild<QPushButton*>(LessonButtonOfNumber(lesson));
      QCOMPARE(button->icon().cacheKey(), first->icon().cacheKey());
      QCOMPARE(button->iconSize(), first->iconSize());
    }
  }

  // Nobody hears a farewell without a sound server: the program ends while
  // the silent player is still at it.
  void withoutSoundTheProgramEndsAtOnce() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + "Lingvo=Portugu\xC3\xAAs\r\n");
    QFile::link(QStringLiteral(PELANO_PROGRAM_DIR "sonoj"), folder.Path(QStringLiteral("sonoj")));
    TPelano menu;
    menu.show();
    menu.close();
    QVERIFY(!menu.mp3().Idle());
    menu.WaitForFarewell();
    QVERIFY(!menu.mp3().Idle());
  }

  void sungLinesComeInTimeWithTheSong() {
    const QList<SungLine> lines = ReadSungLines(
        QStringLiteral("# a song\nbeat 0.5\nsay 4 2 50 Jen la suno,\nsay 6 4 46 jen la luno.  # the moon\n"
                       "say 20 2 50 Fino\nsay x 2 50 broken\nchords 0 4 C\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(LineSungAt(lines, 0), QString());
    QCOMPARE(LineSungAt(lines, 200), QStringLiteral("Jen la suno,"));
    QCOMPARE(LineSungAt(lines, 299), QStringLiteral("Jen la suno,"));
    QCOMPARE(LineSungAt(lines, 300), QStringLiteral("jen la luno."));
    // A line stays two beats after its end, then the music goes on alone.
    QCOMPARE(LineSungAt(lines, 599), QStringLiteral("jen la luno."));
    QCOMPARE(LineSungAt(lines, 600), QString());
    QCOMPARE(LineSungAt(lines, 1000), QStringLiteral("Fino"));
    QCOMPARE(LineSungAt(lines, 1200), QString());
  }

  void theSongOfLessonTwoShowsItsLinesUnderThePictures() {
    std::unique_ptr<QDialog> window = CreateLessonWindow(2, nullptr);
    auto* form = qobject_cast<TForm2*>(window.get());
    QVERIFY(form);
    QCOMPARE(form->SungLineShown(), QString());
    // Beat 9 of 0.856 s: "Jen la suno,", the first line after the count-in.
    form->Karaokeo(0, 8, 0);
    QCOMPARE(form->SungLineShown(), QStringLiteral("Jen la suno,"));
    form->Karaokeo(0, 11, 50);
    QCOMPARE(form->SungLineShown(), QStringLiteral("jen la luno."));
    form->Butono3Click();
    QCOMPARE(form->SungLineShown(), QString());
  }
};

QTEST_MAIN(TestCourseLook)
#include "tst_courselook.moc"
