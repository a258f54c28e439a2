#include "inifile.h"
#include "sharedinifile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestSharedIniFile : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void emptyValueReadsAsDefault() {
    TempProgramFolder folder;
    folder.Write("t.trd", "[Mesagxoj]\r\nsmGratulon=\r\nsmDenove=Provu denove!\r\n");
    TSharedIniFile file(folder.Path("t.trd"));
    QCOMPARE(file.ReadString("Mesagxoj", "smGratulon", "Ne Tradukita"), QByteArray("Ne Tradukita"));
    QCOMPARE(file.ReadString("mesagxoj", "SMDENOVE", "-"), QByteArray("Provu denove!"));
    QCOMPARE(file.ReadString("Mesagxoj", "smPordo", "-"), QByteArray("-"));
  }

  void entriesAreNotSplitOnLoad() {
    TempProgramFolder folder;
    folder.Write("t.trd", "[S]\r\nkey = value\r\nb=x=y\r\nk=first\r\nK=second\r\n");
    TSharedIniFile file(folder.Path("t.trd"));
    QCOMPARE(file.ReadString("S", "key", "-"), QByteArray("-"));
    QCOMPARE(file.ReadString("S", "key ", "-"), QByteArray(" value"));
    QCOMPARE(file.ReadString("S", "b", "-"), QByteArray("x=y"));
    QCOMPARE(file.ReadString("S", "k", "-"), QByteArray("first"));
  }

  // Translation files written by other editors: a byte order mark is no
  // part of the first line; a header keeps its own rule here, so text after
  // its bracket makes it an entry line.
  void filesOfOtherEditors() {
    TempProgramFolder folder;
    folder.Write("t.trd", "\xEF\xBB\xBF[Mesagxoj]\r\nsmGratulon=Bone!\r\n[Menuo] ; captions\r\nEliri=Exit\r\n");
    TSharedIniFile file(folder.Path("t.trd"));
    QCOMPARE(file.ReadString("Mesagxoj", "smGratulon", "-"), QByteArray("Bone!"));
    QCOMPARE(file.ReadString("Menuo", "Eliri", "-"), QByteArray("-"));
    QCOMPARE(file.ReadString("Mesagxoj", "Eliri", "-"), QByteArray("Exit"));
    QVERIFY(file.UpdateFile());
    QVERIFY(folder.Read("t.trd").startsWith("[Mesagxoj]\r\n"));
  }

  void handlesOnOnePathShareOneCopy() {
    TempProgramFolder folder;
    folder.Write("Rusa.trd", "[Traduko]\r\nLingvo=Russkij\r\n");
    TSharedIniFile first(folder.Path("Rusa.trd"));
    TSharedIniFile second(folder.Path("rUSA.TRD"));
    QCOMPARE(second.Path(), first.Path());
    QVERIFY(first.Path().endsWith(QStringLiteral("/Rusa.trd")));
    first.WriteString("Traduko", "Tradukinto", "Ivan");
    QCOMPARE(second.ReadString("traduko", "tradukinto", "-"), QByteArray("Ivan"));
    // Nothing reaches the disk before an update or the last release.
    QCOMPARE(folder.Read("Rusa.trd"), QByteArray("[Traduko]\r\nLingvo=Russkij\r\n"));
  }

  void lastReleaseSavesChanges() {
    TempProgramFolder folder;
    folder.Write("a.trd", "[S]\r\nk=1\r\n");
    {
      TSharedIniFile first(folder.Path("a.trd"));
      {
        TSharedIniFile second(folder.Path("a.trd"));
        second.WriteString("S", "k", "2");
      }
      QCOMPARE(folder.Read("a.trd"), QByteArray("[S]\r\nk=1\r\n"));
    }
    QCOMPARE(folder.Read("a.trd"), QByteArray("[S]\r\nk=2\r\n"));
    // A fresh handle loads the file anew.
    folder.Write("a.trd", "[S]\r\nk=3\r\n");
    TSharedIniFile again(folder.Path("a.trd"));
    QCOMPARE(again.ReadString("S", "k", "-"), QByteArray("3"));
  }

  void savingDropsBlankLinesInSectionsOnly() {
    TempProgramFolder folder;
    folder.Write("b.trd", "\r\n; top\r\n\r\n[A]\r\na=1\r\n\r\n\r\nb=2\r\n[B]\r\n\r\nc=3\r\n[a]\r\nd=4\r\n");
    TSharedIniFile file(folder.Path("b.trd"));
    QVERIFY(file.UpdateFile());
    QCOMPARE(folder.Read("b.trd"), QByteArray("\r\n; top\r\n\r\n[A]\r\na=1\r\nb=2\r\nd=4\r\n\r\n[B]\r\nc=3\r\n"));
  }

  void writingAndErasing() {
    TempProgramFolder folder;
    folder.Write("c.trd", "[S]\r\na=1\r\nb=2\r\n[T]\r\nx=1\r\n");
    TSharedIniFile file(folder.Path("c.trd"));
    file.WriteString("S", "a", "");  // an empty value removes the entry
    file.WriteString("S", "c", "3");
    file.WriteString("S", "B", "two");
    file.WriteString("T", QByteArray(), QByteArray());  // no key: the whole section goes
    file.WriteString("New", "n", "line\r\nbreak");
    QCOMPARE(file.ReadSection("S"), (QByteArrayList{"B", "c"}));  // the entry takes the name as written
    QCOMPARE(file.ReadSection("T"), QByteArrayList{});
    QVERIFY(file.UpdateFile());
    QCOMPARE(folder.Read("c.trd"), QByteArray("[S]\r\nB=two\r\nc=3\r\n\r\n[New]\r\nn=line  break\r\n"));
  }

  void readInteger_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("hex") << QByteArray("0xCC") << 204;
    QTest::newRow("HEX") << QByteArray("0XCC") << 204;
    QTest::newRow("decimal") << QByteArray("204") << 204;
    QTest::newRow("dollar") << QByteArray("$CC") << 204;
    QTest::newRow("word") << QByteArray("abc") << -1;
    QTest::newRow("bare 0x") << QByteArray("0x") << -1;
    QTest::newRow("overflow") << QByteArray("99999999999") << -1;
  }
  void readInteger() {
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    TempProgramFolder folder;
    folder.Write("d.trd", "[Traduko]\r\nKodaro=" + value + "\r\n");
    TSharedIniFile file(folder.Path("d.trd"));
    QCOMPARE(file.ReadInteger("Traduko", "Kodaro", -1), expected);
  }

  void missingFileRemembersItsPath() {
    TempProgramFolder folder;
    {
      TSharedIniFile file(folder.Path("nova.trd"));
      QCOMPARE(file.ReadString("S", "k", "d"), QByteArray("d"));
      file.WriteString("S", "k", "v");
    }
    QCOMPARE(folder.Read("nova.trd"), QByteArray("[S]\r\nk=v\r\n"));
  }

  void canonicalPathTakesTheCaseOnDisk() {
    TempProgramFolder folder;
    folder.Write("Tradukoj/Angla.trd", "");
    QCOMPARE(CanonicalIniPath(folder.Path("TRADUKOJ/angla.TRD")), folder.Path("Tradukoj/Angla.trd"));
    // A missing file keeps its own name in its folder's case.
    QCOMPARE(CanonicalIniPath(folder.Path("tradukoj/Nova.trd")), folder.Path("Tradukoj/Nova.trd"));
    QCOMPARE(CanonicalIniPath(QStringLiteral("x.ini")), PerUserConfigFolder() + QStringLiteral("/x.ini"));
    QVERIFY(CanonicalIniPath(QString()).endsWith(QStringLiteral("/WIN.INI")));
  }

  void unreadableFileIsNeverOverwritten() {
    TempProgramFolder folder;
    QDir().mkpath(folder.Path("folder.trd"));  // a folder where a file is expected cannot be read
    TSharedIniFile file(folder.Path("folder.trd"));
    file.WriteString("S", "k", "v");
    QVERIFY(!file.UpdateFile());
    QVERIFY(QFileInfo(folder.Path("folder.trd")).isDir());
  }

  void largeFile() {
    TempProgramFolder folder;
    QByteArray contents = "[Big]\r\nk=" + QByteArray(1024 * 1024, 'z') + "\r\n";
    for (int i = 0; i < 50000; ++i) contents += "[S" + QByteArray::number(i) + "]\r\nk=v\r\n";
    folder.Write("big.trd", contents);
    TSharedIniFile file(folder.Path("big.trd"));
    QCOMPARE(file.ReadString("Big", "k", "").size(), 1024 * 1024);
    QCOMPARE(file.ReadString("s49999", "K", "-"), QByteArray("v"));
  }
};

QTEST_GUILESS_MAIN(TestSharedIniFile)
#include "tst_sharedinifile.moc"
