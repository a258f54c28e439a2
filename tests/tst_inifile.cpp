#include "inifile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {
// Bytes of a literal that holds NUL characters.
template <std::size_t N>
QByteArray Bytes(const char (&literal)[N]) {
  return QByteArray(literal, N - 1);
}
}  // namespace

class TestIniFile : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void readingRules() {
    TempProgramFolder folder;
    folder.Write("a.ini",
                 "; a comment line\r\n"
                 "[Alpha]\r\n"
                 "  Name =  Zamenhof  \r\n"
                 "quoted=\"  spaced  \"\r\n"
                 "single='x'\r\n"
                 "mismatched=\"x'\r\n"
                 "dup=first\r\n"
                 "DUP=second\r\n"
                 ";commented=1\r\n"
                 "empty=\r\n"
                 "noequals\r\n"
                 "[alpha]\r\n"
                 "late=1\r\n"
                 "[Beta]\n"
                 "hex=0x1F\n"
                 "dollar=$10\n"
                 "short=0x\n"
                 "bad=abc\n");
    const TIniFile ini(folder.Path("a.ini"));
    QCOMPARE(ini.ReadString("alpha", "NAME", "-"), QStringLiteral("Zamenhof"));
    QCOMPARE(ini.ReadString("Alpha", "quoted", "-"), QStringLiteral("  spaced  "));
    QCOMPARE(ini.ReadString("Alpha", "single", "-"), QStringLiteral("x"));
    QCOMPARE(ini.ReadString("Alpha", "mismatched", "-"), QStringLiteral("\"x'"));
    QCOMPARE(ini.ReadString("Alpha", "dup", "-"), QStringLiteral("first"));
    QCOMPARE(ini.ReadString("Alpha", "commented", "-"), QStringLiteral("-"));
    QCOMPARE(ini.ReadString("Alpha", "empty", "-"), QString(""));
    QCOMPARE(ini.ReadString("Alpha", "late", "-"), QStringLiteral("-"));  // the first section wins
    QCOMPARE(ini.ReadString("Gamma", "x", "-"), QStringLiteral("-"));
    QCOMPARE(ini.ReadSection("Alpha"),
             (QByteArrayList{"Name", "quoted", "single", "mismatched", "dup", "DUP", "empty"}));
    QCOMPARE(ini.ReadInteger("Beta", "hex", 0), 31);
    QCOMPARE(ini.ReadInteger("Beta", "dollar", 0), 16);
    QCOMPARE(ini.ReadInteger("Beta", "short", 5), 5);
    QCOMPARE(ini.ReadInteger("Beta", "bad", 7), 7);
    QCOMPARE(ini.ReadInteger("Beta", "missing", 9), 9);
  }

  void writesKeepTheRestOfTheFile() {
    TempProgramFolder folder;
    folder.Write("b.ini", "; kept\r\n[One]\r\na=1\r\n\r\n[Two]\r\nb=2\r\n");
    TIniFile ini(folder.Path("b.ini"));
    QVERIFY(ini.WriteString("One", "c", QStringLiteral("3")));
    QVERIFY(ini.WriteString("two", "B", QStringLiteral("22")));
    QVERIFY(ini.WriteString("Three", "d", QStringLiteral("4")));
    QCOMPARE(folder.Read("b.ini"),
             QByteArray("; kept\r\n[One]\r\na=1\r\nc=3\r\n\r\n[Two]\r\nB=22\r\n\r\n[Three]\r\nd=4\r\n"));
    QVERIFY(ini.DeleteKey("One", "a"));
    QVERIFY(ini.EraseSection("Two"));
    QCOMPARE(folder.Read("b.ini"), QByteArray("; kept\r\n[One]\r\nc=3\r\n\r\n[Three]\r\nd=4\r\n"));
  }

  void valuesComeBackAsWritten_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << QStringLiteral("Bonan tagon");
    QTest::newRow("blanks at the ends") << QStringLiteral("  spaco  ");
    QTest::newRow("own quotes") << QStringLiteral("\"citaĵo\"");
    QTest::newRow("own apostrophes") << QStringLiteral("'x'");
    QTest::newRow("Esperanto and Portuguese") << QStringLiteral("Ĉeĥa, ação, Ŭ");
    QTest::newRow("equals signs") << QStringLiteral("a=b=c");
    QTest::newRow("semicolon first") << QStringLiteral(";ne komento");
  }
  void valuesComeBackAsWritten() {
    QFETCH(QString, value);
    TempProgramFolder folder;
    TIniFile ini(folder.Path("c.ini"));
    QVERIFY(ini.WriteString("S", "k", value));
    QCOMPARE(ini.ReadString("S", "k", "-"), value);
  }

  void lineBreaksCannotInjectEntries() {
    TempProgramFolder folder;
    TIniFile ini(folder.Path("d.ini"));
    QVERIFY(ini.WriteString("S", "Nomo", QStringLiteral("Ana\r\n[Alia]\r\nLingvo=X")));
    QCOMPARE(ini.ReadSection("S"), QByteArrayList{"Nomo"});
    QVERIFY(!ini.SectionExists("Alia"));
  }

  void longValuesAreReadWhole() {
    TempProgramFolder folder;
    TIniFile ini(folder.Path("e.ini"));
    const QString answer = QString(1024 * 1024, QLatin1Char('a')) + QStringLiteral("ĉ");
    QVERIFY(ini.WriteString("Lec01", "Edit1", answer));
    QCOMPARE(ini.ReadString("Lec01", "Edit1", QString()), answer);
  }

  void manySections() {
    TempProgramFolder folder;
    QByteArray contents;
    for (int i = 0; i < 50000; ++i) contents += "[S" + QByteArray::number(i) + "]\nk=" + QByteArray::number(i) + "\n";
    folder.Write("f.ini", contents);
    TIniFile ini(folder.Path("f.ini"));
    QCOMPARE(ini.ReadInteger("S49999", "k", -1), 49999);
    QVERIFY(ini.WriteInteger("S25000", "k", 7));
    QCOMPARE(ini.ReadInteger("S25000", "k", -1), 7);
    QCOMPARE(ini.ReadInteger("S25001", "k", -1), 25001);
  }

  void badFilesGiveDefaults_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("binary") << Bytes("\x00\x01\xff[\x00]=\x00\n\x80\x81");
    QTest::newRow("unclosed header") << QByteArray("[S\nk=1\n");
    QTest::newRow("only equals") << QByteArray("[S]\n=\n==\n");
    QTest::newRow("NUL inside a value") << Bytes("[T]\nk=a\x00b\n");
    QTest::newRow("lone CRs") << QByteArray("[T]\rk=1\r");
  }
  void badFilesGiveDefaults() {
    QFETCH(QByteArray, contents);
    TempProgramFolder folder;
    folder.Write("g.ini", contents);
    TIniFile ini(folder.Path("g.ini"));
    QCOMPARE(ini.ReadString("S", "k", "default"), QStringLiteral("default"));
    QVERIFY(ini.WriteString("S", "k", QStringLiteral("v")));
    QCOMPARE(ini.ReadString("S", "k", "default"), QStringLiteral("v"));
  }

  // Whoever runs the test, root included: a folder on the way is a regular file.
  void failedWritesChangeNothingAndSayFalse() {
    TempProgramFolder folder;
    folder.Write("blocker", "not a folder");
    TIniFile ini(folder.Path("blocker/h.ini"));
    QVERIFY(!ini.WriteString("S", "k", QStringLiteral("new")));
    QVERIFY(!ini.WriteAll({{"S", "a", "1"}, {"S", "b", "2"}}));
    QCOMPARE(folder.Read("blocker"), QByteArray("not a folder"));
    QCOMPARE(QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"blocker"});
  }

  // A snapshot reads the file as it was when taken, and never writes.
  void snapshotsHoldTheirMoment() {
    TempProgramFolder folder;
    folder.Write("s.ini", "[S]\r\na=1\r\n");
    TIniFile ini(folder.Path("s.ini"));
    TIniFile snapshot = ini.Snapshot();
    QVERIFY(ini.WriteString("S", "a", QStringLiteral("2")));
    QCOMPARE(snapshot.ReadInteger("S", "a", 0), 1);
    QCOMPARE(ini.ReadInteger("S", "a", 0), 2);
    QVERIFY(!snapshot.WriteString("S", "b", QStringLiteral("x")));
    QVERIFY(!snapshot.DeleteKey("S", "a"));
    QVERIFY(!snapshot.EraseSection("S"));
    QCOMPARE(folder.Read("s.ini"), QByteArray("[S]\r\na=2\r\n"));
    folder.Write("seed.ini", "[S]\r\nseed=yes\r\n");
    QCOMPARE(TIniFile(folder.Path("none.ini"), folder.Path("seed.ini")).Snapshot().ReadString("S", "seed", QString()),
             QStringLiteral("yes"));
  }

  void oneWriteForManyValues() {
    TempProgramFolder folder;
    folder.Write("w.ini", "[Form3]\r\nEdit1=old\r\n[Other]\r\nx=1\r\n");
    TIniFile ini(folder.Path("w.ini"));
    QVERIFY(ini.WriteAll({{"Form3", "Edit1", "um"}, {"Form3", "Edit2", "dois"}, {"Novo", "k", "v"}}));
    QCOMPARE(folder.Read("w.ini"),
             QByteArray("[Form3]\r\nEdit1=um\r\nEdit2=dois\r\n[Other]\r\nx=1\r\n\r\n[Novo]\r\nk=v\r\n"));
  }

  // Files written by other editors and by the classic profile functions.
  void headersAndMarksOfOtherTools_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QString>("expected");
    QTest::newRow("byte order mark before the first section")
        << QByteArray("\xEF\xBB\xBF[Form3]\r\nEdit1=sim\r\n") << QByteArray("Form3") << "sim";
    QTest::newRow("byte order mark before a comment")
        << QByteArray("\xEF\xBB\xBF; notes\r\n[Form3]\r\nEdit1=sim\r\n") << QByteArray("Form3") << "sim";
    QTest::newRow("comment after the header")
        << QByteArray("[Form1]\r\nEdit1=um\r\n[Form3] ; answers\r\nEdit1=tres\r\n") << QByteArray("Form3") << "tres";
    QTest::newRow("text after the header")
        << QByteArray("[Form1]\r\nEdit1=um\r\n[x] trailing\r\nEdit1=xis\r\n") << QByteArray("x") << "xis";
    QTest::newRow("keys after a trailing header stay out of the section before")
        << QByteArray("[Form1]\r\nEdit1=um\r\n[x] trailing\r\nEdit1=xis\r\n") << QByteArray("Form1") << "um";
    QTest::newRow("up to the last bracket") << QByteArray("[a]b] c\r\nk=v\r\n") << QByteArray("a]b") << "v";
    QTest::newRow("no closing bracket is no header")
        << QByteArray("[S]\r\n[broken\r\nk=v\r\n") << QByteArray("S") << "v";
  }
  void headersAndMarksOfOtherTools() {
    QFETCH(QByteArray, contents);
    QFETCH(QByteArray, section);
    QFETCH(QString, expected);
    TempProgramFolder folder;
    folder.Write("o.ini", contents);
    TIniFile ini(folder.Path("o.ini"));
    QCOMPARE(ini.ReadString(section, "Edit1", ini.ReadString(section, "k", "-")), expected);
    // A write keeps the section where it is found.
    QVERIFY(ini.WriteString(section, "novo", QStringLiteral("1")));
    QCOMPARE(ini.ReadString(section, "novo", "-"), QStringLiteral("1"));
    QCOMPARE(ini.ReadString(section, "Edit1", ini.ReadString(section, "k", "-")), expected);
  }

  // A file that does not exist yet starts from its seed, which is never written.
  void seedStandsInUntilTheFileIsMade() {
    TempProgramFolder folder;
    folder.Write("seed.ini", "[Form1]\r\nEdit2=Mi lernas\r\n");
    TIniFile ini(folder.Path("own/own.ini"), folder.Path("seed.ini"));
    QCOMPARE(ini.ReadString("Form1", "Edit2", "-"), QStringLiteral("Mi lernas"));
    QVERIFY(ini.WriteString("Form1", "Edit3", QStringLiteral("Vi lernas")));
    QCOMPARE(folder.Read("own/own.ini"), QByteArray("[Form1]\r\nEdit2=Mi lernas\r\nEdit3=Vi lernas\r\n"));
    QCOMPARE(folder.Read("seed.ini"), QByteArray("[Form1]\r\nEdit2=Mi lernas\r\n"));
    // From now on the file itself counts, not the seed.
    folder.Write("seed.ini", "[Form1]\r\nEdit2=changed\r\n");
    QCOMPARE(ini.ReadString("Form1", "Edit2", "-"), QStringLiteral("Mi lernas"));
  }

  void bareNamesLiveInTheUserFolder() {
    TempProgramFolder folder;
    TIniFile ini(QStringLiteral("pelano-test-bare.ini"));
    QCOMPARE(ini.FileName(), PerUserConfigFolder() + QStringLiteral("/pelano-test-bare.ini"));
    QVERIFY(ini.WriteString("S", "k", QStringLiteral("v")));
    QVERIFY(QFile::exists(ini.FileName()));
    QFile::remove(ini.FileName());
  }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
