// The course recordings: the files the program looks for are there and play, and the generator makes only what
// changed; its decisions are called directly, without running espeak-ng.
#include "recordingmaker.h"

#include "programpaths.h"
#include "soundnames.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cmath>

#include <mpg123.h>

namespace {

struct DecodedMp3 {
  bool ok = false;
  double seconds = 0;
  double peak = 0;
};

DecodedMp3 DecodeMp3(const QString& path) {
  DecodedMp3 result;
  int error = MPG123_OK;
  mpg123_handle* handle = mpg123_new(nullptr, &error);
  if (handle == nullptr) return result;
  mpg123_format_none(handle);
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (size_t i = 0; i < rateCount; ++i) {
    mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_open(handle, QFile::encodeName(path).constData()) == MPG123_OK &&
      mpg123_getformat(handle, &rate, &channels, &encoding) == MPG123_OK && rate > 0 && channels > 0) {
    std::array<qint16, 4096> buffer;
    qint64 samples = 0;
    int status = MPG123_OK;
    while (status == MPG123_OK || status == MPG123_NEW_FORMAT) {
      size_t done = 0;
      status = mpg123_read(handle, buffer.data(), sizeof buffer, &done);
      const qsizetype count = qsizetype(done / sizeof(qint16));
      for (qsizetype i = 0; i < count; ++i) result.peak = std::max(result.peak, std::abs(buffer[i]) / 32768.0);
      samples += count;
    }
    result.ok = status == MPG123_DONE;
    result.seconds = double(samples) / double(rate * channels);
  }
  mpg123_close(handle);
  mpg123_delete(handle);
  return result;
}

QByteArray FileStart(const QString& path, qint64 bytes) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
}

Recording Speech(const QString& name, const QString& text, const Voice& voice = Speakers().first()) {
  return {QStringLiteral("sonoj\\") + name, text, voice};
}

// Writes `recordings` into `folder` as if made earlier: a file of some bytes each and a matching manifest.
Manifest PretendMade(const TempProgramFolder& folder, const QList<Recording>& recordings) {
  Manifest manifest;
  for (const Recording& recording : recordings) {
    const QByteArray bytes(100 + recording.text.size(), 'x');
    WriteFileBytes(RecordingFilePath(folder.Path(), recording.relativePath), bytes);
    ManifestEntry entry = WantedEntry(recording);
    entry.size = bytes.size();
    manifest.insert(recording.relativePath, entry);
  }
  return manifest;
}

QStringList Paths(const QList<Recording>& recordings) {
  QStringList paths;
  for (const Recording& recording : recordings) paths << recording.relativePath;
  return paths;
}

// Puts a folder of stand-in programs first on PATH, or alone on it, for as long as it lives.
class PathOverride {
 public:
  explicit PathOverride(const QString& folder) : saved_(qgetenv("PATH")) { qputenv("PATH", QFile::encodeName(folder)); }
  ~PathOverride() { qputenv("PATH", saved_); }

 private:
  QByteArray saved_;
};

void WriteScript(const QString& path, const QByteArray& body) {
  WriteFileBytes(path, "#!/bin/sh\n" + body + "\n");
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace

class TestRecordings : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // What the program draws from: every base name needs at least one numbered variant, the note its single file.
  void programFindsEveryBaseName() {
    SetProgramFolder(QStringLiteral(PELANO_PROGRAM_DIR));
    QStringList bases{QString::fromLatin1(SoundNames::Pass), QString::fromLatin1(SoundNames::Fail),
                      QString::fromLatin1(SoundNames::Wrong)};
    for (const char* base : SoundNames::Praise) bases << QString::fromLatin1(base);
    for (const char* base : SoundNames::Greetings) bases << QString::fromLatin1(base);
    for (const char* base : SoundNames::Farewells) bases << QString::fromLatin1(base);
    for (const QString& base : bases) {
      int found = 0;
      for (int n = 1; n <= SoundNames::VariantCount; ++n) found += DataFileExists(SharedSoundPath(base, n)) ? 1 : 0;
      QVERIFY2(found > 0, qPrintable(base));
    }
    // After a miss the farewell draws again from 1 to 6 only.
    for (const char* base : SoundNames::Farewells) {
      bool low = false;
      for (int n = 1; n <= 6; ++n) low = low || DataFileExists(SharedSoundPath(QString::fromLatin1(base), n));
      QVERIFY2(low, base);
    }
    QVERIFY(DataFileExists(SharedSoundPath(QString::fromLatin1(SoundNames::Note), 0)));
  }

  void everyRecordingIsAPlayableMp3_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("note");
    QTest::addColumn<int>("characters");
    for (const Recording& recording : CourseRecordings()) {
      // Names that differ only in letter case are one file, as the program looks them up.
      QTest::newRow(qPrintable(recording.relativePath))
          << DataPath(recording.relativePath) << (recording.source == RecordingSource::Note)
          << int(recording.text.size());
    }
  }
  void everyRecordingIsAPlayableMp3() {
    QFETCH(QString, path);
    QFETCH(bool, note);
    QFETCH(int, characters);
    QVERIFY(QFileInfo(path).isFile());
    QVERIFY2(QFileInfo(path).size() > 2000, "too small to hold a word");
    const QByteArray start = FileStart(path, 3);
    QVERIFY2(start == "ID3" || (start.size() == 3 && quint8(start[0]) == 0xFF && (quint8(start[1]) & 0xE0) == 0xE0),
             "neither an ID3 tag nor an MPEG frame");
    const DecodedMp3 decoded = DecodeMp3(path);
    QVERIFY(decoded.ok);
    QVERIFY2(decoded.peak > 0.2, "silent or nearly so");
    if (note) {
      QVERIFY2(decoded.seconds >= 0.4 && decoded.seconds <= 0.65, qPrintable(QString::number(decoded.seconds)));
    } else {
      // A word or sentence lasts a few seconds; a reading text lasts as long as its text, spoken at
      // well over eight characters a second and far under forty.
      const double longest = std::max(8.0, characters / 8.0);
      const double shortest = characters > 200 ? characters / 40.0 : 0.4;
      QVERIFY2(decoded.seconds >= shortest && decoded.seconds <= longest, qPrintable(QString::number(decoded.seconds)));
    }
  }

  // The two songs are made by their own tool, not from a text: they are there, they sound, and they last
  // as long as their pages promise.
  void theSongsAreBuilt_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("Jen") << QStringLiteral("sonoj\\lec02\\jen_kanz.mp3");
    QTest::newRow("Fragoj") << QStringLiteral("sonoj\\lec11\\fragoj.mp3");
  }
  void theSongsAreBuilt() {
    QFETCH(QString, path);
    SetProgramFolder(QStringLiteral(PELANO_PROGRAM_DIR));
    QVERIFY2(DataFileExists(path), qPrintable(path));
    const DecodedMp3 decoded = DecodeMp3(DataPath(path));
    QVERIFY(decoded.ok);
    QVERIFY2(decoded.peak > 0.2, "silent or nearly so");
    QVERIFY2(decoded.seconds >= 140 && decoded.seconds <= 150.5, qPrintable(QString::number(decoded.seconds)));
  }

  void sharedTextsSuitTheCourse() {
    const QList<Recording> shared = SharedRecordings();
    QList<Recording> unique;
    QString error;
    QVERIFY2(CheckedRecordings(shared, &unique, &error), qPrintable(error));
    QCOMPARE(unique.size(), shared.size());

    // A ŭ typed as a plain u ("baldau") is read by espeak-ng as a vowel of its own, with the stress moved onto it;
    // no Esperanto word ends in a plain "au" or "eu".
    const QRegularExpression plainU(QStringLiteral("[ae]u\\b"), QRegularExpression::CaseInsensitiveOption);
    for (const Recording& recording : shared) {
      QVERIFY2(!recording.text.contains(plainU), qPrintable(recording.text));
    }

    // Verdicts vary in wording; short answers vary in voice, men's and women's.
    for (const char* base : {SoundNames::Pass, SoundNames::Fail}) {
      QSet<QString> texts;
      for (const Recording& recording : shared) {
        if (recording.relativePath.startsWith(QStringLiteral("sonoj\\") + QLatin1String(base))) texts << recording.text;
      }
      QVERIFY2(texts.size() >= 4, base);
    }
    QList<const char*> answers(SoundNames::Praise.begin(), SoundNames::Praise.end());
    answers << SoundNames::Wrong;
    for (const char* base : answers) {
      QSet<QString> voices;
      int women = 0;
      for (int n = 1; n <= SoundNames::VariantCount; ++n) {
        const QString path = SharedSoundPath(QString::fromLatin1(base), n);
        for (const Recording& recording : shared) {
          if (recording.relativePath != path) continue;
          voices << recording.voice.name;
          women += recording.voice.IsFemale() ? 1 : 0;
        }
      }
      QVERIFY2(voices.size() >= 4 && women >= 2 && women <= int(voices.size()) - 2, base);
    }
  }

  void planMakesOnlyWhatChanged_data() {
    QTest::addColumn<int>("changed");  // index of the recording touched
    QTest::addColumn<QString>("how");
    QTest::newRow("text") << 0 << QStringLiteral("text");
    QTest::newRow("voice") << 1 << QStringLiteral("voice");
    QTest::newRow("speed") << 1 << QStringLiteral("speed");
    QTest::newRow("generator version") << 2 << QStringLiteral("version");
    QTest::newRow("file missing") << 0 << QStringLiteral("delete");
    QTest::newRow("file cut short") << 1 << QStringLiteral("shorten");
    QTest::newRow("file empty, entry says so") << 2 << QStringLiteral("empty");
    QTest::newRow("no entry") << 2 << QStringLiteral("forget");
  }
  void planMakesOnlyWhatChanged() {
    QFETCH(int, changed);
    QFETCH(QString, how);
    TempProgramFolder folder;
    QList<Recording> recordings{
        Speech(QStringLiteral("jes1.mp3"), QStringLiteral("Jes!")),
        Speech(QStringLiteral("ne1.mp3"), QStringLiteral("Ne."), Speakers()[1]),
        {QStringLiteral("sonoj\\noteto.mp3"), QString(), Voice{QStringLiteral("noto")}, RecordingSource::Note}};

    const RecordingPlan fresh = PlanRecordings(folder.Path(), recordings, Manifest());
    QCOMPARE(Paths(fresh.toMake), Paths(recordings));
    QCOMPARE(fresh.upToDate, 0);

    Manifest manifest = PretendMade(folder, recordings);
    const RecordingPlan same = PlanRecordings(folder.Path(), recordings, manifest);
    QVERIFY(same.toMake.isEmpty());
    QVERIFY(same.toRemove.isEmpty());
    QCOMPARE(same.upToDate, 3);

    Recording& target = recordings[changed];
    const QString file = RecordingFilePath(folder.Path(), target.relativePath);
    if (how == QLatin1String("text")) {
      target.text = QStringLiteral("Jes ja!");
    } else if (how == QLatin1String("voice")) {
      target.voice.name = QStringLiteral("eo+m3");
    } else if (how == QLatin1String("speed")) {
      target.voice.speed += 10;
    } else if (how == QLatin1String("version")) {
      manifest[target.relativePath].version = GeneratorVersion - 1;
    } else if (how == QLatin1String("delete")) {
      QVERIFY(QFile::remove(file));
    } else if (how == QLatin1String("shorten")) {
      WriteFileBytes(file, "xx");
    } else if (how == QLatin1String("empty")) {
      WriteFileBytes(file, QByteArray());
      manifest[target.relativePath].size = 0;
    } else if (how == QLatin1String("forget")) {
      manifest.remove(target.relativePath);
    }
    const RecordingPlan plan = PlanRecordings(folder.Path(), recordings, manifest);
    QCOMPARE(Paths(plan.toMake), QStringList{target.relativePath});
    QCOMPARE(plan.upToDate, 2);
    QVERIFY(plan.toRemove.isEmpty());
  }

  // Files the course dropped are removed, but only ones the tool made and only below sonoj/.
  void planRemovesOnlyItsOwnFiles() {
    TempProgramFolder folder;
    const QList<Recording> kept{Speech(QStringLiteral("jes1.mp3"), QStringLiteral("Jes!"))};
    Manifest manifest = PretendMade(folder, kept);
    const ManifestEntry old{QStringLiteral("Malnova."), QStringLiteral("eo"), 1, 3};
    for (const char* dropped : {"sonoj\\malnova1.mp3", "sonoj\\leciono\\vorto.mp3", "sonoj\\JES1.mp3"}) {
      manifest.insert(QString::fromLatin1(dropped), old);
    }
    for (const char* outside : {"konfig.ini", "sonoj\\..\\konfig.ini", "/etc/passwd", "figuroj\\fono.mp3",
                                "sonoj\\..\\..\\x.mp3", "sonoj\\.manifest", "C:\\sonoj\\jes1.mp3"}) {
      manifest.insert(QString::fromLatin1(outside), old);
    }
    const RecordingPlan plan = PlanRecordings(folder.Path(), kept, manifest);
    QStringList removed = plan.toRemove;
    removed.sort();
    QCOMPARE(removed, (QStringList{QStringLiteral("sonoj\\JES1.mp3"), QStringLiteral("sonoj\\leciono\\vorto.mp3"),
                                   QStringLiteral("sonoj\\malnova1.mp3")}));
    QCOMPARE(plan.upToDate, 1);
  }

  void manifestSurvivesAndDamageMeansRemake() {
    TempProgramFolder folder;
    const QString path = folder.Path(ManifestName);
    Manifest manifest;
    manifest.insert(QStringLiteral("sonoj\\ghis1.mp3"),
                    {QStringLiteral("Ĝis baldaŭ!"), QStringLiteral("eo+f2 s150 p55"), 7, 12345});
    manifest.insert(QStringLiteral("sonoj\\x\"y.mp3"),
                    {QStringLiteral("Li diris: \"Ne\".\n"), QStringLiteral("eo"), 1, 1});
    QVERIFY(WriteManifest(path, manifest));
    const Manifest read = ReadManifest(path);
    QCOMPARE(read.keys(), manifest.keys());
    for (const QString& key : manifest.keys()) {
      QVERIFY(read[key].SameRecording(manifest[key]));
      QCOMPARE(read[key].size, manifest[key].size);
    }

    QVERIFY(ReadManifest(folder.Path(QStringLiteral("sonoj/none"))).isEmpty());
    const QByteArrayList damages{QByteArray("{\"files\": {\"sonoj\\\\a.mp3\": {\"te"), QByteArray("\xff\xfe garbage"),
                                 QByteArray("[1, 2, 3]"), QByteArray()};
    for (const QByteArray& damaged : damages) {
      WriteFileBytes(path, damaged);
      const Manifest empty = ReadManifest(path);
      QVERIFY(empty.isEmpty());
    }
    // An entry with fields missing or of the wrong kind never matches a real recording.
    WriteFileBytes(path, "{\"files\": {\"sonoj\\\\jes1.mp3\": {\"text\": 5}}}");
    const Recording jes = Speech(QStringLiteral("jes1.mp3"), QStringLiteral("Jes!"));
    WriteFileBytes(RecordingFilePath(folder.Path(), jes.relativePath), "abc");
    QCOMPARE(PlanRecordings(folder.Path(), {jes}, ReadManifest(path)).toMake.size(), 1);
  }

  void badListsAreRefused_data() {
    QTest::addColumn<QList<Recording>>("recordings");
    QTest::addColumn<QString>("problem");
    const Recording jes = Speech(QStringLiteral("jes1.mp3"), QStringLiteral("Jes!"));
    const auto named = [&](const char* path) { return Recording{QString::fromLatin1(path), jes.text, jes.voice}; };
    QTest::newRow("leaves sonoj") << QList<Recording>{named("sonoj\\..\\konfig.mp3")} << QStringLiteral("below");
    QTest::newRow("absolute") << QList<Recording>{named("\\tmp\\sonoj\\a.mp3")} << QStringLiteral("below");
    QTest::newRow("drive") << QList<Recording>{named("C:sonoj\\a.mp3")} << QStringLiteral("below");
    QTest::newRow("not sonoj") << QList<Recording>{named("figuroj\\a.mp3")} << QStringLiteral("below");
    QTest::newRow("not mp3") << QList<Recording>{named("sonoj\\a.wav")} << QStringLiteral("below");
    QTest::newRow("empty part") << QList<Recording>{named("sonoj\\\\a.mp3")} << QStringLiteral("below");
    QTest::newRow("nothing to say") << QList<Recording>{Speech(QStringLiteral("a.mp3"), QStringLiteral("  "))}
                                    << QStringLiteral("no text");
    Recording other = jes;
    other.text = QStringLiteral("Jes ja!");
    QTest::newRow("one name, two texts") << QList<Recording>{jes, other} << QStringLiteral("two different");
    other = named("sonoj\\JES1.mp3");
    other.voice = Speakers()[1];
    QTest::newRow("letter case only, two voices") << QList<Recording>{jes, other} << QStringLiteral("two different");
  }
  void badListsAreRefused() {
    QFETCH(QList<Recording>, recordings);
    QFETCH(QString, problem);
    QList<Recording> unique;
    QString error;
    QVERIFY(!CheckedRecordings(recordings, &unique, &error));
    QVERIFY2(error.contains(problem), qPrintable(error));
  }

  void sameRecordingTwiceIsMadeOnce() {
    const Recording jes = Speech(QStringLiteral("jes1.mp3"), QStringLiteral("Jes!"));
    Recording again = jes;
    again.relativePath = QStringLiteral("sonoj\\Jes1.mp3");
    QList<Recording> unique;
    QString error;
    QVERIFY2(CheckedRecordings({jes, again, jes}, &unique, &error), qPrintable(error));
    QCOMPARE(Paths(unique), QStringList{jes.relativePath});
  }

  void noteIsAShortSoftChime() {
    const QList<float> note = NoteSamples();
    const double seconds = double(note.size()) / NoteSampleRate;
    QVERIFY(seconds >= 0.4 && seconds <= 0.6);
    float peak = 0;
    for (const float s : note) peak = std::max(peak, std::fabs(s));
    QVERIFY(peak > 0.3f && peak < 0.9f);
    // A smooth envelope: no click at either end.
    QVERIFY(std::fabs(note.first()) < 0.01f);
    QVERIFY(std::fabs(note.last()) < 0.01f);
    const std::optional<WavSound> wav = ReadWav(WavBytes(note, NoteSampleRate));
    QVERIFY(wav);
    QCOMPARE(wav->sampleRate, NoteSampleRate);
    QCOMPARE(wav->channels, 1);
    QCOMPARE(wav->samples.size(), note.size());
    QVERIFY(std::fabs(wav->samples[note.size() / 3] - note[note.size() / 3]) < 1e-4f);
  }

  void wavReaderRefusesWhatItCannotRead_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = WavBytes({0.1f, -0.2f, 0.3f}, 22050);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header cut") << good.left(30);
    QTest::newRow("not RIFF") << QByteArray(good).replace(0, 4, "RIFX");
    QByteArray eightBit = good;
    qToLittleEndian<quint16>(8, eightBit.data() + 34);
    QTest::newRow("8-bit") << eightBit;
    QByteArray noChannels = good;
    qToLittleEndian<quint16>(0, noChannels.data() + 22);
    QTest::newRow("no channels") << noChannels;
    QByteArray hugeChunk = good;
    qToLittleEndian<quint32>(0xFFFFFFF0u, hugeChunk.data() + 16);
    QTest::newRow("format chunk past the end") << hugeChunk;
  }
  void wavReaderRefusesWhatItCannotRead() {
    QFETCH(QByteArray, bytes);
    QVERIFY(!ReadWav(bytes));
  }

  void loudnessIsEvenedAndSilenceRefused() {
    QList<float> quiet(22050);
    QList<float> loud(22050);
    for (int i = 0; i < 22050; ++i) {
      quiet[i] = float(0.05 * std::sin(i * 0.1));
      loud[i] = float(0.6 * std::sin(i * 0.1));
    }
    QVERIFY(EvenLoudness(quiet, 22050));
    QVERIFY(EvenLoudness(loud, 22050));
    QVERIFY(std::fabs(quiet[1000] - loud[1000]) < 1e-3f);
    QList<float> silent(22050, 0.001f);
    QVERIFY(!EvenLoudness(silent, 22050));
  }

  // The whole tool on a small list, with the real espeak-ng and lame.
  void makesOnceThenKeeps() {
    TempProgramFolder folder;
    QList<Recording> recordings{Speech(QStringLiteral("saluton1.mp3"), QStringLiteral("Saluton!"), Speakers()[1]),
                                SharedRecordings().constLast()};
    QCOMPARE(recordings[1].source, RecordingSource::Note);
    MakeSummary summary;
    QString error;
    QVERIFY2(MakeRecordings(folder.Path(), recordings, &summary, &error), qPrintable(error));
    QCOMPARE(summary.made, 2);
    const QString speech = RecordingFilePath(folder.Path(), recordings[0].relativePath);
    const QDateTime madeAt = QFileInfo(speech).lastModified();
    QVERIFY(DecodeMp3(speech).ok);
    QVERIFY(!QFileInfo::exists(speech + QStringLiteral(".part")));

    summary = {};
    QVERIFY2(MakeRecordings(folder.Path(), recordings, &summary, &error), qPrintable(error));
    QCOMPARE(summary.made, 0);
    QCOMPARE(summary.upToDate, 2);
    QCOMPARE(QFileInfo(speech).lastModified(), madeAt);

    recordings[0].text = QStringLiteral("Saluton, kara lernanto!");
    summary = {};
    QVERIFY2(MakeRecordings(folder.Path(), recordings, &summary, &error), qPrintable(error));
    QCOMPARE(summary.made, 1);
    QCOMPARE(ReadManifest(folder.Path(ManifestName)).value(recordings[0].relativePath).text, recordings[0].text);

    const QString note = RecordingFilePath(folder.Path(), recordings[1].relativePath);
    recordings.removeLast();
    summary = {};
    QVERIFY2(MakeRecordings(folder.Path(), recordings, &summary, &error), qPrintable(error));
    QCOMPARE(summary.removed, 1);
    QVERIFY(!QFileInfo::exists(note));
    QVERIFY(!ReadManifest(folder.Path(ManifestName)).contains(SharedSoundPath(QStringLiteral("noteto"), 0)));
  }

  void failuresStopWithAClearMessage_data() {
    QTest::addColumn<QByteArray>("espeak");  // script body, or "real" for the installed espeak-ng, or empty for none
    QTest::addColumn<QByteArray>("lame");
    QTest::addColumn<QString>("message");
    QTest::newRow("no espeak-ng") << QByteArray() << QByteArray("real") << QStringLiteral("espeak-ng not found");
    QTest::newRow("no lame") << QByteArray("real") << QByteArray() << QStringLiteral("lame not found");
    QTest::newRow("espeak-ng fails") << QByteArray("echo 'voice eo missing' >&2; exit 1") << QByteArray("real")
                                     << QStringLiteral("espeak-ng failed: exit code 1: voice eo missing");
    QTest::newRow("espeak-ng says nothing")
        << QByteArray("exit 0") << QByteArray("real") << QStringLiteral("espeak-ng wrote no sound");
    QTest::newRow("lame fails") << QByteArray("real") << QByteArray("exit 3")
                                << QStringLiteral("lame failed: exit code 3");
    QTest::newRow("lame crashes") << QByteArray("real") << QByteArray("kill -SEGV $$")
                                  << QStringLiteral("lame failed: crashed");
    QTest::newRow("lame writes nothing") << QByteArray("real") << QByteArray("exit 0")
                                         << QStringLiteral("lame wrote nothing");
  }
  void failuresStopWithAClearMessage() {
    QFETCH(QByteArray, espeak);
    QFETCH(QByteArray, lame);
    QFETCH(QString, message);
    TempProgramFolder folder;
    const QString bin = folder.Path(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    const std::array<std::pair<QString, QByteArray>, 2> programs{
        {{QStringLiteral("espeak-ng"), espeak}, {QStringLiteral("lame"), lame}}};
    for (const auto& [name, body] : programs) {
      if (body == "real") {
        const QString real = QStandardPaths::findExecutable(name);
        QVERIFY2(!real.isEmpty(), qPrintable(name));
        QVERIFY(QFile::link(real, bin + QLatin1Char('/') + name));
      } else if (!body.isEmpty()) {
        WriteScript(bin + QLatin1Char('/') + name, body);
      }
    }
    const QList<Recording> recordings{Speech(QStringLiteral("jes1.mp3"), QStringLiteral("Jes!")),
                                      Speech(QStringLiteral("ne1.mp3"), QStringLiteral("Ne."))};
    MakeSummary summary;
    QString error;
    {
      const PathOverride path(bin);
      QVERIFY(!MakeRecordings(folder.Path(), recordings, &summary, &error));
    }
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(summary.made, 0);
    for (const Recording& recording : recordings) {
      const QString file = RecordingFilePath(folder.Path(), recording.relativePath);
      QVERIFY(!QFileInfo::exists(file));
      QVERIFY(!QFileInfo::exists(file + QStringLiteral(".part")));
    }
    QVERIFY(ReadManifest(folder.Path(ManifestName)).isEmpty());
  }
};

QTEST_MAIN(TestRecordings)
#include "tst_recordings.moc"
