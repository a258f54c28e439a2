#include "exercisedata.h"
#include "lec06.h"
#include "lessonfixture.h"
#include "lessonwindows.h"
#include "letters.h"
#include "memoplayer.h"
#include "messages.h"
#include "ownedcomponents.h"
#include "programpaths.h"
#include "resumerequest.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "verdicts.h"
#include "writtenanswers.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

// A program folder with lesson 7's data and both reading recordings.
struct LessonFolder : LessonFiles {
  LessonFolder() : LessonFiles({"ekz06.dat"}, {"sonoj/lec06/memo2.mp3", "sonoj/lec06/memo3.mp3"}) {}
};

QPushButton* OwnButton(QWidget* window, const QString& name) {
  return qobject_cast<QPushButton*>(OwnedComponent(window, name));
}

// Play, pause/resume and stop enabled as expected.
bool TrioState(QWidget* window, const QStringList& trio, bool play, bool pause, bool stop) {
  return OwnButton(window, trio[0])->isEnabled() == play && OwnButton(window, trio[1])->isEnabled() == pause &&
         OwnButton(window, trio[2])->isEnabled() == stop;
}

const QStringList kFirstTrio{"Butono1", "Butono2", "Butono3"};
const QStringList kSecondTrio{"BitBtn4", "BitBtn5", "BitBtn6"};

}  // namespace

class TestLesson7 : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { StartLessonSuite(); }
  void init() { FreshLessonState(); }

  // The written pages: answers beside the questions of both reading
  // exercises, and ten on the translation page, each paired by its Tag.
  void writtenPagesPairQuestionsAndAnswers() {
    LessonFolder data;
    auto window = OpenLesson<TForm6>(7);
    QVERIFY(window);
    QTabWidget* pages = window->Pagxaro();
    for (int i = 0; i < 6; ++i) {
      for (int first : {71, 77}) {
        auto* edit = qobject_cast<QLineEdit*>(OwnedComponent(window.get(), QStringLiteral("Edit%1").arg(first + i)));
        QVERIFY(edit);
        QCOMPARE(edit->property("tag").toInt(), i + 1);
      }
    }
    for (int i = 0; i < 10; ++i) {
      auto* edit = qobject_cast<QLineEdit*>(OwnedComponent(window.get(), QStringLiteral("Edit%1").arg(83 + i)));
      QVERIFY(edit);
      QCOMPARE(edit->property("tag").toInt(), i + 1);
      QCOMPARE(edit->parentWidget(), pages->widget(14));
    }
  }

  void drillItemsNameTheWindowsComponents() {
    LessonFolder data;
    auto window = OpenLesson<TForm6>(7);
    QStringList words, answers;
    const int count = LoadExerciseItems(words, QStringLiteral("0601"), QStringLiteral("D"));
    QCOMPARE(LoadExerciseItems(answers, QStringLiteral("0601"), QStringLiteral("R")), count);
    QVERIFY(count >= 20);
    QStringList shownAnswers;
    for (int i = 0; i < count; ++i) {
      QVERIFY2(OwnButton(window.get(), QStringLiteral("Button") + words[i]), qPrintable(words[i]));
      auto* label = qobject_cast<QLabel*>(OwnedComponent(window.get(), QStringLiteral("Label") + answers[i]));
      QVERIFY2(label && !qobject_cast<StaticText*>(label), qPrintable(answers[i]));
      shownAnswers.append(label->text());
    }
    shownAnswers.removeDuplicates();
    QCOMPARE(shownAnswers.size(), count);  // no two words share an answer

    QStringList practice;
    QVERIFY(LoadExerciseItems(practice, QStringLiteral("0609"), QStringLiteral("D")) >= 20);
    for (const QString& item : practice)
      QVERIFY2(OwnButton(window.get(), QStringLiteral("Button") + item), qPrintable(item));
    QStringList heard;
    QVERIFY(LoadExerciseItems(heard, QStringLiteral("0603"), QStringLiteral("D")) >= 20);

    ExerciseRecords sentences, gaps;
    const int rows = LoadExerciseRecords(sentences, QStringLiteral("0602"), QStringLiteral("D"));
    QVERIFY(rows >= 15);
    QCOMPARE(LoadExerciseRecords(gaps, QStringLiteral("0602"), QStringLiteral("R")), rows);
    QStringList translations;
    QCOMPARE(LoadExerciseItems(translations, QStringLiteral("0602"), QStringLiteral("T")), rows);
    for (int i = 0; i < rows; ++i) {
      // One gap, between the two fragments, holding its answer as the drill compares it.
      QVERIFY(!gaps[i][0].isEmpty() && gaps[i][1].isEmpty());
      QVERIFY(!sentences[i][1].isEmpty() && sentences[i][2].isEmpty());
      QCOMPARE(gaps[i][0], NormalizeAnswer(FoldEsperantoCase(gaps[i][0], true)));
    }
  }

  void aPageChangeStopsBothReadings() {
    LessonFolder data;
    auto window = OpenLesson<TForm6>(7);
    window->show();
    QTabWidget* pages = window->Pagxaro();
    pages->setCurrentIndex(2);
    OwnButton(window.get(), "Butono1")->click();
    QVERIFY(TrioState(window.get(), kFirstTrio, false, true, true));
    pages->setCurrentIndex(3);  // to its questions
    QVERIFY(TrioState(window.get(), kFirstTrio, true, false, false));

    // Paused, the recording is still open: a page change closes it too.
    pages->setCurrentIndex(6);
    OwnButton(window.get(), "BitBtn4")->click();
    OwnButton(window.get(), "BitBtn5")->click();
    QVERIFY(TrioState(window.get(), kSecondTrio, false, true, false));
    pages->setCurrentIndex(2);
    QVERIFY(TrioState(window.get(), kSecondTrio, true, false, false));

    // From the first text straight to the second: the first stops.
    OwnButton(window.get(), "Butono1")->click();
    pages->setCurrentIndex(6);
    QVERIFY(TrioState(window.get(), kFirstTrio, true, false, false));
  }

  void closingStopsTheReading() {
    LessonFolder data;
    auto window = OpenLesson<TForm6>(7);
    window->show();
    window->Pagxaro()->setCurrentIndex(6);
    OwnButton(window.get(), "BitBtn4")->click();
    QVERIFY(window->SecondTextPlayer()->IsOpen());
    window->close();
    QVERIFY(!window->SecondTextPlayer()->IsOpen());
    QVERIFY(TrioState(window.get(), kSecondTrio, true, false, false));
    QCOMPARE(CurrentSettings().LastaLeciono, 7);
    QCOMPARE(CurrentSettings().LastaPagxo, 6);
  }

  void aMissingRecordingChangesNothing() {
    TempProgramFolder folder;
    folder.Write("ekzercoj/ekz06.dat", ReadFileBytes(QStringLiteral(PELANO_PROGRAM_DIR "ekzercoj/ekz06.dat")));
    auto window = OpenLesson<TForm6>(7);
    QString shown;
    WhenModalShown([&](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    OwnButton(window.get(), "Butono1")->click();
    QCOMPARE(shown, Messages().smNeSono);
    QVERIFY(TrioState(window.get(), kFirstTrio, true, false, false));
  }

  void questionsReachTheMonitorInTheLearnersLetters() {
    LessonFolder data;
    CurrentSettings().Sistemo = 1;
    CurrentSettings().Adreso = QStringLiteral("monitoro@example.org");
    auto window = OpenLesson<TForm6>(7);
    window->show();
    window->Pagxaro()->setCurrentIndex(7);
    qobject_cast<QLineEdit*>(OwnedComponent(window.get(), QStringLiteral("Edit78")))
        ->setText(QStringLiteral("Ni foriris je la sesa horo."));
    const QString body = BuildMonitorMessage(window->Pagxaro()).body;
    QVERIFY2(body.startsWith(QStringLiteral("1. Kun kiu mi vojagxis lastan someron?\r\n\t\r\n\r\n"
                                            "2. Je kioma horo ni foriris el San-Pauxlo?\r\n"
                                            "\tNi foriris je la sesa horo.\r\n\r\n")),
             qPrintable(body));
    QCOMPARE(body.count(QStringLiteral("\t")), 6);
  }

  void readingsAreRecorded() {
    LessonFolder data;
    auto window = OpenLesson<TForm6>(7);
    QStringList readings;
    for (const LessonRecording& recording : window->Recordings()) {
      if (recording.relativePath.startsWith(QLatin1String("sonoj\\lec06\\memo"))) {
        readings.append(recording.relativePath);
        QVERIFY(recording.text.size() > 400);
      }
    }
    QCOMPARE(readings, (QStringList{"sonoj\\lec06\\memo2.mp3", "sonoj\\lec06\\memo3.mp3"}));
  }
};

QTEST_MAIN(TestLesson7)
#include "tst_lesson06.moc"
