#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// Uncompressed sound as a WAV file holds it: interleaved frames, 8-bit
// samples unsigned, 16-bit samples signed little-endian.
struct WavAudio {
  int sampleRate = 0;
  int channels = 0;
  int bitsPerSample = 16;
  QByteArray samples;
};

// A RIFF/WAVE file with PCM data (8 or 16 bits, 1 or 2 channels, 1,000 to
// 384,000 Hz); nullopt for anything else (corrupt, compressed, not a WAV).
// Chunks may come in any order and unknown ones are skipped. A data chunk that
// claims more bytes than the file holds keeps the bytes that are there (a
// recording cut short still plays), always in whole frames.
std::optional<WavAudio> ParseWavFile(const QByteArray& bytes);

// A canonical file: the 44-byte header and the data, in whole frames.
QByteArray WriteWavFile(const WavAudio& audio);

// The playing time of the whole frames; 0 for a format without any.
qint64 WavDurationMs(const WavAudio& audio);

// Bytes of one frame (a sample of every channel); 0 for a format without frames.
int WavFrameBytes(const WavAudio& audio);
