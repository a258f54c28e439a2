#include "drillpanel.h"
#include "drillprogress.h"
#include "exercisedata.h"
#include "lec03.h"
#include "lessonfixture.h"
#include "lessonwindows.h"
#include "messages.h"
#include "navigationbar.h"
#include "ownedcomponents.h"
#include "picturestore.h"
#include "programpaths.h"
#include "resumerequest.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "verdicts.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

struct LessonFolder : LessonFiles {
  LessonFolder() : LessonFiles({"ekz03.dat"}, {"sonoj/lec03/.keep"}) {}
};

// The number dictation as a learner meets it, with the exercise's own answers.
struct Dictation {
  TForm3* window;
  QStringList words;
  QStringList digits;

  explicit Dictation(TForm3* lesson) : window(lesson) {
    LoadExerciseItems(words, QStringLiteral("0301"), QStringLiteral("D"));
    LoadExerciseItems(digits, QStringLiteral("0301"), QStringLiteral("R"));
  }
  QLineEdit* Edit() const { return Own<QLineEdit>(window, "Edit1"); }
  QString Counter(int n) const { return Own<StaticText>(window, QStringLiteral("Placar%1").arg(n))->text(); }
  QString RightAnswer() const { return digits.value(words.indexOf(window->CurrentNumber())); }
  QString WrongAnswer() const { return QString::number(RightAnswer().toLongLong() + 1); }
  void Type(const QString& text) const {
    Edit()->setFocus();
    Edit()->clear();
    QTest::keyClicks(Edit(), text);
  }
  void Enter() const { QTest::keyClick(Edit(), Qt::Key_Return); }
};

}  // namespace

class TestLesson3 : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { StartLessonSuite(); }
  void init() {
    FreshLessonState();
    SoundsEnabled() = false;
  }

  // Twelve sentences, each paired by its Tag with its answer field; the
  // dictation's field is no written answer.
  void sentencesPairedWithTheirAnswers() {
    LessonFolder data;
    auto window = OpenLesson<TForm3>(3);
    QVERIFY(window);
    QTabWidget* pages = window->Pagxaro();
    const QList<int> edits{33, 34, 35, 36, 37, 38, 39, 40, 3, 4, 5, 6};
    QMap<int, QString> prompts;
    for (auto* label : pages->widget(8)->findChildren<QLabel*>()) {
      if (const int tag = label->property("tag").toInt(); tag > 0) prompts[tag] = label->text();
    }
    QCOMPARE(prompts.size(), 12);
    QCOMPARE(prompts[1], QStringLiteral("1. Ele a ama."));
    for (int i = 0; i < edits.size(); ++i) {
      auto* edit = Own<QLineEdit>(window.get(), QStringLiteral("Edit%1").arg(edits[i]));
      QVERIFY(edit);
      QCOMPARE(edit->parentWidget(), pages->widget(8));
      QCOMPARE(edit->property("tag").toInt(), i + 1);
      QVERIFY(prompts[i + 1].startsWith(QString::number(i + 1) + QStringLiteral(". ")));
    }
    QCOMPARE(Own<QLineEdit>(window.get(), "Edit1")->property("tag").toInt(), 0);
  }

  void drillDataNamesTheWindowsComponents() {
    LessonFolder data;
    auto window = OpenLesson<TForm3>(3);
    QStringList words, answers;
    const int count = LoadExerciseItems(words, QStringLiteral("0303"), QStringLiteral("D"));
    QVERIFY(count >= 20);
    QCOMPARE(LoadExerciseItems(answers, QStringLiteral("0303"), QStringLiteral("R")), count);
    QSet<QString> shown;
    for (int i = 0; i < count; ++i) {
      auto* button = Own<QPushButton>(window.get(), QStringLiteral("Button") + words[i]);
      auto* label = Own<QLabel>(window.get(), QStringLiteral("Label") + answers[i]);
      QVERIFY2(button && label, qPrintable(words[i] + QLatin1Char('/') + answers[i]));
      shown.insert(label->text());
    }
    QCOMPARE(shown.size(), count);

    QStringList spoken;
    const int items = LoadExerciseItems(spoken, QStringLiteral("0302"), QStringLiteral("D"));
    QVERIFY(items >= 20);
    for (int i = 0; i < items; ++i) {
      if (const int number = spoken[i].toInt(); number > 0) {
        QVERIFY2(Own<QPushButton>(window.get(), QStringLiteral("Button%1").arg(number)), qPrintable(spoken[i]));
      } else {
        QVERIFY2(!spoken[i].contains(QRegularExpression(QStringLiteral("[!?,]"))), qPrintable(spoken[i]));
      }
    }

    // Every number in words has its digits, up to the thousands.
    QStringList numbers, digits;
    const int dictated = LoadExerciseItems(numbers, QStringLiteral("0301"), QStringLiteral("D"));
    QVERIFY(dictated >= 20);
    QCOMPARE(LoadExerciseItems(digits, QStringLiteral("0301"), QStringLiteral("R")), dictated);
    qint64 largest = 0;
    for (const QString& number : digits.mid(0, dictated)) {
      bool ok = false;
      largest = qMax(largest, number.toLongLong(&ok));
      QVERIFY2(ok, qPrintable(number));
    }
    QVERIFY(largest >= 1000);
  }

  void enterWithNothingTypedChangesNothing() {
    LessonFolder data;
    auto window = OpenLesson<TForm3>(3);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->Pagxaro()->setCurrentIndex(2);
    Dictation dictation(window.get());
    auto* start = Own<QPushButton>(window.get(), "BitBtn1");
    QVERIFY(!dictation.Edit()->isEnabled());
    QVERIFY(!Own<StaticText>(window.get(), "Vorto0")->isVisible());
    start->click();
    QVERIFY(!start->isEnabled());
    QVERIFY(dictation.Edit()->isEnabled() && dictation.Edit()->hasFocus());
    QVERIFY(Own<StaticText>(window.get(), "Vorto0")->isVisible());
    const QString asked = window->CurrentNumber();
    QVERIFY(!asked.isEmpty());
    QCOMPARE(Own<StaticText>(window.get(), "Vorto0")->text(), asked);
    // The number is centred in its panel.
    auto* shown = Own<StaticText>(window.get(), "Vorto0");
    QVERIFY(qAbs(shown->x() * 2 + shown->width() - Own<QFrame>(window.get(), "Panel2")->width()) <= 1);

    QCOMPARE(dictation.Counter(1), QString::number(dictation.words.size()));
    dictation.Enter();
    Own<QPushButton>(window.get(), "BitBtn2")->click();
    QCOMPARE(dictation.Counter(1), QString::number(dictation.words.size()));
    QCOMPARE(dictation.Counter(2), QStringLiteral("00"));
    QCOMPARE(dictation.Counter(3), QStringLiteral("00"));
    QCOMPARE(dictation.Counter(4), QStringLiteral("00%"));
    QCOMPARE(window->CurrentNumber(), asked);
  }

  void answersRightAndWrong() {
    LessonFolder data;
    auto window = OpenLesson<TForm3>(3);
    window->show();
    window->Pagxaro()->setCurrentIndex(2);
    Dictation dictation(window.get());
    Own<QPushButton>(window.get(), "BitBtn1")->click();
    const int total = dictation.words.size();

    // A wrong answer: the right digits blink, stop and the answer button rest meanwhile, nothing else counts.
    auto* correction = Own<StaticText>(window.get(), "Korekta");
    auto* stop = Own<QPushButton>(window.get(), "BitBtn3");
    const QString expected = dictation.RightAnswer();
    int flips = 0;
    bool wasVisible = correction->isVisible();
    bool stopWasDisabled = false;
    QTimer probe;
    connect(&probe, &QTimer::timeout, [&] {
      if (correction->isVisible() != wasVisible) ++flips;
      wasVisible = correction->isVisible();
      stopWasDisabled |= !stop->isEnabled();
      QTest::keyClick(dictation.Edit(), Qt::Key_Return);  // judged once only
    });
    dictation.Type(dictation.WrongAnswer());
    probe.start(60);
    dictation.Enter();
    probe.stop();
    QVERIFY2(flips >= 8, qPrintable(QString::number(flips)));
    QVERIFY(stopWasDisabled);
    QCOMPARE(correction->text(), expected);
    QVERIFY(!correction->isVisible());
    QCOMPARE(dictation.Counter(3), QStringLiteral("01"));
    QCOMPARE(dictation.Counter(1), DrillPanel::TwoDigits(total));  // a miss leaves the remaining count
    QCOMPARE(dictation.Counter(4), QStringLiteral("00%"));
    QVERIFY(stop->isEnabled() && Own<QPushButton>(window.get(), "BitBtn2")->isEnabled());

    // A right answer typed after blanks in the mask, with clicks during the pause that judge nothing.
    const QString asked = window->CurrentNumber();
    dictation.Edit()->setFocus();
    dictation.Edit()->clear();
    dictation.Edit()->setCursorPosition(3);
    QTest::keyClicks(dictation.Edit(), dictation.RightAnswer());
    QVERIFY(dictation.Edit()->text().trimmed() == dictation.RightAnswer() ||
            dictation.Edit()->displayText().trimmed() == dictation.RightAnswer());
    int pauseClicks = 0;
    QTimer clicker;
    connect(&clicker, &QTimer::timeout, [&] {
      ++pauseClicks;
      Own<QPushButton>(window.get(), "BitBtn2")->click();
    });
    clicker.start(200);
    Own<QPushButton>(window.get(), "BitBtn2")->click();
    clicker.stop();
    QVERIFY(pauseClicks >= 5);
    QCOMPARE(dictation.Counter(2), QStringLiteral("01"));
    QCOMPARE(dictation.Counter(3), QStringLiteral("01"));
    QCOMPARE(dictation.Counter(1), QString::number(total - 1));
    QCOMPARE(dictation.Counter(4), QStringLiteral("50%"));
    QVERIFY(window->CurrentNumber() != asked);  // answered right, it does not come back
  }

  void stopDuringThePauseEndsTheRun() {
    LessonFolder data;
    auto window = OpenLesson<TForm3>(3);
    window->show();
    Dictation dictation(window.get());
    Own<QPushButton>(window.get(), "BitBtn1")->click();
    dictation.Type(dictation.RightAnswer());
    QTimer::singleShot(300, Own<QPushButton>(window.get(), "BitBtn3"), &QPushButton::click);
    dictation.Enter();
    QVERIFY(Own<QPushButton>(window.get(), "BitBtn1")->isEnabled());
    QVERIFY(!dictation.Edit()->isEnabled());
    QVERIFY(!Own<StaticText>(window.get(), "Vorto0")->isVisible());
    QVERIFY(window->CurrentNumber().isEmpty());
  }

  void aWholeRunToItsVerdict() {
    LessonFolder data;
    data.folder.Write("ekzercoj/ekz03.dat",
                      "[0301D]\r\na=du mil dudek ses\r\nb=naŭ\r\nc=dek mil\r\n"
                      "[0301R]\r\na=2026\r\nb=9\r\nc=dek mil\r\n");
    auto window = OpenLesson<TForm3>(3);
    window->show();
    Dictation dictation(window.get());
    QVERIFY(Own<QLabel>(window.get(), "Placar4Plej")->isHidden());  // never finished yet
    Own<QPushButton>(window.get(), "BitBtn1")->click();
    QCOMPARE(dictation.Counter(1), QStringLiteral("03"));
    QString verdict;
    WhenModalShown([&](QWidget* modal) {
      verdict = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    for (int answered = 0; answered < 3; ++answered) {
      // An R item that is not a number reads as 0: only 0 matches it.
      dictation.Type(window->CurrentNumber() == QStringLiteral("dek mil") ? QStringLiteral("0")
                                                                          : dictation.RightAnswer());
      dictation.Enter();
    }
    QCOMPARE(verdict, Messages().smGratulon);
    QCOMPARE(dictation.Counter(1), QStringLiteral("00"));
    QCOMPARE(dictation.Counter(2), QStringLiteral("03"));
    QCOMPARE(dictation.Counter(4), QStringLiteral("100%"));
    QVERIFY(Own<QPushButton>(window.get(), "BitBtn1")->isEnabled());
    QVERIFY(!Own<QPushButton>(window.get(), "BitBtn3")->isEnabled());
    QVERIFY(!dictation.Edit()->isEnabled());

    // The result is kept: the best shows beside the counters, the drill's
    // tab gets its tick, and a window opened later shows both again.
    const std::optional<DrillResult> kept = DrillProgress(SettingsFile()).Result(QStringLiteral("0301.ekzerco"));
    QVERIFY(kept && kept->last == 100 && kept->Passed());
    constexpr int kDrillPage = 2;
    const auto tabPicture = [&](TForm3* form) { return form->Pagxaro()->tabIcon(kDrillPage).pixmap(16, 16).toImage(); };
    const QImage ticked = WithPassedMark(Figurejo().TabIcon(3)).pixmap(16, 16).toImage();
    QCOMPARE(Own<QLabel>(window.get(), "Placar4Plej")->text(), QStringLiteral("★ 100%"));
    QCOMPARE(tabPicture(window.get()), ticked);
    QVERIFY(window->Pagxaro()->tabIcon(kDrillPage - 1).pixmap(16, 16).toImage() !=
            WithPassedMark(Figurejo().TabIcon(5)).pixmap(16, 16).toImage());
    window->close();
    auto again = OpenLesson<TForm3>(3);
    QVERIFY(!Own<QLabel>(again.get(), "Placar4Plej")->isHidden());
    QCOMPARE(tabPicture(again.get()), ticked);
  }

  void closingDuringAWaitEndsQuietly_data() {
    QTest::addColumn<bool>("right");
    QTest::newRow("correction blinking") << false;
    QTest::newRow("pause after the last right answer") << true;
  }
  void closingDuringAWaitEndsQuietly() {
    QFETCH(bool, right);
    LessonFolder data;
    // One number: a right answer would end the run with the verdict box.
    data.folder.Write("ekzercoj/ekz03.dat", "[0301D]\r\na=dek du\r\n[0301R]\r\na=12\r\n");
    auto window = OpenLesson<TForm3>(3);
    window->show();
    Dictation dictation(window.get());
    Own<QPushButton>(window.get(), "BitBtn1")->click();
    dictation.Type(right ? dictation.RightAnswer() : dictation.WrongAnswer());
    bool boxShown = false;
    QPointer<QTimer> watch = WhenModalShown([&](QWidget* modal) {
      boxShown = true;
      modal->close();
    });
    QTimer::singleShot(300, window.get(), &QWidget::close);
    QElapsedTimer clock;
    clock.start();
    dictation.Enter();
    QVERIFY(clock.elapsed() < 1500);
    QVERIFY(!boxShown);
    delete watch;
  }
};

QTEST_MAIN(TestLesson3)
#include "tst_lesson03.moc"
