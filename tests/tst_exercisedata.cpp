#include "exercisedata.h"
#include "settings.h"
#include "testsupport.h"
#include "translationfile.h"

#include <QtTest>

class TestExerciseData : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() {
    CloseTranslationFile();
    CurrentSettings().Lingvo = Portuguese;
  }

  void itemsInFileOrder() {
    TempProgramFolder folder;
    folder.Write("ekzercoj/ekz01.dat", "[0101D]\r\na=um\r\nc=dois\r\nb= tr\xC3\xAAs \r\n[0101R]\r\nx=1\r\n");
    QStringList items{"old0", "old1", "old2", "old3", "old4"};
    QCOMPARE(LoadExerciseItems(items, "0101", "D"), 3);
    QCOMPARE(items, (QStringList{"um", "dois", "três", "old3", "old4"}));
    QCOMPARE(LoadExerciseItems(items, "0101", "X"), 0);
    QCOMPARE(LoadExerciseItems(items, "0901", "D"), 0);  // no such file
  }

  void valueRules() {
    TempProgramFolder folder;
    folder.Write("Ekzercoj/EKZ02.DAT",
                 "[0204T]\r\n1=Eu vi o carro.'#10'Mi vidis la a\xC5\xADton.\r\n2=\"citado\"\r\n3=\xe9t\xe9\r\n"
                 "4=\r\n");
    QStringList items;
    QCOMPARE(LoadExerciseItems(items, "0204", "T"), 4);
    QCOMPARE(items[0], QStringLiteral("Eu vi o carro.\nMi vidis la aŭton."));
    QCOMPARE(items[1], QStringLiteral("citado"));
    QCOMPARE(items[2], QString());  // not UTF-8
    QCOMPARE(items[3], QString());
  }

  void translatedItemsComeFromTheTranslation() {
    TempProgramFolder folder;
    folder.Write("ekzercoj/ekz02.dat", "[0204T]\r\n1=portugu\xC3\xAAs\r\n[0204D]\r\n1=Mi\r\n");
    folder.Write("tradukoj/angla.trd", "[Ekzerco-0204]\r\n0=zero\r\n1=one\r\n3=three\r\n");
    CurrentSettings().Lingvo = QStringLiteral("English");
    OpenTranslationFile(folder.Path("tradukoj/angla.trd"));
    QStringList items;
    QCOMPARE(LoadExerciseItems(items, "0204", "T"), 3);
    QCOMPARE(items, (QStringList{"zero", "one", "Ne Tradukita"}));
    // Other suffixes come from the data file whatever the language.
    QCOMPARE(LoadExerciseItems(items, "0204", "D"), 1);
    QCOMPARE(items[0], QStringLiteral("Mi"));
  }

  void records() {
    TempProgramFolder folder;
    folder.Write("ekzercoj/ekz05.dat", "[0502K]\r\n1=a~b~\r\n2=~x\r\n3=sola\r\n");
    ExerciseRecords records;
    records[4][2] = QStringLiteral("stale");
    QCOMPARE(LoadExerciseRecords(records, "0502", "K"), 3);
    QCOMPARE(records[0][0], QStringLiteral("a"));
    QCOMPARE(records[0][1], QStringLiteral("b"));
    QCOMPARE(records[0][2], QString());
    QCOMPARE(records[1][0], QString());
    QCOMPARE(records[1][1], QStringLiteral("x"));
    QCOMPARE(records[2][0], QStringLiteral("sola"));
    QCOMPARE(records[4][2], QString());  // every record is cleared first
  }

  void boundsAreNeverPassed() {
    TempProgramFolder folder;
    QByteArray data = "[0301D]\r\n";
    for (int i = 0; i < 500; ++i) data += "k" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\r\n";
    data += "[0301K]\r\n1=" + QByteArray("f~").repeated(29) + "last\r\n";
    folder.Write("ekzercoj/ekz03.dat", data);
    QStringList items;
    QCOMPARE(LoadExerciseItems(items, "0301", "D"), MaxExerciseItems);
    QCOMPARE(items.size(), MaxExerciseItems);
    QCOMPARE(items.last(), QStringLiteral("100"));
    ExerciseRecords records;
    QCOMPARE(LoadExerciseRecords(records, "0301", "K"), 1);
    QCOMPARE(records[0][10], QStringLiteral("f"));
  }
};

QTEST_GUILESS_MAIN(TestExerciseData)
#include "tst_exercisedata.moc"
