#include "drillkeys.h"
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
    QVERIFY(!progress.Result(QStringLiteral("0204.kompletigo")));

    QVERIFY(progress.Record(QStringLiteral("0204.kompletigo"), 80));
    QVERIFY(progress.Record(QStringLiteral("0204.kompletigo"), 65));  // a worse run is the last, not the best
    QVERIFY(progress.Record(QStringLiteral("0301.ekzerco"), 69));
    QVERIFY(progress.Record(QStringLiteral("1102.akuzativo"), 70));
    QVERIFY(progress.MarkExamSent());

    // A new reader sees only what is in the file.
    DrillProgress again(&file);
    QCOMPARE(again.Result(QStringLiteral("0204.kompletigo")), (DrillResult{65, 80}));
    QCOMPARE(again.Result(QStringLiteral("0301.ekzerco")), (DrillResult{69, 69}));
    QVERIFY(!again.Result(QStringLiteral("0301.ekzerco"))->Passed());
    QVERIFY(again.Result(QStringLiteral("1102.akuzativo"))->Passed());
    QCOMPARE(again.PassedCount(
                 {QStringLiteral("0204.kompletigo"), QStringLiteral("0301.ekzerco"), QStringLiteral("0999.vortludo")}),
             1);
    QVERIFY(again.ExamSent());
    QVERIFY(folder.Read("konfig.ini").contains("[Progreso]\r\n0204.kompletigo=65,80\r\n"));
    QCOMPARE(file.ReadString(SettingsKeys::General, SettingsKeys::Nomo, QString()), QStringLiteral("Ana"));

    QVERIFY(again.Reset());
    QVERIFY(progress.IsEmpty());
    QVERIFY(!progress.Result(QStringLiteral("0204.kompletigo")));
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
    folder.Write("konfig.ini", "[Progreso]\r\n0204.kompletigo=" + stored + "\r\n");
    TIniFile file(folder.Path("konfig.ini"));
    DrillProgress progress(&file);
    const std::optional<DrillResult> result = progress.Result(QStringLiteral("0204.kompletigo"));
    QCOMPARE(result.has_value(), last >= 0);
    if (result) QCOMPARE(*result, (DrillResult{last, best}));
    // A new run replaces what could not be read.
    QVERIFY(progress.Record(QStringLiteral("0204.kompletigo"), 30));
    QCOMPARE(progress.Result(QStringLiteral("0204.kompletigo"))->last, 30);
  }

  void percentagesAndKeysAreChecked() {
    TempProgramFolder folder;
    TIniFile file(folder.Path("konfig.ini"));
    DrillProgress progress(&file);
    QVERIFY(progress.Record(QStringLiteral("0501.auskultado"), 130));
    QCOMPARE(progress.Result(QStringLiteral("0501.auskultado")), (DrillResult{100, 100}));
    QVERIFY(progress.Record(QStringLiteral("0501.auskultado"), -3));
    QCOMPARE(progress.Result(QStringLiteral("0501.auskultado")), (DrillResult{0, 100}));
    // Only a drill's key names a key of the file.
    for (const char* key : {"05]1.vortludo", "", "0501=1", "ekzamenosendita", "0501 vortludo"}) {
      QVERIFY2(!progress.Record(QLatin1String(key), 50), key);
    }
    QVERIFY(!progress.ExamSent());
    QCOMPARE(file.ReadSection(DrillProgress::Section).size(), 1);
    DrillProgress none(nullptr);
    QVERIFY(!none.Record(QStringLiteral("0501.auskultado"), 50));
    QVERIFY(!none.Result(QStringLiteral("0501.auskultado")));
  }

  // A save that cannot be made (a file stands where the settings folder
  // should be, which holds for root too) changes nothing and says so.
  void aFailedSaveLeavesTheProgressUntouched() {
    TempProgramFolder folder;
    folder.Write("seed.ini", "[Progreso]\r\n0204.kompletigo=65,80\r\nEkzamenoSendita=0\r\n");
    folder.Write("blocker", "not a folder");
    TIniFile file(folder.Path("blocker/konfig.ini"), folder.Path("seed.ini"));
    DrillProgress progress(&file);
    QCOMPARE(progress.Result(QStringLiteral("0204.kompletigo")), (DrillResult{65, 80}));

    QVERIFY(!progress.Record(QStringLiteral("0204.kompletigo"), 95));
    QVERIFY(!progress.Record(QStringLiteral("0301.ekzerco"), 95));
    QVERIFY(!progress.MarkExamSent());
    QVERIFY(!progress.Reset());

    QCOMPARE(progress.Result(QStringLiteral("0204.kompletigo")), (DrillResult{65, 80}));
    QVERIFY(!progress.Result(QStringLiteral("0301.ekzerco")));
    QVERIFY(!progress.ExamSent());
    QCOMPARE(folder.Read("seed.ini"), QByteArray("[Progreso]\r\n0204.kompletigo=65,80\r\nEkzamenoSendita=0\r\n"));
  }

  // Two drills of a window may ask the same exercise: each keeps its own results.
  void everyScoredDrillHasAKeyOfItsOwn() {
    const DrillCodes lesson5{
        .wordGame = "0501", .pronunciation = "0501", .listening = "0501", .gaps = {{{"TFrame41", "0502"}}}};
    const QStringList keys = ScoredDrillKeys(lesson5);
    QCOMPARE(keys, (QStringList{"0501.vortludo", "0501.auskultado", "0502.kompletigo"}));
    TempProgramFolder folder;
    TIniFile file(folder.Path("konfig.ini"));
    DrillProgress progress(&file);
    QVERIFY(progress.Record(keys[0], 90));
    QVERIFY(progress.Record(keys[1], 20));
    QCOMPARE(progress.PassedCount(keys), 1);
    QCOMPARE(DrillKeyName(keys[1]), QStringLiteral("Aŭskultado 0501"));
    QVERIFY(ScoredDrillKeys(DrillCodes{}).isEmpty());
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
