// Makes a song of the course from its script:
//   pelano_makesong SCRIPT OUTPUT.mp3
// The accompaniment is synthesised, every line is sung by espeak-ng at its
// beat (faster when it would overrun its time), and lame encodes the mix.
#include "makesongscript.h"
#include "makesongsynth.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

bool Run(const QString& program, const QStringList& arguments, QString* error) {
  QProcess process;
  process.setStandardOutputFile(QProcess::nullDevice());
  process.start(program, arguments);
  if (!process.waitForStarted() || !process.waitForFinished(120000)) {
    *error = program + QStringLiteral(" could not be run");
    return false;
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    *error = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return false;
  }
  return true;
}

// One line sung by espeak-ng at the given speed, trimmed of its silences.
std::optional<QList<float>> SingLine(const SongScript& script, const SongLine& line, int speed, const QString& wav,
                                     QString* error) {
  const QStringList arguments{QStringLiteral("-v"), script.voice,
                              QStringLiteral("-s"), QString::number(speed),
                              QStringLiteral("-p"), QString::number(line.pitch),
                              QStringLiteral("-b"), QStringLiteral("1"),
                              QStringLiteral("-w"), wav,
                              QStringLiteral("--"), line.text};
  if (!Run(QStringLiteral("espeak-ng"), arguments, error)) return std::nullopt;
  QFile file(wav);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("espeak-ng wrote no sound for \"%1\"").arg(line.text);
    return std::nullopt;
  }
  const std::optional<MonoSound> sound = ReadMonoWav(file.readAll());
  if (!sound) {
    *error = QStringLiteral("espeak-ng wrote no readable sound for \"%1\"").arg(line.text);
    return std::nullopt;
  }
  return Trimmed(Resampled(*sound));
}

bool MakeSong(const QString& scriptPath, const QString& outputPath, QString* error) {
  QFile scriptFile(scriptPath);
  if (!scriptFile.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("cannot read ") + scriptPath;
    return false;
  }
  const std::optional<SongScript> script = ParseSongScript(QString::fromUtf8(scriptFile.readAll()), error);
  if (!script) return false;

  QTemporaryDir work;
  if (!work.isValid()) {
    *error = QStringLiteral("no temporary folder");
    return false;
  }
  const QList<float> music = SynthesiseMusic(*script);
  QList<float> voices(music.size(), 0.0f);
  const QString wav = work.filePath(QStringLiteral("line.wav"));
  for (const SongLine& line : script->lines) {
    const double room = line.beats * script->beatSeconds * 0.95;
    int speed = script->voiceSpeed;
    std::optional<QList<float>> sung = SingLine(*script, line, speed, wav, error);
    // A line that would run into the next is sung faster, as a singer would squeeze it in.
    for (int tries = 0; sung && tries < 3; ++tries) {
      const double seconds = double(sung->size()) / SongSampleRate;
      if (seconds <= room || speed >= 420) break;
      speed = std::min(420, int(speed * seconds / room) + 5);
      sung = SingLine(*script, line, speed, wav, error);
    }
    if (!sung) return false;
    MixLine(voices, *sung, line.beat * script->beatSeconds);
  }
  const QString mixed = work.filePath(QStringLiteral("song.wav"));
  QFile mixFile(mixed);
  if (!mixFile.open(QIODevice::WriteOnly) ||
      mixFile.write(MonoWavBytes(FinalMix(music, voices, 3.0), SongSampleRate)) < 0 || !mixFile.flush()) {
    *error = QStringLiteral("cannot write ") + mixed;
    return false;
  }
  mixFile.close();

  QDir().mkpath(QFileInfo(outputPath).absolutePath());
  const QString part = outputPath + QStringLiteral(".part");
  if (!Run(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("-V"), QStringLiteral("4"), mixed, part},
           error)) {
    return false;
  }
  // Put in place only when whole, so that a broken run never leaves a short song under the real name.
  QFile::remove(outputPath);
  if (!QFile::rename(part, outputPath)) {
    *error = QStringLiteral("cannot rename ") + part;
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SCRIPT OUTPUT.mp3\n", argv[0]);
    return 2;
  }
  QString error;
  if (!MakeSong(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), &error)) {
    std::fprintf(stderr, "pelano_makesong: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
