#include "drillpanel.h"
#include "exercisedata.h"
#include "lec10.h"
#include "lessonfixture.h"
#include "lessonwindows.h"
#include "messages.h"
#include "navigationbar.h"
#include "ownedcomponents.h"
#include "programpaths.h"
#include "resumerequest.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "verdicts.h"
#include "wordgame.h"
#include "writtenanswers.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kData = QStringLiteral(PELANO_PROGRAM_DIR "ekzercoj/ekz10.dat");

// A program folder with lesson 11's data, or with other time items.
struct LessonFolder : LessonFiles {
  explicit LessonFolder(const QByteArray& data = ReadFileBytes(kData)) : LessonFiles({}) {
    folder.Write("ekzercoj/ekz10.dat", data);
  }
};

const QByteArray kHalfPastNine =
    "[1001D]\n1=la na\xc5\xad"
    "a kaj duono\n2=la na\xc5\xad"
    "a kaj tridek\n[1001R]\n1=09:30\n2=09:30\n";
const QByteArray kTwoTimes =
    "[1001D]\n1=la na\xc5\xad"
    "a kaj duono\n2=la dek-kvina\n[1001R]\n1=09:30\n2=15:00\n";

template <typename T = QPushButton>
T* Find(QWidget* window, const QString& name) {
  return window->findChild<T*>(name);
}

QString Counter(QWidget* window, int number) {
  return Find<StaticText>(window, QStringLiteral("Placar%1").arg(number))->text();
}

// Types into the answer box from its first position, as a learner would.
void Type(QLineEdit* box, const QString& keys) {
  box->setCursorPosition(0);
  QTest::keyClicks(box, keys);
}

}  // namespace

class TestLesson11 : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    RegisterLessonWidgets();
    SetBuiltInMessages();
    SoundsEnabled() = false;
  }
  void init() { FreshLessonState(); }

  // The hours drill at rest, and the written exercise: two headings, ten
  // prompts (the five questions speak), twenty answers.
  void theHoursDrillAtRestAndTheWrittenExercise() {
    LessonFolder data;
    auto window = OpenLesson<TForm10>(11);
    QVERIFY(window);
    QTabWidget* pages = window->Pagxaro();
    QWidget* drill = pages->widget(6);
    QCOMPARE(Find<QLabel>(drill, "Label3")->text(), QStringLiteral("Exercício - horas"));
    QVERIFY(!qobject_cast<StaticText*>(Find<QLabel>(drill, "Label12")));
    QCOMPARE(Find<QPushButton>(drill, "Button78")->text(), QStringLiteral("Kioma horo estas? Estas..."));
    QVERIFY(Find<StaticText>(drill, "Vorto0")->isHidden());
    QVERIFY(Find<StaticText>(drill, "Korekta")->isHidden());
    auto* box = Find<QLineEdit>(drill, "MaskEdit1");
    QVERIFY(!box->isEnabled());
    QCOMPARE(box->displayText(), QStringLiteral("  :  "));
    QCOMPARE(box->maxLength(), 5);
    QVERIFY(Find(drill, "BitBtn1")->isEnabled());
    QVERIFY(!Find(drill, "BitBtn2")->isEnabled());
    QVERIFY(!Find(drill, "BitBtn3")->isEnabled());
    for (const char* image : {"Image6", "Image2", "Image3"}) QVERIFY(Find<QLabel>(drill, image));

    QWidget* written = pages->widget(10);
    QMap<int, QString> prompts;
    for (auto* label : written->findChildren<QWidget*>()) {
      if (const int tag = label->property("tag").toInt(); tag && !qobject_cast<QLineEdit*>(label)) {
        prompts[tag] = label->metaObject()->className();
      }
    }
    QCOMPARE(prompts.keys(), (QList<int>{2, 3, 5, 7, 9, 11, 13, 14, 16, 18, 20, 22}));
    QCOMPARE(prompts[2], QStringLiteral("QLabel"));
    QCOMPARE(prompts[13], QStringLiteral("QLabel"));
    QCOMPARE(prompts[3], QStringLiteral("QPushButton"));
    QCOMPARE(prompts[14], QStringLiteral("StaticText"));
    QList<int> answers;
    for (auto* edit : written->findChildren<QLineEdit*>()) answers.append(edit->property("tag").toInt());
    std::sort(answers.begin(), answers.end());
    QList<int> wanted;
    for (int tag = 3; tag <= 23; ++tag) {
      if (tag != 13) wanted.append(tag);
    }
    QCOMPARE(answers, wanted);
  }

  // Every word of the word game is shown on a page of the lesson, and its
  // answer is the label beside it.
  void wordGameItemsNameTheirLabels() {
    LessonFolder data;
    auto window = OpenLesson<TForm10>(11);
    QStringList words, labels;
    const int count = LoadExerciseItems(words, QStringLiteral("1003"), QStringLiteral("D"));
    QCOMPARE(LoadExerciseItems(labels, QStringLiteral("1003"), QStringLiteral("R")), count);
    QVERIFY(count >= 20);
    QSet<QString> answers;
    for (int i = 0; i < count; ++i) {
      // Looked up as the game looks it up: among the window's own components, not inside frames.
      auto* label = qobject_cast<QLabel*>(OwnedComponent(window.get(), QStringLiteral("Label") + labels[i]));
      QVERIFY2(label && !qobject_cast<StaticText*>(label), qPrintable(labels[i]));
      answers.insert(label->text());
      // The word is shown on the page of its meaning.
      bool shown = false;
      for (auto* text : label->parentWidget()->findChildren<QPushButton*>()) shown |= text->text() == words[i];
      QVERIFY2(shown, qPrintable(words[i]));
    }
    QCOMPARE(answers.size(), count);  // five different answers can always be offered

    window->show();
    window->Pagxaro()->setCurrentIndex(4);
    auto* game = Find<TFrame1>(window.get(), "TFrame11");
    Find(game, "BitBtn18")->click();
    QCOMPARE(Find<StaticText>(game, "Placar15")->text(), DrillPanel::TwoDigits(count));
    Find(game, "BitBtn20")->click();
  }

  void aOneDigitHourIsAccepted() {
    LessonFolder data(kHalfPastNine);
    auto window = OpenLesson<TForm10>(11);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->Pagxaro()->setCurrentIndex(6);
    auto* box = Find<QLineEdit>(window.get(), "MaskEdit1");
    Find(window.get(), "BitBtn1")->click();
    QCOMPARE(Counter(window.get(), 1), QStringLiteral("02"));
    QVERIFY(Find<StaticText>(window.get(), "Vorto0")->isVisible());
    QString verdict;
    WhenModalShown([&](QWidget* modal) {
      verdict = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    // A blank then 9:30, and 9 followed by the colon, both give 09:30.
    QCOMPARE(window->focusWidget(), box);
    Type(box, QStringLiteral(" 9:30"));
    QCOMPARE(box->displayText(), QStringLiteral(" 9:30"));
    QTest::keyClick(box, Qt::Key_Enter);
    QCOMPARE(window->Score().Hits(), 1);
    QCOMPARE(window->focusWidget(), box);
    QCOMPARE(box->displayText(), QStringLiteral("  :  "));
    Type(box, QStringLiteral("9:30"));
    QCOMPARE(box->displayText(), QStringLiteral(" 9:30"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(window->Score().Hits(), 2);
    QCOMPARE(window->Score().Misses(), 0);
    QCOMPARE(verdict, Messages().smGratulon);
  }

  void confirmWithNothingTypedDoesNothing() {
    LessonFolder data(kTwoTimes);
    auto window = OpenLesson<TForm10>(11);
    window->show();
    window->Pagxaro()->setCurrentIndex(6);
    Find(window.get(), "BitBtn1")->click();
    const QString time = window->CurrentTime();
    Find(window.get(), "BitBtn2")->click();
    QTest::keyClick(Find<QLineEdit>(window.get(), "MaskEdit1"), Qt::Key_Return);
    QCOMPARE(window->CurrentTime(), time);
    QCOMPARE(Counter(window.get(), 1), QStringLiteral("02"));
    QCOMPARE(Counter(window.get(), 2), QStringLiteral("00"));
    QCOMPARE(Counter(window.get(), 3), QStringLiteral("00"));
    QCOMPARE(Counter(window.get(), 4), QStringLiteral("00%"));
    QVERIFY(Find<StaticText>(window.get(), "Korekta")->isHidden());
  }

  // A wrong answer blinks the right time with confirm and stop disabled; the
  // next draw still gives the box the focus, even from another page; the last
  // right answer brings the verdict and the counters keep the score.
  void aWrongAnswerThenTheRunToItsEnd() {
    LessonFolder data(kTwoTimes);
    auto window = OpenLesson<TForm10>(11);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->Pagxaro()->setCurrentIndex(6);
    auto* box = Find<QLineEdit>(window.get(), "MaskEdit1");
    auto* confirm = Find(window.get(), "BitBtn2");
    auto* stop = Find(window.get(), "BitBtn3");
    auto* korekta = Find<StaticText>(window.get(), "Korekta");
    Find(window.get(), "BitBtn1")->click();
    const QString expected = window->CurrentTime();

    int flips = 0;
    bool wasVisible = false;
    bool controlsDisabled = true;
    QString shown;
    QTimer probe;
    connect(&probe, &QTimer::timeout, [&] {
      // Hidden or shown by the blink, even while another page is in front.
      if (korekta->isHidden() == wasVisible) ++flips;
      wasVisible = !korekta->isHidden();
      if (wasVisible) shown = korekta->text();
      controlsDisabled &= !confirm->isEnabled() && !stop->isEnabled();
      if (flips == 3 && qEnvironmentVariableIsSet("PELANO_SHOTS")) {
        window->grab().save(qEnvironmentVariable("PELANO_SHOTS") + QStringLiteral("/lesson11-correction.png"));
      }
      if (flips == 9) window->Pagxaro()->setCurrentIndex(0);  // the learner looks elsewhere
    });
    probe.start(40);
    QElapsedTimer clock;
    clock.start();
    Type(box, QStringLiteral("23:59"));
    QTest::keyClick(box, Qt::Key_Return);
    probe.stop();
    QVERIFY2(clock.elapsed() >= 3800 && clock.elapsed() < 6000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(flips >= 8, qPrintable(QString::number(flips)));
    QVERIFY(controlsDisabled);
    QCOMPARE(shown, expected);
    QVERIFY(korekta->isHidden());
    QVERIFY(confirm->isEnabled() && stop->isEnabled());
    QCOMPARE(Counter(window.get(), 3), QStringLiteral("01"));
    QCOMPARE(Counter(window.get(), 4), QStringLiteral("00%"));
    QCOMPARE(Counter(window.get(), 1), QStringLiteral("02"));
    // The next sentence is drawn while page 1 is shown; the box has the focus on return.
    window->Pagxaro()->setCurrentIndex(6);
    QCOMPARE(window->focusWidget(), box);

    QString verdict;
    WhenModalShown([&](QWidget* modal) {
      verdict = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    for (int answered = 0; answered < 2; ++answered) {
      Type(box, window->CurrentTime());
      confirm->click();
    }
    QCOMPARE(verdict, Messages().smDenove);  // 2 of 3: 67 %
    QCOMPARE(Counter(window.get(), 1), QStringLiteral("00"));
    QCOMPARE(Counter(window.get(), 2), QStringLiteral("02"));
    QCOMPARE(Counter(window.get(), 4), QStringLiteral("67%"));
    QVERIFY(Find(window.get(), "BitBtn1")->isEnabled());
    QVERIFY(!stop->isEnabled() && !confirm->isEnabled() && !box->isEnabled());
    QVERIFY(Find<StaticText>(window.get(), "Vorto0")->isHidden());
  }

  void closingDuringTheBlinkEndsTheDrillQuietly() {
    LessonFolder data(kTwoTimes);
    auto window = OpenLesson<TForm10>(11);
    window->show();
    window->Pagxaro()->setCurrentIndex(6);
    Find(window.get(), "BitBtn1")->click();
    bool boxShown = false;
    QPointer<QTimer> watch = WhenModalShown([&](QWidget* modal) {
      boxShown = true;
      modal->close();
    });
    QTimer::singleShot(400, window.get(), &QWidget::close);
    QElapsedTimer clock;
    clock.start();
    Type(Find<QLineEdit>(window.get(), "MaskEdit1"), QStringLiteral("23:59"));
    Find(window.get(), "BitBtn2")->click();
    QVERIFY(clock.elapsed() < 1500);
    QVERIFY(!boxShown);
    delete watch;
  }

  void withoutItemsTheDrillDoesNotStart() {
    LessonFolder data("[1003D]\n1=nun\n");
    auto window = OpenLesson<TForm10>(11);
    window->show();
    window->Pagxaro()->setCurrentIndex(6);
    QCOMPARE(MessageShownBy([&] { Find(window.get(), "BitBtn1")->click(); }), MissingData(QStringLiteral("1001")));
    QVERIFY(Find(window.get(), "BitBtn1")->isEnabled());
    QVERIFY(!Find(window.get(), "BitBtn3")->isEnabled());
    QVERIFY(!Find<QLineEdit>(window.get(), "MaskEdit1")->isEnabled());
    QCOMPARE(Counter(window.get(), 1), QStringLiteral("00"));
  }

  void stopKeepsTheCounters() {
    LessonFolder data;
    auto window = OpenLesson<TForm10>(11);
    window->show();
    window->Pagxaro()->setCurrentIndex(6);
    Find(window.get(), "BitBtn1")->click();
    QCOMPARE(Counter(window.get(), 1), QStringLiteral("24"));
    auto* box = Find<QLineEdit>(window.get(), "MaskEdit1");
    Type(box, window->CurrentTime());
    QTest::keyClick(box, Qt::Key_Return);
    Find(window.get(), "BitBtn3")->click();
    QCOMPARE(Counter(window.get(), 1), QStringLiteral("23"));
    QCOMPARE(Counter(window.get(), 2), QStringLiteral("01"));
    QCOMPARE(Counter(window.get(), 4), QStringLiteral("100%"));
    QVERIFY(!box->isEnabled());
    QVERIFY(window->CurrentTime().isEmpty());
  }

  // Every time of the drill is a valid 24-hour time, and the sentence says it.
  void theTimesAreWellFormed() {
    SetProgramFolder(QStringLiteral(PELANO_PROGRAM_DIR));
    QStringList sentences, times;
    const int count = LoadExerciseItems(sentences, QStringLiteral("1001"), QStringLiteral("D"));
    QCOMPARE(LoadExerciseItems(times, QStringLiteral("1001"), QStringLiteral("R")), count);
    QVERIFY(count >= 20);
    static const QRegularExpression format(QStringLiteral("^([01][0-9]|2[0-3]):[0-5][0-9]$"));
    for (int i = 0; i < count; ++i) {
      QVERIFY2(format.match(times[i]).hasMatch(), qPrintable(times[i]));
      QVERIFY(!sentences[i].isEmpty());
    }
    QCOMPARE(QSet<QString>(times.begin(), times.end()).size(), count);
  }

  void theWrittenExerciseGoesInTagOrder() {
    LessonFolder data;
    CurrentSettings().Adreso = QStringLiteral("monitoro@example.org");
    auto window = OpenLesson<TForm10>(11);
    window->show();
    window->Pagxaro()->setCurrentIndex(10);
    for (auto* edit : window->Pagxaro()->widget(10)->findChildren<QLineEdit*>()) {
      edit->setText(QStringLiteral("respondo %1").arg(edit->property("tag").toInt()));
    }
    const QString body = BuildMonitorMessage(window->Pagxaro()).body;
    const QStringList inOrder{"Dê duas outras formas de fazer as perguntas:",
                              "1. Ĉu vi parolas Esperanton?",
                              "\trespondo 3",
                              "\trespondo 4",
                              "5. Ĉu Maria venos morgaŭ?",
                              "\trespondo 12",
                              "Dê duas formas de dizer as horas:",
                              "1. 13:45",
                              "\trespondo 14",
                              "5. 12:00",
                              "\trespondo 23"};
    int at = -1;
    for (const QString& part : inOrder) {
      const int next = body.indexOf(part, at + 1);
      QVERIFY2(next > at, qPrintable(part + QStringLiteral(" in ") + body));
      at = next;
    }
    QVERIFY(!body.contains(QStringLiteral("Escreva")));  // the untagged instruction is not sent
  }
};

QTEST_MAIN(TestLesson11)
#include "tst_lesson10.moc"
