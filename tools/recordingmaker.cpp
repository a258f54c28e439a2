// Speaks every recording the course needs into the program folder:
//   pelano_makerecordings PROGRAM_DIR
// Speech comes from espeak-ng's Esperanto voice, encoded with lame. Only what changed is made again: the
// manifest sonoj/.manifest remembers, for every file the tool made, its text, voice, generator version and size.
#include "recordingmaker.h"
#include "soundnames.h"
#include "wavfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QProcess>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <numbers>
#include <optional>

// Raise it whenever a change here alters the sound of files already made (synthesis, loudness, encoding), so
// that every file is made again.

// Four men and four women, taking turns, at an unhurried pace for learners. A word's numbered variants go through
// them in this order, so the first four variants of any word already have two men and two women.
const QList<Voice>& Speakers() {
  static const QList<Voice> speakers{{QStringLiteral("eo+m1"), 145, 45}, {QStringLiteral("eo+f2"), 150, 55},
                                     {QStringLiteral("eo+m3"), 150, 50}, {QStringLiteral("eo+f4"), 145, 50},
                                     {QStringLiteral("eo+f1"), 150, 50}, {QStringLiteral("eo+m4"), 145, 50},
                                     {QStringLiteral("eo+f5"), 145, 50}, {QStringLiteral("eo+m6"), 150, 45}};
  return speakers;
}

// The recordings of sonoj\ that every part of the course shares: greetings, farewells, verdicts, praise, "ne" and
// the note. Every base word has all eight variants, so the program's random draw finds a file at once: a greeting
// whose variant is missing would fall back to "Saluton!" instead of the greeting of the hour.
QList<Recording> SharedRecordings() {
  QList<Recording> list;
  const QList<Voice>& speakers = Speakers();
  // Variant N uses phrase (N - 1) modulo the number of phrases and speaker N - 1.
  const auto addVariants = [&](const char* base, const QList<const char*>& phrases) {
    for (int n = 1; n <= SoundNames::VariantCount; ++n) {
      list.append({SharedSoundPath(QString::fromLatin1(base), n), QString::fromUtf8(phrases[(n - 1) % phrases.size()]),
                   speakers[n - 1]});
    }
  };

  // Greetings, said when the main menu opens; "nokton" is the greeting of late hours too.
  addVariants(SoundNames::Greetings[0], {"Bonan matenon!", "Bonan matenon, kara lernanto!", "Bonan matenon al vi!",
                                         "Bonan matenon! Bonvenon al la kurso!"});
  addVariants(SoundNames::Greetings[1], {"Bonan tagon!", "Bonan tagon, kara lernanto!", "Bonan tagon al vi!",
                                         "Bonan tagon! Bonvenon al la kurso!"});
  addVariants(SoundNames::Greetings[2], {"Bonan vesperon!", "Bonan vesperon, kara lernanto!", "Bonan vesperon al vi!",
                                         "Bonan vesperon! Bonvenon al la kurso!"});
  addVariants(SoundNames::Greetings[3], {"Bonan nokton!", "Bonan nokton, kara lernanto!", "Bonan nokton al vi!",
                                         "Bonan nokton! Bonvenon al la kurso!"});
  addVariants(SoundNames::Greetings[4],
              {"Saluton!", "Saluton, kara lernanto!", "Saluton al vi!", "Saluton! Bonvenon al la kurso!"});

  // Farewells, said when the program closes.
  addVariants(SoundNames::Farewells[0],
              {"Ĝis!", "Ĝis la revido!", "Ĝis, kara lernanto!", "Ĝis la revido, kara lernanto!"});
  addVariants(SoundNames::Farewells[1],
              {"Ĝis revido!", "Ĝis revido, kara lernanto!", "Ĝis revido kaj sukceson!", "Ĝis revido, kara amiko!"});
  addVariants(SoundNames::Farewells[2],
              {"Ĝis baldaŭ!", "Ĝis baldaŭ, kara lernanto!", "Ĝis baldaŭ! Mi atendos vin.", "Ĝis baldaŭ kaj sukceson!"});
  addVariants(SoundNames::Farewells[3],
              {"Adiaŭ!", "Adiaŭ, kara lernanto!", "Adiaŭ kaj sukceson!", "Adiaŭ! Estis plezuro lerni kun vi."});

  // Verdicts at the end of a drill: 70 % or more, and under 70 %. Every variant is a sentence of its own.
  addVariants(SoundNames::Pass, {"Gratulon! Via rezulto estas tre bona.", "Bonege! Vi bone lernis la lecionon.",
                                 "Gratulon! Vi sukcesis.", "Tre bone! Via rezulto estas bonega.",
                                 "Gratulon! Vi faris grandan progreson.", "Brave! Vi sukcese finis la ekzercon.",
                                 "Gratulon! Daŭrigu tiel!", "Tre bone! Vi estas sur la ĝusta vojo."});
  addVariants(SoundNames::Fail,
              {"Via rezulto ne estas sufiĉe bona. Provu denove!", "Ne malesperu! Provu ankoraŭ unu fojon.",
               "Ripetu la ekzercon, kaj vi sukcesos.", "Tio ankoraŭ ne sufiĉas. Provu denove!",
               "Ne ĉagreniĝu: el eraroj oni lernas. Provu denove!", "Relegu la lecionon, kaj poste provu denove.",
               "Iom pli da praktiko, kaj vi sukcesos. Provu denove!", "Kuraĝon! La venontan fojon vi faros pli bone."});

  // Praise for a right answer, in the order of SoundNames::Praise, and "ne" for a wrong one.
  const std::array<const char*, SoundNames::Praise.size()> praise{"Jes!",   "Tre bone!", "Bonege!",
                                                                  "Prave!", "Trafe!",    "Korekte!"};
  for (std::size_t i = 0; i < praise.size(); ++i) addVariants(SoundNames::Praise[i], {praise[i]});
  addVariants(SoundNames::Wrong, {"Ne."});

  list.append({SharedSoundPath(QString::fromLatin1(SoundNames::Note), 0), QString(),
               Voice{QStringLiteral("noto"), 0, 0}, RecordingSource::Note});
  return list;
}

// ---------------------------------------------------------------------------------------------------------------
// Deciding what to make

ManifestEntry WantedEntry(const Recording& recording) {
  return {recording.text,
          recording.source == RecordingSource::Note ? QStringLiteral("noto") : recording.voice.Signature(),
          GeneratorVersion, -1};
}

// Recordings are named by the course data, so a name must not lead out of sonoj\.
bool IsSafeRecordingPath(const QString& relativePath) {
  QString path = relativePath;
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (path.startsWith(QLatin1Char('/')) || path.contains(QLatin1Char(':'))) return false;
  const QStringList parts = path.split(QLatin1Char('/'));
  if (parts.size() < 2 || parts.first() != QLatin1String("sonoj")) return false;
  for (const QString& part : parts) {
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) return false;
  }
  return parts.last().endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive);
}

QString RecordingFilePath(const QString& programDir, const QString& relativePath) {
  QString path = relativePath;
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return QDir(programDir).filePath(path);
}

// Checks the names of a list and drops repeated entries. The program matches names without regard to letter
// case, so "Jes1.mp3" and "jes1.mp3" are one file: the same recording listed twice is fine (several pages may
// speak the same word), two different recordings under one name are a fault in the course data.
bool CheckedRecordings(const QList<Recording>& recordings, QList<Recording>* unique, QString* error) {
  QMap<QString, qsizetype> seen;  // lower-case name to index in `unique`
  unique->clear();
  QStringList problems;
  for (const Recording& recording : recordings) {
    if (!IsSafeRecordingPath(recording.relativePath)) {
      problems << QStringLiteral("%1: not a .mp3 name below sonoj\\").arg(recording.relativePath);
      continue;
    }
    if (recording.source == RecordingSource::Speech && recording.text.trimmed().isEmpty()) {
      problems << QStringLiteral("%1: no text to speak").arg(recording.relativePath);
      continue;
    }
    const QString key = recording.relativePath.toLower();
    const auto found = seen.constFind(key);
    if (found == seen.constEnd()) {
      seen.insert(key, unique->size());
      unique->append(recording);
    } else if (!WantedEntry(unique->at(*found)).SameRecording(WantedEntry(recording))) {
      problems << QStringLiteral("%1: named for two different recordings (\"%2\" and \"%3\")")
                      .arg(recording.relativePath, unique->at(*found).text, recording.text);
    }
  }
  if (!problems.isEmpty()) *error = problems.join(QLatin1Char('\n'));
  return problems.isEmpty();
}

// A file is up to date when it exists with the size it was made with and its entry names the same text, voice and
// generator version as the recording wanted now.
bool IsUpToDate(const QString& filePath, const ManifestEntry& wanted, const ManifestEntry* stored) {
  if (stored == nullptr || !stored->SameRecording(wanted)) return false;
  const QFileInfo file(filePath);
  return file.isFile() && file.size() > 0 && file.size() == stored->size;
}

// `recordings` must have passed CheckedRecordings.
RecordingPlan PlanRecordings(const QString& programDir, const QList<Recording>& recordings, const Manifest& manifest) {
  RecordingPlan plan;
  QSet<QString> wanted;
  for (const Recording& recording : recordings) {
    wanted.insert(recording.relativePath);
    const auto stored = manifest.constFind(recording.relativePath);
    const bool current = IsUpToDate(RecordingFilePath(programDir, recording.relativePath), WantedEntry(recording),
                                    stored == manifest.constEnd() ? nullptr : &*stored);
    if (current) {
      ++plan.upToDate;
    } else {
      plan.toMake.append(recording);
    }
  }
  // Only files this tool made are ever removed, and only below sonoj/, whatever the manifest says. A name whose
  // letter case changed counts as removed: on a file system that ignores case that deletes the file it is about
  // to make again, which is harmless since removals come first.
  for (auto entry = manifest.constBegin(); entry != manifest.constEnd(); ++entry) {
    if (!wanted.contains(entry.key()) && IsSafeRecordingPath(entry.key())) plan.toRemove << entry.key();
  }
  return plan;
}

// A missing or damaged manifest reads as empty: every file is then made again, which is slow but right.
Manifest ReadManifest(const QString& path) {
  Manifest manifest;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return manifest;
  const QJsonObject files = QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("files")).toObject();
  for (auto it = files.constBegin(); it != files.constEnd(); ++it) {
    const QJsonObject entry = it.value().toObject();
    manifest.insert(
        it.key(),
        {entry.value(QLatin1String("text")).toString(), entry.value(QLatin1String("voice")).toString(),
         entry.value(QLatin1String("version")).toInt(), qint64(entry.value(QLatin1String("size")).toDouble(-1))});
  }
  return manifest;
}

bool WriteManifest(const QString& path, const Manifest& manifest) {
  QJsonObject files;
  for (auto it = manifest.constBegin(); it != manifest.constEnd(); ++it) {
    files.insert(it.key(), QJsonObject{{QLatin1String("text"), it->text},
                                       {QLatin1String("voice"), it->voice},
                                       {QLatin1String("version"), it->version},
                                       {QLatin1String("size"), double(it->size)}});
  }
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) &&
         file.write(QJsonDocument(QJsonObject{{QLatin1String("files"), files}}).toJson()) >= 0 && file.commit();
}

// ---------------------------------------------------------------------------------------------------------------
// Sound

// 16-bit PCM WAV; samples in -1 to 1, interleaved when there is more than one channel.
QByteArray WavBytes(const QList<float>& samples, int sampleRate, int channels) {
  WavAudio audio;
  audio.sampleRate = sampleRate;
  audio.channels = channels;
  audio.bitsPerSample = 16;
  audio.samples.resize(samples.size() * 2);
  for (qsizetype i = 0; i < samples.size(); ++i) {
    const float clamped = std::clamp(samples[i], -1.0f, 1.0f);
    qToLittleEndian<qint16>(qint16(std::lround(clamped * 32767.0f)), audio.samples.data() + 2 * i);
  }
  return WriteWavFile(audio);
}

// The 16-bit PCM WAV that espeak-ng writes, as samples in -1 to 1.
std::optional<WavSound> ReadWav(const QByteArray& bytes) {
  const std::optional<WavAudio> audio = ParseWavFile(bytes);
  if (!audio || audio->bitsPerSample != 16) return std::nullopt;
  WavSound sound;
  sound.sampleRate = audio->sampleRate;
  sound.channels = audio->channels;
  const qsizetype count = audio->samples.size() / 2;
  sound.samples.resize(count);
  for (qsizetype i = 0; i < count; ++i) {
    sound.samples[i] = float(qFromLittleEndian<qint16>(audio->samples.constData() + 2 * i)) / 32768.0f;
  }
  return sound;
}

// The voices of espeak-ng differ in loudness by half again; this brings speech to one level, measured on the
// voiced parts only so that pauses do not count, and keeps the peaks clear of clipping. False for a silent sound.
bool EvenLoudness(QList<float>& samples, int sampleRate) {
  constexpr double targetRms = 0.14;
  constexpr double peakLimit = 0.89;
  double peak = 0;
  for (const float s : samples) peak = std::max(peak, double(std::fabs(s)));
  if (peak < 0.01) return false;
  const qsizetype block = std::max(1, sampleRate / 50);
  double sum = 0;
  qsizetype counted = 0;
  for (qsizetype start = 0; start < samples.size(); start += block) {
    const qsizetype end = std::min(samples.size(), start + block);
    double blockSum = 0;
    for (qsizetype i = start; i < end; ++i) blockSum += double(samples[i]) * samples[i];
    if (blockSum / double(end - start) > 0.02 * 0.02) {
      sum += blockSum;
      counted += end - start;
    }
  }
  const double rms = counted > 0 ? std::sqrt(sum / double(counted)) : peak;
  const double gain = std::min(targetRms / rms, peakLimit / peak);
  for (float& s : samples) s = float(s * gain);
  return true;
}

// A soft two-tone chime, G5 and then the major third above it, B5: each tone a sine with two quieter overtones
// that fade faster, the way a small bell sounds, struck with a short rounded attack and fading out to silence.
QList<float> NoteSamples() {
  constexpr double duration = 0.5;
  constexpr double secondStart = 0.14;
  constexpr double attack = 0.008;
  constexpr double fadeOut = 0.06;
  constexpr double decay = 0.16;
  struct Partial {
    double ratio, amplitude, decayShare;
  };
  constexpr std::array<Partial, 4> partials{{{1.0, 1.0, 1.0}, {2.0, 0.3, 0.5}, {3.0, 0.1, 0.33}, {4.07, 0.05, 0.25}}};
  const auto tone = [&](double frequency, double t) {
    if (t < 0) return 0.0;
    const double rise = t < attack ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack) : 1.0;
    double value = 0;
    for (const Partial& p : partials) {
      const double phase = 2 * std::numbers::pi * frequency * p.ratio * t;
      value += p.amplitude * std::exp(-t / (decay * p.decayShare)) * std::sin(phase);
    }
    return rise * value;
  };
  const int count = int(duration * NoteSampleRate);
  QList<float> samples(count);
  double peak = 0;
  for (int i = 0; i < count; ++i) {
    const double t = double(i) / NoteSampleRate;
    const double tail = duration - t;
    const double fade = tail < fadeOut ? 0.5 - 0.5 * std::cos(std::numbers::pi * tail / fadeOut) : 1.0;
    const double value = fade * (0.8 * tone(783.99, t) + tone(987.77, t - secondStart));
    samples[i] = float(value);
    peak = std::max(peak, std::fabs(value));
  }
  // Softer than speech: it answers every right typed answer and must not startle.
  for (float& s : samples) s = float(s * 0.5 / peak);
  return samples;
}

// ---------------------------------------------------------------------------------------------------------------
// Making the files

inline constexpr int ParallelJobs = 2;
inline constexpr int ProcessTimeoutMs = 60000;

// Runs espeak-ng and lame for a list of recordings, a few at a time, and notes each file made in the manifest.
// The first failure stops new jobs from starting; the ones running are let finish.
class RecordingJobs {
 public:
  RecordingJobs(const QString& programDir, const QString& tempDir, Manifest* manifest)
      : programDir_(programDir), tempDir_(tempDir), manifest_(manifest) {}

  // Returns the number of files made; `error` is set when any failed.
  int Run(const QList<Recording>& recordings, QString* error) {
    queue_ = recordings;
    while (running_ < ParallelJobs && StartNext()) {
    }
    if (running_ > 0) loop_.exec();
    *error = errors_.join(QLatin1Char('\n'));
    return made_;
  }

 private:
  bool StartNext() {
    if (!errors_.isEmpty() || next_ >= queue_.size()) return false;
    const qsizetype index = next_++;
    ++running_;
    const Recording& recording = queue_.at(index);
    const QString wav = QDir(tempDir_).filePath(QString::number(index) + QStringLiteral(".wav"));
    if (recording.source == RecordingSource::Note) {
      if (!WriteBytes(wav, WavBytes(NoteSamples(), NoteSampleRate))) {
        Fail(recording, QStringLiteral("cannot write %1").arg(wav));
      } else {
        Encode(index, wav);
      }
      return true;
    }
    const QStringList arguments{QStringLiteral("-v"), recording.voice.name,
                                QStringLiteral("-s"), QString::number(recording.voice.speed),
                                QStringLiteral("-p"), QString::number(recording.voice.pitch),
                                QStringLiteral("-b"), QStringLiteral("1"),  // the text is UTF-8
                                QStringLiteral("-w"), wav,
                                QStringLiteral("--"), recording.text};
    RunProcess(index, QStringLiteral("espeak-ng"), arguments, [this, index, wav] {
      const Recording& recording = queue_.at(index);
      std::optional<WavSound> sound = ReadWav(ReadBytes(wav));
      if (!sound) return Fail(recording, QStringLiteral("espeak-ng wrote no sound"));
      if (!EvenLoudness(sound->samples, sound->sampleRate)) {
        return Fail(recording, QStringLiteral("the speech is silent"));
      }
      if (!WriteBytes(wav, WavBytes(sound->samples, sound->sampleRate, sound->channels))) {
        return Fail(recording, QStringLiteral("cannot write %1").arg(wav));
      }
      Encode(index, wav);
    });
    return true;
  }

  void Encode(qsizetype index, const QString& wav) {
    const QString target = RecordingFilePath(programDir_, queue_.at(index).relativePath);
    const QString part = target + QStringLiteral(".part");
    QDir().mkpath(QFileInfo(target).absolutePath());
    const QStringList arguments{QStringLiteral("--quiet"), QStringLiteral("-V"), QStringLiteral("4"), wav, part};
    RunProcess(index, QStringLiteral("lame"), arguments, [this, index, target, part] {
      const Recording& recording = queue_.at(index);
      const qint64 size = QFileInfo(part).size();
      if (size <= 0) return Fail(recording, QStringLiteral("lame wrote nothing"));
      // Put in place only when whole, so that an interrupted run never leaves a short file under the real name.
      std::error_code failure;
      std::filesystem::rename(QFile::encodeName(part).toStdString(), QFile::encodeName(target).toStdString(), failure);
      if (failure) {
        return Fail(recording,
                    QStringLiteral("cannot rename %1: %2").arg(part, QString::fromStdString(failure.message())));
      }
      ManifestEntry entry = WantedEntry(recording);
      entry.size = size;
      manifest_->insert(recording.relativePath, entry);
      ++made_;
      Done();
    });
  }

  // Runs `program`; `next` goes on with the job when it exits cleanly, anything else fails the job.
  void RunProcess(qsizetype index, const QString& program, const QStringList& arguments, std::function<void()> next) {
    // Owned by `processes_`, so that none outlives the run even when the event loop ends before deleteLater.
    auto* process = new QProcess(&processes_);
    auto* timer = new QTimer(process);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, process, [process] { process->kill(); });
    QObject::connect(process, &QProcess::errorOccurred, process, [=, this](QProcess::ProcessError error) {
      if (error != QProcess::FailedToStart) return;  // every other error ends in finished()
      process->deleteLater();
      Fail(queue_.at(index),
           QStringLiteral("cannot start %1 (%2); is the package %1 installed?").arg(program, process->errorString()));
    });
    const auto finished = [=, this, next = std::move(next)](int code, QProcess::ExitStatus status) {
      const bool timedOut = !timer->isActive();
      timer->stop();
      process->deleteLater();
      if (status == QProcess::NormalExit && code == 0) return next();
      QString why = timedOut                         ? QStringLiteral("took too long")
                    : status == QProcess::NormalExit ? QStringLiteral("exit code %1").arg(code)
                                                     : QStringLiteral("crashed");
      const QString said = QString::fromLocal8Bit(process->readAllStandardError()).trimmed();
      if (!said.isEmpty()) why += QStringLiteral(": ") + said;
      Fail(queue_.at(index), QStringLiteral("%1 failed: %2").arg(program, why));
    };
    QObject::connect(process, &QProcess::finished, process, finished);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(program, arguments);
    timer->start(ProcessTimeoutMs);
  }

  void Fail(const Recording& recording, const QString& message) {
    const QString text = recording.text.isEmpty() ? QString() : QStringLiteral(" (\"%1\")").arg(recording.text);
    errors_ << QStringLiteral("%1%2: %3").arg(recording.relativePath, text, message);
    QFile::remove(RecordingFilePath(programDir_, recording.relativePath) + QStringLiteral(".part"));
    Done();
  }

  void Done() {
    --running_;
    StartNext();
    if (running_ == 0) loop_.quit();
  }

  static QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  }

  QString programDir_;
  QString tempDir_;
  Manifest* manifest_;
  QList<Recording> queue_;
  qsizetype next_ = 0;
  int running_ = 0;
  int made_ = 0;
  QStringList errors_;
  QEventLoop loop_;
  QObject processes_;
};

// Brings the recordings below `programDir` up to date with `recordings`. Returns false with `error` set when
// something failed; whatever was made before the failure stays noted in the manifest and is not made again.
bool MakeRecordings(const QString& programDir, const QList<Recording>& recordings, MakeSummary* summary,
                    QString* error) {
  QList<Recording> unique;
  if (!CheckedRecordings(recordings, &unique, error)) return false;
  const QString manifestPath = QDir(programDir).filePath(ManifestName);
  Manifest manifest = ReadManifest(manifestPath);
  const QStringList stale = PlanRecordings(programDir, unique, manifest).toRemove;
  for (const QString& path : stale) {
    const QString file = RecordingFilePath(programDir, path);
    if (!QFileInfo::exists(file) || QFile::remove(file)) {
      manifest.remove(path);
      ++summary->removed;
    }
  }
  // Planned after the removals: on a file system that ignores letter case, removing a file whose name only
  // changed case removes the wanted file too, and it must then be made again.
  const RecordingPlan plan = PlanRecordings(programDir, unique, manifest);
  summary->upToDate = plan.upToDate;

  bool needSpeech = false;
  for (const Recording& recording : plan.toMake) needSpeech |= recording.source == RecordingSource::Speech;
  QStringList missing;
  const auto lacks = [](const char* program) {
    return QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
  };
  if (needSpeech && lacks("espeak-ng")) missing << QStringLiteral("espeak-ng");
  if (!plan.toMake.isEmpty() && lacks("lame")) missing << QStringLiteral("lame");
  if (!missing.isEmpty()) {
    *error = QStringLiteral("cannot make the recordings: %1 not found; install the package%2 %1")
                 .arg(missing.join(QLatin1String(" and ")), missing.size() > 1 ? QStringLiteral("s") : QString());
    if (!stale.isEmpty()) WriteManifest(manifestPath, manifest);
    return false;
  }
  if (plan.toMake.isEmpty() && stale.isEmpty()) return true;

  QString failure;
  if (!plan.toMake.isEmpty()) {
    QTemporaryDir temp;
    if (temp.isValid()) {
      RecordingJobs jobs(programDir, temp.path(), &manifest);
      summary->made = jobs.Run(plan.toMake, &failure);
    } else {
      failure = QStringLiteral("cannot make a temporary folder: %1").arg(temp.errorString());
    }
  }
  if (!WriteManifest(manifestPath, manifest)) {
    if (!failure.isEmpty()) failure += QLatin1Char('\n');
    failure += QStringLiteral("cannot write %1").arg(manifestPath);
  }
  *error = failure;
  return failure.isEmpty();
}
