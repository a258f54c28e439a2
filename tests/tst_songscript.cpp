// The song scripts: note and chord names, lengths, the reader's errors, and the course's own two songs.
#include "makesongscript.h"

#include <QFile>
#include <QtTest>

class TestSongScript : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void noteNames() {
    QCOMPARE(NoteNumber(QStringLiteral("C4")), std::optional<int>(60));
    QCOMPARE(NoteNumber(QStringLiteral("A4")), std::optional<int>(69));
    QCOMPARE(NoteNumber(QStringLiteral("F#3")), std::optional<int>(54));
    QCOMPARE(NoteNumber(QStringLiteral("Bb2")), std::optional<int>(46));
    for (const char* bad : {"H4", "C", "4", "", "C#", "Cb#4"}) {
      QVERIFY2(!NoteNumber(QLatin1String(bad)).has_value(), bad);
    }
  }

  void chordsKeepTheirIntervals() {
    const auto intervals = [](const char* name) {
      QList<int> steps;
      const std::optional<QList<int>> tones = ChordTones(QLatin1String(name));
      if (!tones) return steps;
      for (int tone : *tones) steps.append(tone - tones->first());
      return steps;
    };
    QCOMPARE(intervals("C"), (QList<int>{0, 4, 7}));
    QCOMPARE(intervals("Am"), (QList<int>{0, 3, 7}));
    QCOMPARE(intervals("G7"), (QList<int>{0, 4, 7, 10}));
    QCOMPARE(intervals("Dm7"), (QList<int>{0, 3, 7, 10}));
    QCOMPARE(intervals("Fsus4"), (QList<int>{0, 5, 7}));
    QVERIFY(!ChordTones(QStringLiteral("Xm")).has_value());
  }

  void lengths() {
    QCOMPARE(BeatLength(QStringLiteral("1")), std::optional<double>(1.0));
    QCOMPARE(BeatLength(QStringLiteral("0.5")), std::optional<double>(0.5));
    QCOMPARE(BeatLength(QStringLiteral("3/4")), std::optional<double>(0.75));
    for (const char* bad : {"1/0", "x", "", "-1"}) QVERIFY2(!BeatLength(QLatin1String(bad)).has_value(), bad);
  }

  void readsAScriptAndNamesTheWrongLine() {
    const QString script = QStringLiteral(
        "# a short song\n"
        "beat 0.5\n"
        "length 10\n"
        "voice eo+f2 140 40\n"
        "chords 0 2 C G\n"
        "drums 0 8 soft\n"
        "melody 0 F#4:1/2 R:1/2 A4:1   # the sharp is a note, this is a comment\n"
        "say 1 2 50 Jen la suno\n");
    QString error;
    const std::optional<SongScript> song = ParseSongScript(script, &error);
    QVERIFY2(song.has_value(), qPrintable(error));
    QCOMPARE(song->beatSeconds, 0.5);
    QCOMPARE(song->lengthSeconds, 10.0);
    QCOMPARE(song->voice, QStringLiteral("eo+f2"));
    QCOMPARE(song->chords.size(), 2);
    QCOMPARE(song->melody.size(), 2);  // the rest is no note
    QCOMPARE(song->melody.first().midi, 66);
    QCOMPARE(song->melody.last().beat, 1.0);
    QCOMPARE(song->lines.size(), 1);
    QCOMPARE(song->lines.first().text, QStringLiteral("Jen la suno"));

    const QString broken = QStringLiteral("beat 0.5\nlength 10\nmelody 0 Q4:1\n");
    QVERIFY(!ParseSongScript(broken, &error).has_value());
    QVERIFY2(error.contains(QLatin1Char('3')), qPrintable(error));
  }

  void theCourseSongsFitTheirLength_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("jen") << QStringLiteral(PELANO_SONGS "jen.song");
    QTest::newRow("fragoj") << QStringLiteral(PELANO_SONGS "fragoj.song");
  }
  void theCourseSongsFitTheirLength() {
    QFETCH(QString, file);
    QFile source(file);
    QVERIFY(source.open(QIODevice::ReadOnly));
    QString error;
    const std::optional<SongScript> song = ParseSongScript(QString::fromUtf8(source.readAll()), &error);
    QVERIFY2(song.has_value(), qPrintable(error));
    QVERIFY(song->lengthSeconds >= 140 && song->lengthSeconds <= 150);
    QVERIFY(!song->lines.isEmpty());
    for (const SongLine& line : song->lines) {
      QVERIFY2((line.beat + line.beats) * song->beatSeconds <= song->lengthSeconds, qPrintable(line.text));
      QVERIFY(!line.text.trimmed().isEmpty());
    }
  }
};

QTEST_GUILESS_MAIN(TestSongScript)
#include "tst_songscript.moc"
