#include "inifile.h"
#include "testsupport.h"

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

  void failedWriteLeavesTheFileAlone() {
    TempProgramFolder folder;
    folder.Write("ro/h.ini", "[S]\r\nk=old\r\n");
    QFile::setPermissions(folder.Path("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    TIniFile ini(folder.Path("ro/h.ini"));
    const bool written = ini.WriteString("S", "k", QStringLiteral("new"));
    QFile::setPermissions(folder.Path("ro"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (written) QSKIP("the folder stays writable for this user (root)");
    QCOMPARE(folder.Read("ro/h.ini"), QByteArray("[S]\r\nk=old\r\n"));
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
