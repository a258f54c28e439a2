#pragma once

// Making the course recordings: the list of what the course says aloud, the
// manifest that tells which files are up to date, and the jobs that speak
// each text with espeak-ng and encode it with lame.
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

inline constexpr int GeneratorVersion = 1;
// One espeak-ng voice with its speed (words a minute) and pitch (0 to 99).
struct Voice {
  QString name;
  int speed = 150;
  int pitch = 50;

  bool IsFemale() const { return name.contains(QLatin1String("+f")); }
  // What the manifest keeps: any change to it makes the file again.
  QString Signature() const { return QStringLiteral("%1 s%2 p%3").arg(name).arg(speed).arg(pitch); }
};
enum class RecordingSource { Speech, Note };
struct Recording {
  QString relativePath;  // below the program folder, with "\" separators as the course names its files
  QString text;          // UTF-8 with the real Esperanto letters (ĉ ĝ ĥ ĵ ŝ ŭ); empty for the note
  Voice voice;
  RecordingSource source = RecordingSource::Speech;
};
// What the manifest holds about one file.
struct ManifestEntry {
  QString text;
  QString voice;
  int version = 0;
  qint64 size = -1;  // of the file as made, so that a file cut short or replaced is made again

  bool SameRecording(const ManifestEntry& other) const {
    return text == other.text && voice == other.voice && version == other.version;
  }
};
using Manifest = QMap<QString, ManifestEntry>;  // by relative path as the recording names it
inline const QString ManifestName = QStringLiteral("sonoj/.manifest");
struct RecordingPlan {
  QList<Recording> toMake;
  QStringList toRemove;  // relative paths of files made earlier that the course no longer has
  int upToDate = 0;
};
struct WavSound {
  QList<float> samples;
  int sampleRate = 0;
  int channels = 0;
};
struct MakeSummary {
  int made = 0;
  int upToDate = 0;
  int removed = 0;
};
inline constexpr int NoteSampleRate = 44100;

const QList<Voice>& Speakers();
QList<Recording> SharedRecordings();
// Every recording of the course: the shared ones and those of each lesson,
// derived from the lesson layouts and exercise data with the program's own
// naming functions, so the names cannot drift apart.
QList<Recording> CourseRecordings();
// The voice that reads the lessons' words and sentences.
Voice LessonVoice();
ManifestEntry WantedEntry(const Recording& recording);
bool IsSafeRecordingPath(const QString& relativePath);
QString RecordingFilePath(const QString& programDir, const QString& relativePath);
bool CheckedRecordings(const QList<Recording>& recordings, QList<Recording>* unique, QString* error);
bool IsUpToDate(const QString& filePath, const ManifestEntry& wanted, const ManifestEntry* stored);
RecordingPlan PlanRecordings(const QString& programDir, const QList<Recording>& recordings, const Manifest& manifest);
Manifest ReadManifest(const QString& path);
bool WriteManifest(const QString& path, const Manifest& manifest);
QByteArray WavBytes(const QList<float>& samples, int sampleRate, int channels = 1);
std::optional<WavSound> ReadWav(const QByteArray& bytes);
bool EvenLoudness(QList<float>& samples, int sampleRate);
QList<float> NoteSamples();
bool MakeRecordings(const QString& programDir, const QList<Recording>& recordings, MakeSummary* summary,
                    QString* error);
