#include "drillhost.h"
#include "drilljudges.h"
#include "drillpanel.h"
#include "drillrun.h"
#include "messages.h"
#include "testsupport.h"
#include "verdicts.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

namespace {

// Random numbers from a list, so that a draw is known in advance.
DrillRun::Random Sequence(QList<int> numbers) {
  return [numbers, next = 0](int bound) mutable { return numbers.value(next++ % numbers.size()) % bound; };
}

// A drill panel on a page of a test host, with its six controls.
struct PanelWindow : DrillTestWindow {
  QWidget* drill = nullptr;
  DrillPanel* panel = nullptr;
  QLabel* counters[4] = {};
  QPushButton* start = nullptr;
  QPushButton* stop = nullptr;

  PanelWindow() {
    drill = AddFrame<QWidget>(QStringLiteral("Ekz"), QStringLiteral("Drill"));
    start = new QPushButton(drill);
    stop = new QPushButton(drill);
    for (QLabel*& counter : counters) counter = new QLabel(drill);
    panel = new DrillPanel(drill, {start, stop, counters[0], counters[1], counters[2], counters[3]}, DrillKind::Own);
  }
  QStringList Counts() const {
    QStringList texts;
    for (const QLabel* counter : counters) texts.append(counter->text());
    return texts;
  }
};

}  // namespace

class TestDrills : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    SetBuiltInMessages();
    SoundsEnabled() = false;
  }

  void typedSentences_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("right");
    QTest::newRow("same") << "Mi vidas la domon."
                          << "Mi vidas la domon." << true;
    QTest::newRow("blank before the final stop") << "Mi vidas la domon ."
                                                 << "Mi vidas la domon." << true;
    QTest::newRow("blanks before and after") << "  Mi vidas la domon .  "
                                             << "Mi vidas la domon." << true;
    QTest::newRow("no stop") << "mi vidas la domon"
                             << "Mi vidas la domon." << true;
    QTest::newRow("capital hatted letter") << "ĈU VI?"
                                           << "ĉu vi?" << true;
    QTest::newRow("doubled blanks") << "la  knabino"
                                    << "la knabino" << true;
    QTest::newRow("missing ending") << "Mi vidas la domo."
                                    << "Mi vidas la domon." << false;
    QTest::newRow("x-system is not the letter") << "cxu"
                                                << "ĉu" << false;
    QTest::newRow("accent matters") << "mangxas"
                                    << "manĝas" << false;
  }
  void typedSentences() {
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(bool, right);
    QCOMPARE(JudgeTypedSentence(typed, expected), right);
  }

  void gapsAndEndings() {
    QCOMPARE(WrongGaps({"Mi", "domon", ""}, {"mi", "domon.", ""}), QList<int>{});
    QCOMPARE(WrongGaps({"Mi", "domo", "x"}, {"mi", "domon", ""}), (QList<int>{1, 2}));
    QCOMPARE(WrongGaps({"a"}, {"a", "b"}), QList<int>{1});  // a gap the learner never saw is still asked
    QVERIFY(!GapExists(QStringLiteral(" . ")));
    QVERIFY(GapExists(QStringLiteral("n")));

    QVERIFY(TakesAccusativeEnding(QStringLiteral("hundo"), QStringLiteral(" 1 ")));
    QVERIFY(!TakesAccusativeEnding(QString(), QStringLiteral("1")));
    QVERIFY(!TakesAccusativeEnding(QStringLiteral("hundo"), QStringLiteral("11")));
    QCOMPARE(MissingEndings({true, false, true, true}, {true, true, false}), (QList<int>{2, 3}));
  }

  void numbersTimesAndQuestions_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("right");
    QTest::newRow("number") << "number"
                            << " 2026 "
                            << "2026" << true;
    QTest::newRow("ten digits") << "number"
                                << "9999999999"
                                << "9999999999" << true;
    QTest::newRow("words are no number") << "number"
                                         << "dek"
                                         << "10" << false;
    QTest::newRow("a huge number is not zero") << "number"
                                               << "4294967296"
                                               << "0" << false;
    QTest::newRow("two-digit hour") << "time"
                                    << "09:30"
                                    << "09:30" << true;
    QTest::newRow("one-digit hour") << "time"
                                    << " 9:30"
                                    << "09:30" << true;
    QTest::newRow("no hour") << "time"
                             << "  :30"
                             << "00:30" << true;
    QTest::newRow("hour digit then blank") << "time"
                                           << "9 :30"
                                           << "09:30" << false;
    QTest::newRow("no minutes") << "time"
                                << "12:  "
                                << "12:00" << false;
    QTest::newRow("question") << "question"
                              << "Ĉu|?"
                              << "Ĉu|?" << true;
    QTest::newRow("mark missing") << "question"
                                  << "Ĉu|."
                                  << "Ĉu|?" << false;
    QTest::newRow("pieces swapped") << "question"
                                    << "?|Ĉu"
                                    << "Ĉu|?" << false;
    QTest::newRow("word pair") << "pair"
                               << "domo"
                               << "domo" << true;
    QTest::newRow("word pair, other word") << "pair"
                                           << "kato"
                                           << "domo" << false;
    QTest::newRow("nothing asked") << "pair"
                                   << ""
                                   << "" << false;
  }
  void numbersTimesAndQuestions() {
    QFETCH(QString, kind);
    QFETCH(QString, given);
    QFETCH(QString, expected);
    QFETCH(bool, right);
    if (kind == QLatin1String("number")) QCOMPARE(JudgeNumber(given, expected), right);
    if (kind == QLatin1String("time")) QCOMPARE(JudgeTimeOfDay(given, expected), right);
    if (kind == QLatin1String("pair")) QCOMPARE(JudgeWordPair(given, expected), right);
    if (kind == QLatin1String("question")) {
      const QStringList parts = given.split(QLatin1Char('|'));
      const QStringList wanted = expected.split(QLatin1Char('|'));
      QCOMPARE(JudgeQuestion(parts[0], parts[1], wanted[0], wanted[1]).Right(), right);
    }
  }

  void aRunDrawsEveryItemOnceRight() {
    DrillRun run(Sequence({2, 0, 0, 1, 0}));
    run.Start(3);
    QVERIFY(run.Running());
    QCOMPARE(run.Draw(), 2);
    run.Wrong();  // a wrong item comes again
    QCOMPARE(run.Draw(), 0);
    run.Right();
    QCOMPARE(run.Draw(), 1);  // the first item still open
    run.Right();
    QCOMPARE(run.Draw(), 2);
    run.Right();
    QCOMPARE(run.Draw(), -1);
    QVERIFY(run.Complete());
    QCOMPARE(run.Hits(), 3);
    QCOMPARE(run.Misses(), 1);
    QCOMPARE(run.Remaining(), 0);
    QCOMPARE(run.Percentage(), 75);
    QVERIFY(run.Passed());
    run.Stop();
    QVERIFY(!run.Running() && !run.Complete());
    QCOMPARE(run.Hits(), 3);  // the score stays after the stop
  }

  void aRunWithACapOrNoItems() {
    DrillRun capped;
    capped.Start(10, 4);
    QCOMPARE(capped.Remaining(), 4);
    for (int i = 0; i < 4; ++i) {
      QVERIFY(capped.Draw() >= 0);
      capped.Right();
    }
    QVERIFY(capped.Complete());
    DrillRun empty;
    empty.Start(0);
    QCOMPARE(empty.Draw(), -1);
    QCOMPARE(empty.Percentage(), 0);
    QVERIFY(!empty.Passed());
  }

  void thePassMarkAndItsRounding_data() {
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<int>("percentage");
    QTest::addColumn<bool>("passed");
    QTest::newRow("exactly 70") << 7 << 3 << 70 << true;
    QTest::newRow("69.5 rounds to the even 70") << 139 << 61 << 70 << true;
    QTest::newRow("69.4") << 347 << 153 << 69 << false;
    QTest::newRow("all wrong") << 0 << 4 << 0 << false;
  }
  void thePassMarkAndItsRounding() {
    QFETCH(int, right);
    QFETCH(int, wrong);
    QFETCH(int, percentage);
    QFETCH(bool, passed);
    DrillRun run;
    run.Start(right + wrong);
    for (int i = 0; i < right; ++i) run.Right();
    for (int i = 0; i < wrong; ++i) run.Wrong();
    QCOMPARE(run.Percentage(), percentage);
    QCOMPARE(run.Passed(), passed);
  }

  void thePanelShowsTwoDigitsAndItsButtons() {
    PanelWindow w;
    w.panel->Start(12);
    QVERIFY(!w.start->isEnabled() && w.stop->isEnabled());
    QCOMPARE(w.Counts(), (QStringList{"12", "00", "00", "00%"}));
    w.panel->Run().Draw();
    w.panel->Right();
    w.panel->Wrong();
    QCOMPARE(w.Counts(), (QStringList{"11", "01", "01", "50%"}));
    w.panel->HoldStop(true);
    QVERIFY(!w.stop->isEnabled());
    w.panel->HoldStop(false);
    QVERIFY(w.stop->isEnabled());
    w.panel->Stop();
    QVERIFY(w.start->isEnabled() && !w.stop->isEnabled());
    w.panel->HoldStop(false);
    QVERIFY(!w.stop->isEnabled());  // no stop for a run that is over
  }

  // The blink toggles at once and then every period, keeps the widget's
  // room and ends as asked; the pause lasts its time.
  void blinkAndPauseKeepTheirTime() {
    PanelWindow w;
    auto* correction = new QLabel(QStringLiteral("la domon"), w.drill);
    correction->hide();
    int changes = 0;
    bool wasVisible = false;
    bool shownAtOnce = false;
    QTimer probe;
    connect(&probe, &QTimer::timeout, [&] {
      if (correction->isVisibleTo(w.drill) != wasVisible) ++changes;
      wasVisible = correction->isVisibleTo(w.drill);
    });
    QTimer::singleShot(20, [&] { shownAtOnce = correction->isVisibleTo(w.drill); });
    probe.start(20);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(w.panel->Blink({correction}, DrillTimings::Correction, DrillPanel::AfterBlink::Hidden));
    QVERIFY(clock.elapsed() >= 4000 && clock.elapsed() < 4700);
    QVERIFY(shownAtOnce);
    QVERIFY(correction->isHidden());
    QVERIFY(correction->sizePolicy().retainSizeWhenHidden());
    QVERIFY2(changes >= 8, qPrintable(QString::number(changes)));
    clock.restart();
    QVERIFY(w.panel->Pause(0.3));
    QVERIFY(clock.elapsed() >= 300 && clock.elapsed() < 800);
  }

  void waitsEndAtOnceWhenTheHostCloses_data() {
    QTest::addColumn<bool>("blink");
    QTest::newRow("blink") << true;
    QTest::newRow("pause") << false;
  }
  void waitsEndAtOnceWhenTheHostCloses() {
    QFETCH(bool, blink);
    PanelWindow w;
    auto* correction = new QLabel(w.drill);
    QTimer::singleShot(200, [&] { w.window.StartClosing(); });
    QElapsedTimer clock;
    clock.start();
    const bool open = blink ? w.panel->Blink({correction}, DrillTimings::Correction) : w.panel->Pause(4.0);
    QVERIFY(!open);
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY(w.panel->Closing());
    QVERIFY(!w.panel->Pause(1.0));  // and every later wait ends before it begins
  }
};

QTEST_MAIN(TestDrills)
#include "tst_drills.moc"
