#include "wavfile.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr int kMinimumRate = 1000;
constexpr int kMaximumRate = 384000;
constexpr quint16 kFormatPcm = 1;
constexpr quint16 kFormatExtensible = 0xFFFE;
// The rest of the sub-format GUID of WAVE_FORMAT_EXTENSIBLE after its first
// two bytes, which hold the plain format tag.
constexpr char kGuidTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";
constexpr qsizetype kGuidTailSize = sizeof(kGuidTail) - 1;
// The RIFF size field is 32 bits and counts the 36 bytes of header after it,
// the data and its pad byte.
constexpr qint64 kMaximumDataBytes = 0xFFFFFFFFLL - 37;

quint16 Word(const char* at) { return qFromLittleEndian<quint16>(at); }
quint32 DoubleWord(const char* at) { return qFromLittleEndian<quint32>(at); }

struct Format {
  int sampleRate = 0;
  int channels = 0;
  int bitsPerSample = 0;
};

std::optional<Format> ParseFormat(const char* body, qint64 size) {
  if (size < 16) return std::nullopt;
  quint16 tag = Word(body);
  const int channels = Word(body + 2);
  const quint32 rate = DoubleWord(body + 4);
  const int blockAlign = Word(body + 12);
  const int bits = Word(body + 14);
  if (tag == kFormatExtensible) {
    // cbSize, valid bits, channel mask, then the sub-format GUID.
    if (size < 40 || Word(body + 16) < 22) return std::nullopt;
    const int validBits = Word(body + 18);
    if (validBits > bits || QByteArray::fromRawData(body + 26, kGuidTailSize) != QByteArray(kGuidTail, kGuidTailSize)) {
      return std::nullopt;
    }
    tag = Word(body + 24);
  }
  if (tag != kFormatPcm) return std::nullopt;
  if (channels < 1 || channels > 2 || (bits != 8 && bits != 16)) return std::nullopt;
  if (rate < quint32(kMinimumRate) || rate > quint32(kMaximumRate)) return std::nullopt;
  // A block size that disagrees with the sample layout leaves the frames ambiguous.
  if (blockAlign != channels * bits / 8) return std::nullopt;
  return Format{int(rate), channels, bits};
}

}  // namespace

int WavFrameBytes(const WavAudio& audio) {
  if (audio.channels <= 0 || audio.bitsPerSample <= 0) return 0;
  return audio.channels * ((audio.bitsPerSample + 7) / 8);
}

std::optional<WavAudio> ParseWavFile(const QByteArray& bytes) {
  const qint64 size = bytes.size();
  const char* data = bytes.constData();
  if (size < 12 || !bytes.startsWith("RIFF") || QByteArray::fromRawData(data + 8, 4) != "WAVE") return std::nullopt;

  // The RIFF size itself is not trusted: writers that stream leave it wrong,
  // and the chunks tell where the file ends.
  std::optional<Format> format;
  qint64 samplesAt = -1;
  qint64 samplesSize = 0;
  qint64 at = 12;
  while (at + 8 <= size && !(format && samplesAt >= 0)) {
    const QByteArray id = QByteArray::fromRawData(data + at, 4);
    const qint64 chunkSize = DoubleWord(data + at + 4);
    const qint64 body = at + 8;
    const qint64 available = qMin(chunkSize, size - body);
    if (id == "fmt " && !format) {
      if (available < chunkSize) return std::nullopt;
      format = ParseFormat(data + body, chunkSize);
      if (!format) return std::nullopt;
    } else if (id == "data" && samplesAt < 0) {
      samplesAt = body;
      samplesSize = available;
    }
    at = body + chunkSize + (chunkSize & 1);  // chunks start on even offsets
  }
  if (!format || samplesAt < 0) return std::nullopt;

  WavAudio audio;
  audio.sampleRate = format->sampleRate;
  audio.channels = format->channels;
  audio.bitsPerSample = format->bitsPerSample;
  const int frameBytes = WavFrameBytes(audio);
  audio.samples = bytes.mid(samplesAt, samplesSize - samplesSize % frameBytes);
  return audio;
}

QByteArray WriteWavFile(const WavAudio& audio) {
  const int frameBytes = WavFrameBytes(audio);
  qint64 dataBytes = frameBytes > 0 ? audio.samples.size() - audio.samples.size() % frameBytes : 0;
  if (dataBytes > kMaximumDataBytes) dataBytes = kMaximumDataBytes - kMaximumDataBytes % frameBytes;

  const qint64 pad = dataBytes & 1;  // an odd chunk is followed by a pad byte

  QByteArray out(44, '\0');
  char* header = out.data();
  auto putWord = [header](int at, quint16 value) { qToLittleEndian(value, header + at); };
  auto putDoubleWord = [header](int at, quint32 value) { qToLittleEndian(value, header + at); };
  memcpy(header, "RIFF", 4);
  putDoubleWord(4, quint32(36 + dataBytes + pad));
  memcpy(header + 8, "WAVEfmt ", 8);
  putDoubleWord(16, 16);
  putWord(20, kFormatPcm);
  putWord(22, quint16(audio.channels));
  putDoubleWord(24, quint32(audio.sampleRate));
  putDoubleWord(28, quint32(qint64(audio.sampleRate) * frameBytes));
  putWord(32, quint16(frameBytes));
  putWord(34, quint16(audio.bitsPerSample));
  memcpy(header + 36, "data", 4);
  putDoubleWord(40, quint32(dataBytes));
  out.append(audio.samples.constData(), dataBytes);
  if (pad) out.append('\0');
  return out;
}

qint64 WavDurationMs(const WavAudio& audio) {
  const int frameBytes = WavFrameBytes(audio);
  if (frameBytes <= 0 || audio.sampleRate <= 0) return 0;
  return audio.samples.size() / frameBytes * 1000 / audio.sampleRate;
}
