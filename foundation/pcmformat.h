#pragma once

#include <QtGlobal>

// Interleaved PCM samples as the course plays and records them: signed
// 16-bit little-endian, or unsigned 8-bit (older WAV files).
struct PcmFormat {
  int sampleRate = 0;
  int channels = 0;
  int bitsPerSample = 16;

  bool IsValid() const { return sampleRate > 0 && channels > 0 && (bitsPerSample == 8 || bitsPerSample == 16); }
  int BytesPerFrame() const { return channels * bitsPerSample / 8; }
  qint64 BytesForUSecs(qint64 usecs) const { return qint64(BytesPerFrame()) * sampleRate * usecs / 1000000; }
  qint64 USecsForBytes(qint64 bytes) const { return IsValid() ? bytes / BytesPerFrame() * 1000000 / sampleRate : 0; }
  friend bool operator==(const PcmFormat&, const PcmFormat&) = default;
};
