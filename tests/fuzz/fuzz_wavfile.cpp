// Fuzz target: the WAV parser, on any bytes.
#include "wavfile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly `size` bytes, so that reading past the input is caught.
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const auto audio = ParseWavFile(bytes);
  if (!audio) return 0;
  if (audio->samples.size() > bytes.size() || audio->samples.size() % WavFrameBytes(*audio) != 0) __builtin_trap();
  // What was read writes out and reads back unchanged.
  const auto again = ParseWavFile(WriteWavFile(*audio));
  if (!again || again->samples != audio->samples || again->sampleRate != audio->sampleRate ||
      again->channels != audio->channels || again->bitsPerSample != audio->bitsPerSample) {
    __builtin_trap();
  }
  WavDurationMs(*audio);
  return 0;
}
