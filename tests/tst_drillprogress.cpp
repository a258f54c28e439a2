#include "drillprogress.h"
#include "inifile.h"
#include "settings.h"
#include "testsupport.h"

#include <QtTest>

class TestDrillProgress : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  // Results kept beside the learner's other settings, which stay as they were.
  void writtenReadBackAndReset() {
    TempProgramFolder folder;
    folder.Write("konfig.ini",
                 "[\xD8"
                 "enerala]\r\nNomo=Ana\r\n[Form1]\r\nEdit2=Mi estas\r\n");
    TIniFile file(folder.Path("konfig.ini"));
    DrillProgress progress(&file);
    QVERIFY(progress.IsEmpty());
    QVERIFY(!progress.Result(QStringLiteral("0204")));

    QVERIFY(progress.Record(QStringLiteral("0204"), 80));
    QVERIFY(progress.Record(QStringLiteral("0204"), 65));  // a worse run is the last, not the best
    QVERIFY(progress.Record(QStringLiteral("0301"), 69));
    QVERIFY(progress.Record(QStringLiteral("1102"), 70));
    QVERIFY(progress.MarkExamSent());

    // A new reader sees only what is in the file.
    DrillProgress again(&file);
    QCOMPARE(again.Result(QStringLiteral("0204")), (DrillResult{65, 80}));
    QCOMPARE(again.Result(QStringLiteral("0301")), (DrillResult{69, 69}));
    QVERIFY(!again.Result(QStringLiteral("0301"))->Passed());
    QVERIFY(again.Result(QStringLiteral("1102"))->Passed());
    QCOMPARE(again.PassedCount({QStringLiteral("0204"), QStringLiteral("0301"), QStringLiteral("0999")}), 1);
    QVERIFY(again.ExamSent());
    QVERIFY(folder.Read("konfig.ini").contains("[Progreso]\r\n0204=65,80\r\n"));
    QCOMPARE(file.ReadString(SettingsKeys::General, SettingsKeys::Nomo, QString()), QStringLiteral("Ana"));

    QVERIFY(again.Reset());
    QVERIFY(progress.IsEmpty());
    QVERIFY(!progress.Result(QStringLiteral("0204")));
    QVERIFY(!progress.ExamSent());
    QVERIFY(!folder.Read("konfig.ini").contains("Progreso"));
    QCOMPARE(file.ReadString("Form1", "Edit2", QString()), QStringLiteral("Mi estas"));
  }

  // What a hand or another program left in the section is never taken for a result.
  void unreadableEntriesAreNoResults_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("last");  // -1: no result
    QTest::addColumn<int>("best");
    QTest::newRow("plain") << QByteArray("40,90") << 40 << 90;
    QTest::newRow("blanks") << QByteArray(" 40 , 90 ") << 40 << 90;
    QTest::newRow("best below last") << QByteArray("90,40") << 90 << 90;
    QTest::newRow("one number") << QByteArray("90") << -1 << 0;
    QTest::newRow("above 100") << QByteArray("150,150") << -1 << 0;
    QTest::newRow("negative") << QByteArray("-5,20") << -1 << 0;
    QTest::newRow("words") << QByteArray("bone,tre bone") << -1 << 0;
  }
  void unreadableEntriesAreNoResults() {
    QFETCH(QByteArray, stored);
    QFETCH(int, last);
    QFETCH(int, best);
    TempProgramFolder folder;
    folder.Write("konfig.ini", "[Progreso]\r\n0204=" + stored + "\r\n");
    TIniFile file(folder.Path("konfig.ini"));
    DrillProgress progress(&file);
    const std::optional<DrillResult> result = progress.Result(QStringLiteral("0204"));
    QCOMPARE(result.has_value(), last >= 0);
    if (result) QCOMPARE(*result, (DrillResult{last, best}));
    // A new run replaces what could not be read.
    QVERIFY(progress.Record(QStringLiteral("0204"), 30));
    QCOMPARE(progress.Result(QStringLiteral("0204"))->last, 30);
  }

  void percentagesAndCodesAreChecked() {
    TempProgramFolder folder;
    TIniFile file(folder.Path("konfig.ini"));
    DrillProgress progress(&file);
    QVERIFY(progress.Record(QStringLiteral("0501"), 130));
    QCOMPARE(progress.Result(QStringLiteral("0501")), (DrillResult{100, 100}));
    QVERIFY(progress.Record(QStringLiteral("0501"), -3));
    QCOMPARE(progress.Result(QStringLiteral("0501")), (DrillResult{0, 100}));
    // A code that is no drill code names no key of the file.
    QVERIFY(!progress.Record(QStringLiteral("05]1"), 50));
    QVERIFY(!progress.Record(QStringLiteral("0"), 50));
    QVERIFY(!progress.Record(QStringLiteral("Ekzameno"), 50));
    DrillProgress none(nullptr);
    QVERIFY(!none.Record(QStringLiteral("0501"), 50));
    QVERIFY(!none.Result(QStringLiteral("0501")));
  }

  // A save that cannot be made (a file stands where the settings folder
  // should be, which holds for root too) changes nothing and says so.
  void aFailedSaveLeavesTheProgressUntouched() {
    TempProgramFolder folder;
    folder.Write("seed.ini", "[Progreso]\r\n0204=65,80\r\nEkzamenoSendita=0\r\n");
    folder.Write("blocker", "not a folder");
    TIniFile file(folder.Path("blocker/konfig.ini"), folder.Path("seed.ini"));
    DrillProgress progress(&file);
    QCOMPARE(progress.Result(QStringLiteral("0204")), (DrillResult{65, 80}));

    QVERIFY(!progress.Record(QStringLiteral("0204"), 95));
    QVERIFY(!progress.Record(QStringLiteral("0301"), 95));
    QVERIFY(!progress.MarkExamSent());
    QVERIFY(!progress.Reset());

    QCOMPARE(progress.Result(QStringLiteral("0204")), (DrillResult{65, 80}));
    QVERIFY(!progress.Result(QStringLiteral("0301")));
    QVERIFY(!progress.ExamSent());
    QCOMPARE(folder.Read("seed.ini"), QByteArray("[Progreso]\r\n0204=65,80\r\nEkzamenoSendita=0\r\n"));
  }

  void resultsTableForTheMonitor() {
    const QString table =
        DrillResultsTable(QStringLiteral("Resultados:"), {{QStringLiteral("Página 6"), DrillResult{65, 80}},
                                                          {QStringLiteral("Página 9"), DrillResult{40, 55}},
                                                          {QStringLiteral("Página 11"), std::nullopt}});
    QCOMPARE(table, QStringLiteral("Resultados:\r\n"
                                   "\tPágina 6\t65%\t80%\t✓\r\n"
                                   "\tPágina 9\t40%\t55%\r\n"
                                   "\tPágina 11\t—\r\n"));
    QVERIFY(DrillResultsTable(QStringLiteral("Resultados:"), {}).isEmpty());
  }
};

QTEST_MAIN(TestDrillProgress)
#include "tst_drillprogress.moc"
