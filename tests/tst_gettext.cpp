#include "gettextfiles.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

const QString kProgram = QStringLiteral(PELANO_PROGRAM_DIR);

// msgfmt's verdict on a PO file, or on a POT file (which has no language in
// its header yet): empty when it finds nothing wrong.
QString MsgfmtComplaints(const QByteArray& po, bool isTemplate = false) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("check.po"));
  WriteFileBytes(path, po);
  QProcess msgfmt;
  msgfmt.setProcessChannelMode(QProcess::MergedChannels);
  const QStringList checks = isTemplate
                                 ? QStringList{QStringLiteral("--check-format"), QStringLiteral("--check-domain")}
                                 : QStringList{QStringLiteral("--check")};
  msgfmt.start(QStringLiteral("msgfmt"), checks + QStringList{QStringLiteral("-o"), QStringLiteral("/dev/null"), path});
  if (!msgfmt.waitForFinished(30000)) return QStringLiteral("msgfmt did not finish");
  const QString output = QString::fromLocal8Bit(msgfmt.readAll());
  return msgfmt.exitCode() == 0 && output.trimmed().isEmpty() ? QString() : output;
}

}  // namespace

class TestGettext : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Every shipped translation out to PO and back: the same bytes, and a PO
  // file that gettext's own checker accepts.
  void shippedTranslationsComeBackWhole_data() {
    QTest::addColumn<QString>("file");
    const QDir folder(QStringLiteral(PELANO_SOURCE_DIR "course/tradukoj"));
    for (const QString& name : folder.entryList({QStringLiteral("*.trd")}, QDir::Files)) {
      QTest::newRow(qPrintable(name)) << folder.filePath(name);
    }
  }
  void shippedTranslationsComeBackWhole() {
    QFETCH(QString, file);
    const QByteArray original = ReadFileBytes(file);
    QList<TranslationEntry> entries = ReadTranslationTable(original);
    AddSources(entries, ReadFileBytes(kProgram + QStringLiteral("tradukoj/fonto.txt")));
    const QByteArray po = WritePoFile(entries, false);
    const auto back = ReadPoFile(po);
    QVERIFY(back);
    QCOMPARE(*back, entries);
    QCOMPARE(WriteTranslationTable(*back), original);
    const QString complaints = MsgfmtComplaints(po);
    QVERIFY2(complaints.isEmpty(), qPrintable(complaints));
  }

  // The template for a new language: every key, every Portuguese source, no
  // translation, and gettext reads it.
  void templateHoldsEveryKeyWithItsSource() {
    const QList<TranslationEntry> keys =
        ReadTranslationTable(ReadFileBytes(kProgram + QStringLiteral("tradukoj/sxablono.txt")));
    QList<TranslationEntry> sources =
        ReadTranslationTable(ReadFileBytes(kProgram + QStringLiteral("tradukoj/fonto.txt")));
    QVERIFY(keys.size() > 1000);
    QCOMPARE(sources.size(), keys.size());
    int withoutSource = 0;
    for (qsizetype i = 0; i < keys.size(); ++i) {
      QCOMPARE(sources[i].section, keys[i].section);
      QCOMPARE(sources[i].key, keys[i].key);
      withoutSource += sources[i].translation.isEmpty() ? 1 : 0;
      sources[i].source = std::exchange(sources[i].translation, QByteArray());
    }
    // Only what names the translator, and labels that show pictures, have no Portuguese.
    QVERIFY2(withoutSource < 20, qPrintable(QString::number(withoutSource)));
    const QByteArray pot = WritePoFile(sources, true);
    const QString complaints = MsgfmtComplaints(pot, true);
    QVERIFY2(complaints.isEmpty(), qPrintable(complaints));
    const auto back = ReadPoFile(pot);
    QVERIFY(back);
    QCOMPARE(back->size(), keys.size());
  }

  // What a stored value may hold survives the trip, whatever tool re-wraps it.
  void valuesSurviveTheTrip_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("Esperanto letters") << QByteArray("Ĉu vi parolas Esperanton? Ŝi manĝas ĝojan aŭton.");
    QTest::newRow("line markers") << QByteArray("Unu linio'#10'Dua linio'#13#10'Tria");
    QTest::newRow("HTML") << QByteArray("<b>Saluton</b>, <a href=\"https://example.org/?a=1&b=2\">ligilo</a>");
    QTest::newRow("quotes and backslashes") << QByteArray("\"citaĵo\" kaj C:\\dosierujo\\ kaj \\n ne linio");
    QTest::newRow("tab") << QByteArray("a\tb");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("equals signs") << QByteArray("a=b=c");
  }
  void valuesSurviveTheTrip() {
    QFETCH(QByteArray, value);
    const QList<TranslationEntry> entries{{"Lec01", "Label1", "fonto", value}, {"Lec01", "Label2", "", value}};
    const auto back = ReadPoFile(WritePoFile(entries, false));
    QVERIFY(back);
    QCOMPARE(*back, entries);
  }

  // PO files as tools write them: strings wrapped over lines, comments,
  // flags, entries without a blank line between them.
  void poFilesAsToolsWriteThem() {
    const QByteArray po =
        "# translator's comment\n"
        "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
        "#, fuzzy\n#: somewhere\nmsgctxt \"Lec02/Label5\"\nmsgid \"\"\n\"Bom \"\n\"dia\"\nmsgstr \"\"\n\"Good \"\n"
        "\"morning\"\nmsgctxt \"Mesagxoj/smPordo\"\nmsgid \"Retorna\"\nmsgstr \"\"\n";
    const auto entries = ReadPoFile(po);
    QVERIFY(entries);
    QCOMPARE(entries->size(), 2);
    QCOMPARE(entries->at(0), (TranslationEntry{"Lec02", "Label5", "Bom dia", "Good morning"}));
    QCOMPARE(entries->at(1), (TranslationEntry{"Mesagxoj", "smPordo", "Retorna", ""}));
    QCOMPARE(WriteTranslationTable(*entries),
             QByteArray("[Lec02]\r\nLabel5=Good morning\r\n\r\n[Mesagxoj]\r\nsmPordo=\r\n\r\n"));
  }

  void brokenPoFilesAreRefused_data() {
    QTest::addColumn<QByteArray>("po");
    QTest::addColumn<int>("line");
    QTest::newRow("msgstr first") << QByteArray("msgstr \"x\"\n") << 1;
    QTest::newRow("no context") << QByteArray("msgid \"a\"\nmsgstr \"b\"\n\n") << 3;
    QTest::newRow("context without key") << QByteArray("msgctxt \"Lec01\"\nmsgid \"a\"\nmsgstr \"b\"\n") << 4;
    QTest::newRow("unclosed string") << QByteArray("msgctxt \"Lec01/A\"\nmsgid \"a\nmsgstr \"b\"\n") << 2;
    QTest::newRow("unknown escape") << QByteArray("msgctxt \"Lec01/A\"\nmsgid \"\\q\"\nmsgstr \"b\"\n") << 2;
    QTest::newRow("plural") << QByteArray("msgctxt \"Lec01/A\"\nmsgid \"a\"\nmsgid_plural \"as\"\n") << 3;
    QTest::newRow("two sources") << QByteArray("msgctxt \"Lec01/A\"\nmsgid \"a\"\nmsgid \"b\"\n") << 3;
  }
  void brokenPoFilesAreRefused() {
    QFETCH(QByteArray, po);
    QFETCH(int, line);
    QString error;
    QVERIFY(!ReadPoFile(po, &error));
    QVERIFY2(error.startsWith(QStringLiteral("line %1:").arg(line)), qPrintable(error));
  }
};

QTEST_MAIN(TestGettext)
#include "tst_gettext.moc"
