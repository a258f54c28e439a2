#include "mp3fixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtEndian>

#include <cmath>

namespace {

QByteArray ToneWav(double seconds, int sampleRate, int channels, double frequency) {
  const int frames = static_cast<int>(seconds * sampleRate);
  QByteArray data;
  data.reserve(frames * channels * 2);
  for (int i = 0; i < frames; ++i) {
    const auto sample = static_cast<qint16>(12000 * std::sin(2 * M_PI * frequency * i / sampleRate));
    for (int c = 0; c < channels; ++c) {
      char bytes[2];
      qToLittleEndian(sample, bytes);
      data.append(bytes, 2);
    }
  }
  QByteArray header(44, '\0');
  auto put32 = [&header](int at, quint32 v) { qToLittleEndian(v, header.data() + at); };
  auto put16 = [&header](int at, quint16 v) { qToLittleEndian(v, header.data() + at); };
  header.replace(0, 4, "RIFF");
  put32(4, quint32(36 + data.size()));
  header.replace(8, 8, "WAVEfmt ");
  put32(16, 16);
  put16(20, 1);
  put16(22, quint16(channels));
  put32(24, quint32(sampleRate));
  put32(28, quint32(sampleRate * channels * 2));
  put16(32, quint16(channels * 2));
  put16(34, 16);
  header.replace(36, 4, "data");
  put32(40, quint32(data.size()));
  return header + data;
}

bool Encode(const QString& wav, const QString& mp3, const QStringList& options) {
  QProcess lame;
  lame.start(QStringLiteral("lame"), QStringList{QStringLiteral("--quiet")} + options + QStringList{wav, mp3});
  return lame.waitForFinished(60000) && lame.exitCode() == 0;
}

}  // namespace

QString MakeToneMp3(const QString& folder, const QString& name, double seconds, int sampleRate, int channels,
                    double frequency) {
  return EncodeMp3(folder, name, ToneWav(seconds, sampleRate, channels, frequency));
}

QString EncodeMp3(const QString& folder, const QString& name, const QByteArray& wavFile) {
  const QString wav = QDir(folder).filePath(name + QStringLiteral(".wav"));
  const QString mp3 = QDir(folder).filePath(name + QStringLiteral(".mp3"));
  QFile file(wav);
  if (!file.open(QIODevice::WriteOnly)) return QString();
  file.write(wavFile);
  file.close();
  return Encode(wav, mp3, {QStringLiteral("-b"), QStringLiteral("64")}) ? mp3 : QString();
}

QString MakeLongMp3(const QString& folder, const QString& name, int repeats) {
  const QString wav = QDir(folder).filePath(name + QStringLiteral("-piece.wav"));
  const QString piece = QDir(folder).filePath(name + QStringLiteral("-piece.mp3"));
  QFile file(wav);
  if (!file.open(QIODevice::WriteOnly)) return QString();
  file.write(ToneWav(10.0, 22050, 1, 330.0));
  file.close();
  // No info tag, so that the repeated frames read as one plain stream.
  if (!Encode(wav, piece, {QStringLiteral("-t"), QStringLiteral("-b"), QStringLiteral("32")})) return QString();
  QFile pieceFile(piece);
  if (!pieceFile.open(QIODevice::ReadOnly)) return QString();
  const QByteArray frames = pieceFile.readAll();
  const QString mp3 = QDir(folder).filePath(name + QStringLiteral(".mp3"));
  QFile out(mp3);
  if (!out.open(QIODevice::WriteOnly)) return QString();
  for (int i = 0; i < repeats; ++i) out.write(frames);
  return mp3;
}
