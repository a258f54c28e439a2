#include "accusative.h"
#include "coursesounds.h"
#include "exercisedata.h"
#include "lec05A.h"
#include "lessonfixture.h"
#include "lessonwindows.h"
#include "letters.h"
#include "messages.h"
#include "navigationbar.h"
#include "ownedcomponents.h"
#include "pelanowindow.h"
#include "programstart.h"
#include "resumerequest.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "uiloader.h"
#include "verdicts.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

const QByteArray kGeneral = QByteArray(
    "[\xD8"
    "enerala]\r\n");
const QByteArray kPortuguese = QByteArray("Lingvo=Portugu\xC3\xAAs\r\n");

// A program folder with lesson 6's data.
struct LessonFolder : LessonFiles {
  LessonFolder() : LessonFiles({"ekz5A.dat"}) {}
};

QPushButton* ButtonCaptioned(QWidget* window, const QString& caption) {
  for (QPushButton* button : SpeakingButtons(window)) {
    if (button->text() == caption) return button;
  }
  return nullptr;
}

}  // namespace

class TestLesson5A : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    SetApplicationIdentity();
    StartLessonSuite();
  }
  void init() { FreshLessonState(); }

  // Phrases are marked as such, and two different captions never fall on
  // one recording.
  void phrasesAreMarkedAndRecordingsDistinct() {
    LessonFolder data;
    auto window = OpenLesson<TForm5A>(6);
    QVERIFY(window);
    QVERIFY(ButtonCaptioned(window.get(), QStringLiteral("Kiel vi fartas? — Mi fartas tre bone, dankon!")));
    QMap<QString, QString> captionOfFile;
    for (QPushButton* button : SpeakingButtons(window.get())) {
      const QString caption = button->text();
      QCOMPARE(ComponentTag(button), caption.trimmed().contains(QLatin1Char(' ')) ? 1 : 0);
      const QString file = WordRecordingFileName(button->objectName(), ComponentTag(button), caption).toLower();
      QVERIFY2(!captionOfFile.contains(file) || captionOfFile[file] == caption, qPrintable(file));
      captionOfFile.insert(file, caption);
    }
  }

  // Lesson 6 speaks from the folder "5A", not from "06", which belongs to lesson 7.
  void wordsAreSpokenFromTheFolderOf5A() {
    LessonFolder data;
    data.folder.Write("sonoj/lec06/kiel.mp3", "x");
    auto window = OpenLesson<TForm5A>(6);
    window->show();
    QPushButton* kiel = ButtonCaptioned(window.get(), QStringLiteral("KIEL"));
    QPushButton* phrase =
        ButtonCaptioned(window.get(), QStringLiteral("Kiel vi fartas? — Mi fartas tre bone, dankon!"));
    QVERIFY(kiel && phrase);
    QCOMPARE(LessonRecordingPath(window->SoundFolder(),
                                 WordRecordingFileName(kiel->objectName(), ComponentTag(kiel), kiel->text())),
             QStringLiteral("sonoj\\lec5A\\kiel.mp3"));
    QCOMPARE(LessonRecordingPath(window->SoundFolder(),
                                 WordRecordingFileName(phrase->objectName(), ComponentTag(phrase), phrase->text())),
             QStringLiteral("sonoj\\lec5A\\btn%1.mp3").arg(phrase->objectName().mid(6)));

    int boxes = 0;
    QPointer<QTimer> watch = WhenModalShown([&](QWidget* modal) {
      QCOMPARE(qobject_cast<QMessageBox*>(modal)->text(), Messages().smNeSono);
      ++boxes;
      modal->close();
    });
    kiel->click();  // only lesson 7's folder holds the file
    QCOMPARE(boxes, 1);
    delete watch;

    data.folder.Write("sonoj/lec5A/kiel.mp3", "x");
    watch = WhenModalShown([&](QWidget* modal) {
      ++boxes;
      modal->close();
    });
    kiel->click();
    QTest::qWait(50);
    QCOMPARE(boxes, 1);
    delete watch;
  }

  // "Onde eu parei?" after lesson 6 was closed on its last page opens it there again.
  void resumesOnItsFourteenthPage() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    for (int lesson : {6, 7}) {
      TPelano::SetLessonWindowFactory(lesson, [lesson](QWidget* owner) { return CreateLessonWindow(lesson, owner); });
    }
    TPelano menu;
    menu.show();
    QList<int> openedOn;
    QString openedWindow;
    WhenModalShown([&](QWidget* modal) {
      auto* lesson = qobject_cast<TLessonWindow*>(modal);
      openedWindow = modal->objectName();
      openedOn.append(lesson->Pagxaro()->currentIndex());
      lesson->Pagxaro()->setCurrentIndex(13);
      lesson->close();
    });
    menu.findChild<QPushButton*>(QStringLiteral("Lec05A"))->click();
    QCOMPARE(openedWindow, QStringLiteral("Form5A"));
    QCOMPARE(CurrentSettings().LastaLeciono, 6);
    QCOMPARE(CurrentSettings().LastaPagxo, 13);

    openedWindow.clear();
    WhenModalShown([&](QWidget* modal) {
      auto* lesson = qobject_cast<TLessonWindow*>(modal);
      openedWindow = modal->objectName();
      openedOn.append(lesson->Pagxaro()->currentIndex());
      lesson->close();
    });
    menu.findChild<QPushButton*>(QStringLiteral("KieButono"))->click();
    QCOMPARE(openedWindow, QStringLiteral("Form5A"));
    QCOMPARE(openedOn, (QList<int>{0, 13}));
    QVERIFY(!ResumeRequested());
    menu.close();
    for (int lesson : {6, 7}) TPelano::SetLessonWindowFactory(lesson, {});
  }

  void drillItemsNameTheWindowsButtonsAndLabels() {
    LessonFolder data;
    auto window = OpenLesson<TForm5A>(6);
    QStringList words;
    QStringList answers;
    const int count = LoadExerciseItems(words, QStringLiteral("5A01"), QStringLiteral("D"));
    QCOMPARE(LoadExerciseItems(answers, QStringLiteral("5A01"), QStringLiteral("R")), count);
    QVERIFY(count >= 20 && count <= 48);
    const QList<QPushButton*> speaking = SpeakingButtons(window.get());
    QSet<QString> meanings;
    for (int i = 0; i < count; ++i) {
      auto* button = qobject_cast<QPushButton*>(OwnedComponent(window.get(), QStringLiteral("Button") + words[i]));
      QVERIFY2(ItemButtonNumber(words[i]) > 0 && button && speaking.contains(button), qPrintable(words[i]));
      auto* label = qobject_cast<QLabel*>(OwnedComponent(window.get(), QStringLiteral("Label") + answers[i]));
      QVERIFY2(label && !qobject_cast<StaticText*>(label), qPrintable(answers[i]));
      QCOMPARE(label->textFormat(), Qt::PlainText);
      QCOMPARE(label->parentWidget(), button->parentWidget());
      // Two items with one meaning would offer the right answer twice.
      QVERIFY2(!meanings.contains(label->text()), qPrintable(label->text()));
      meanings.insert(label->text());
    }
  }

  // Every word of an accusative sentence has its explanation, and the words that take the ending are exactly
  // those explained as (part of) the direct object or as a greeting.
  void accusativeSentencesAgreeWithTheirExplanations() {
    LessonFolder data;
    ExerciseRecords words;
    ExerciseRecords marks;
    ExerciseRecords explanations;
    QStringList translations;
    const int count = LoadExerciseRecords(words, QStringLiteral("5A05"), QStringLiteral("D"));
    QVERIFY(count >= 15);
    QCOMPARE(LoadExerciseRecords(marks, QStringLiteral("5A05"), QStringLiteral("R")), count);
    QCOMPARE(LoadExerciseRecords(explanations, QStringLiteral("5A05"), QStringLiteral("K")), count);
    QCOMPARE(LoadExerciseItems(translations, QStringLiteral("5A05"), QStringLiteral("T")), count);
    // Every sentence fits its row of words, with the endings added and the room the frame leaves between words.
    auto window = OpenLesson<TForm5A>(6);
    QWidget* frame = OwnedComponent(window.get(), QStringLiteral("TFrame51"));
    const QFontMetrics wordFont(frame->findChild<StaticText*>(QStringLiteral("Vorto10"))->font());
    const int available = frame->findChild<QWidget*>(QStringLiteral("Vortoj"))->width();
    for (int i = 0; i < count; ++i) {
      QVERIFY(!translations[i].isEmpty());
      int width = 0;
      for (int w = 0; w < MaxRecordFields && !words[i][w].isEmpty(); ++w) {
        width +=
            wordFont.horizontalAdvance(words[i][w] + (marks[i][w].isEmpty() ? QString() : QStringLiteral("n"))) + 6;
      }
      QVERIFY2(width <= available, qPrintable(translations[i]));
      for (int w = 0; w < MaxRecordFields; ++w) {
        const QString& word = words[i][w];
        const QString where = QStringLiteral("sentence %1, word %2").arg(i + 1).arg(w + 1);
        if (word.isEmpty()) {
          QVERIFY2(marks[i][w].isEmpty() && explanations[i][w].isEmpty(), qPrintable(where));
          continue;
        }
        QVERIFY2(!word.contains(QLatin1Char(' ')), qPrintable(where));
        bool isNumber = false;
        const int explanation = explanations[i][w].toInt(&isNumber);
        QVERIFY2(isNumber && explanation >= 0 && explanation <= 12, qPrintable(where));
        QVERIFY2(marks[i][w].isEmpty() || marks[i][w] == QLatin1String("1"), qPrintable(where));
        const bool takesEnding = explanation == 4 || explanation == 5 || explanation == 12;
        QVERIFY2((marks[i][w] == QLatin1String("1")) == takesEnding, qPrintable(where));
        // The learner adds the ending: a word stored with it would get it twice.
        if (takesEnding) QVERIFY2(!word.endsWith(QLatin1Char('n')), qPrintable(where));
      }
    }
  }

  void translationPageAnswersAreSlotted() {
    LessonFolder data;
    auto window = OpenLesson<TForm5A>(6);
    QWidget* page = window->Pagxaro()->widget(13);
    for (int slot = 1; slot <= 10; ++slot) {
      auto* edit = window->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(60 + slot));
      QVERIFY(edit);
      QCOMPARE(ComponentTag(edit), slot);
      QCOMPARE(edit->parentWidget(), page);
      int prompts = 0;
      for (auto* label : page->findChildren<QLabel*>()) {
        if (ComponentTag(label) == slot) {
          QVERIFY(label->text().startsWith(QString::number(slot) + QStringLiteral(". ")));
          ++prompts;
        }
      }
      QCOMPARE(prompts, 1);
    }
  }
  // The accusative frame asks lesson 6's sentences: marking exactly the words that take the ending is right.
  void accusativeRunsOnTheLessonsSentences() {
    LessonFolder data;
    SoundsEnabled() = false;
    auto window = OpenLesson<TForm5A>(6);
    window->show();
    window->Pagxaro()->setCurrentIndex(12);
    auto* accusative = window->findChild<TFrame5*>(QStringLiteral("TFrame51"));
    QVERIFY(accusative);
    accusative->BitBtn1Click();
    QCOMPARE(accusative->findChild<StaticText*>(QStringLiteral("Placar11"))->text(), QStringLiteral("18"));
    ExerciseRecords marks;
    LoadExerciseRecords(marks, QStringLiteral("5A05"), QStringLiteral("R"));
    const int row = accusative->CurrentRow();
    QVERIFY(row >= 0);
    for (int place = 0; place < TFrame5::Places; ++place) {
      if (marks[row][place] == QLatin1String("1")) accusative->VortKlako(place);
    }
    if (qEnvironmentVariableIsSet("PELANO_SHOTS")) {
      window->grab().save(qEnvironmentVariable("PELANO_SHOTS") + QStringLiteral("/lesson6-accusative.png"));
    }
    accusative->BitBtn2Click();
    QCOMPARE(accusative->Score().Hits(), 1);
    QCOMPARE(accusative->Score().Misses(), 0);
    accusative->BitBtn3Click();
  }
};

QTEST_MAIN(TestLesson5A)
#include "tst_lesson05A.moc"
