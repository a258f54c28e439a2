// Fuzz target: opening and decoding a file given as an MP3, whatever it holds.
#include "mp3decoder.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("fuzz.mp3"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  file.close();

  Mp3Decoder decoder;
  if (!decoder.Open(path)) return 0;
  if (decoder.SampleRate() <= 0 || decoder.Channels() <= 0 || decoder.LengthFrames() <= 0) __builtin_trap();
  char buffer[4608];
  qint64 total = 0;
  for (int i = 0; i < 64; ++i) {
    const qint64 read = decoder.Read(buffer, sizeof buffer);
    if (read < 0 || read > qint64(sizeof buffer) || read % (2 * decoder.Channels()) != 0) __builtin_trap();
    if (read == 0) break;
    total += read;
  }
  decoder.Rewind();
  return 0;
}
