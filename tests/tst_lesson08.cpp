#include "exercisedata.h"
#include "lec08.h"
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
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QtTest>

namespace {

struct LessonFolder : LessonFiles {
  explicit LessonFolder(bool withPoem = true)
      : LessonFiles({"ekz08.dat"}, withPoem ? QStringList{"sonoj/lec08/memo1.mp3"} : QStringList{}) {}
};

QPushButton* OwnButton(QWidget* window, const QString& name) {
  return qobject_cast<QPushButton*>(OwnedComponent(window, name));
}

// Play, pause/resume and stop enabled as expected.
bool PlayerState(QWidget* window, bool play, bool pause, bool stop) {
  return OwnButton(window, "Butono1")->isEnabled() == play && OwnButton(window, "Butono2")->isEnabled() == pause &&
         OwnButton(window, "Butono3")->isEnabled() == stop;
}

constexpr int kReadingPage = 10;

}  // namespace

class TestLesson9 : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { StartLessonSuite(); }
  void init() { FreshLessonState(); }

  // Page 8: sixteen answers, slots 3..6, 9..12, 15..18 and 21..24, sent as
  // typed; the last page's memo; no other buttons than the poem's player and
  // the speaking ones.
  void answersOfTheWrittenPages() {
    LessonFolder data;
    auto window = OpenLesson<TForm8>(9);
    QVERIFY(window);
    QTabWidget* pages = window->Pagxaro();
    QList<int> tags;
    for (QWidget* component : OwnedComponents(window.get())) {
      if (qobject_cast<QLineEdit*>(component)) {
        QCOMPARE(component->parentWidget(), pages->widget(7));
        tags.append(component->property("tag").toInt());
      } else if (qobject_cast<QPushButton*>(component)) {
        static const QRegularExpression names(QStringLiteral("^(Butono[123]|Button\\d+)$"));
        QVERIFY2(names.match(component->objectName()).hasMatch(), qPrintable(component->objectName()));
      }
    }
    QCOMPARE(tags, (QList<int>{130, 131, 132, 133, 136, 137, 138, 139, 142, 143, 144, 145, 148, 149, 150, 151}));
    auto* memo = qobject_cast<QPlainTextEdit*>(OwnedComponent(window.get(), "Memo4"));
    QVERIFY(memo && !memo->isReadOnly());
    QCOMPARE(memo->property("tag").toInt(), 1);
    QVERIFY(pages->widget(11)->isAncestorOf(memo));
  }

  void pageEightReachesTheMonitorFamilyByFamily() {
    LessonFolder data;
    CurrentSettings().Sistemo = 1;
    auto window = OpenLesson<TForm8>(9);
    window->show();
    window->Pagxaro()->setCurrentIndex(7);
    qobject_cast<QLineEdit*>(OwnedComponent(window.get(), "Edit93"))->setText(QStringLiteral("esposa, mulher"));
    qobject_cast<QLineEdit*>(OwnedComponent(window.get(), "Edit94"))->setText(QStringLiteral("casar-se"));
    const QString body = BuildMonitorMessage(window->Pagxaro()).body;
    QVERIFY2(body.startsWith(QStringLiteral("1. edzo\r\nedzo = marido\r\nedzino\r\n\tesposa, mulher\r\n\r\n"
                                            "edzigxi\r\n\tcasar-se\r\n\r\neksedzo\r\n\t\r\n\r\ngeedzoj\r\n\t\r\n\r\n"
                                            "2. viro\r\nviro = homem\r\nvirino\r\n")),
             qPrintable(body));
    QCOMPARE(body.count(QLatin1Char('\t')), 16);
  }

  void thePoemStopsOnAnyPageChange() {
    LessonFolder data;
    auto window = OpenLesson<TForm8>(9);
    window->show();
    QTabWidget* pages = window->Pagxaro();
    pages->setCurrentIndex(kReadingPage);
    OwnButton(window.get(), "Butono1")->click();
    QVERIFY(PlayerState(window.get(), false, true, true));
    OwnButton(window.get(), "Butono2")->click();  // pause
    QVERIFY(PlayerState(window.get(), false, true, false));
    OwnButton(window.get(), "Butono2")->click();  // resume
    QVERIFY(PlayerState(window.get(), false, true, true));
    OwnButton(window.get(), "Butono2")->click();
    pages->setCurrentIndex(kReadingPage + 1);  // paused, then a page change
    QVERIFY(PlayerState(window.get(), true, false, false));
    QVERIFY(!window->PoemPlayer()->IsOpen());

    pages->setCurrentIndex(kReadingPage);
    OwnButton(window.get(), "Butono1")->click();
    window->close();
    QVERIFY(PlayerState(window.get(), true, false, false));
    QCOMPARE(CurrentSettings().LastaLeciono, 9);
    QCOMPARE(CurrentSettings().LastaPagxo, kReadingPage);
  }

  void withoutTheRecordingNothingChanges() {
    LessonFolder data(false);
    auto window = OpenLesson<TForm8>(9);
    QString shown;
    WhenModalShown([&](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    OwnButton(window.get(), "Butono1")->click();
    QCOMPARE(shown, Messages().smNeSono);
    QVERIFY(PlayerState(window.get(), true, false, false));
  }

  void drillItemsAndTheReading() {
    LessonFolder data;
    auto window = OpenLesson<TForm8>(9);
    QStringList words, answers;
    const int count = LoadExerciseItems(words, QStringLiteral("0803"), QStringLiteral("D"));
    QVERIFY(count >= 20);
    QCOMPARE(LoadExerciseItems(answers, QStringLiteral("0803"), QStringLiteral("R")), count);
    QStringList shownWords, shownAnswers;
    for (QWidget* component : OwnedComponents(window.get())) {
      if (auto* word = qobject_cast<QPushButton*>(component)) shownWords.append(word->text());  // and it speaks
    }
    for (int i = 0; i < count; ++i) {
      QVERIFY2(shownWords.contains(words[i]), qPrintable(words[i]));
      auto* label = qobject_cast<QLabel*>(OwnedComponent(window.get(), QStringLiteral("Label") + answers[i]));
      QVERIFY2(label && !qobject_cast<StaticText*>(label), qPrintable(answers[i]));
      shownAnswers.append(label->text());
    }
    shownAnswers.removeDuplicates();
    QCOMPARE(shownAnswers.size(), count);

    ExerciseRecords fragments, gaps;
    const int rows = LoadExerciseRecords(fragments, QStringLiteral("0802"), QStringLiteral("D"));
    QVERIFY(rows >= 15);
    QCOMPARE(LoadExerciseRecords(gaps, QStringLiteral("0802"), QStringLiteral("R")), rows);
    for (int i = 0; i < rows; ++i) {
      QVERIFY(!gaps[i][0].isEmpty() && gaps[i][1].isEmpty());
      QCOMPARE(gaps[i][0], NormalizeAnswer(FoldEsperantoCase(gaps[i][0], true)));
    }

    bool poemRecorded = false;
    for (const LessonRecording& recording : window->Recordings()) {
      if (recording.relativePath != QLatin1String("sonoj\\lec08\\memo1.mp3")) continue;
      poemRecorded = true;
      QVERIFY(recording.text.contains(QStringLiteral("Oran lumon verŝas la suno")));
    }
    QVERIFY(poemRecorded);
  }
};

QTEST_MAIN(TestLesson9)
#include "tst_lesson08.moc"
