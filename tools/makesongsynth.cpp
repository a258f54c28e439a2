#include "makesongsynth.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

constexpr double kTau = 2 * std::numbers::pi;

double Frequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

qsizetype SampleAt(double seconds) { return static_cast<qsizetype>(std::llround(seconds * SongSampleRate)); }

// Adds `length` seconds of a voice made of harmonics to `out` from `start`,
// shaped by attack, exponential decay towards `sustain` and a release at the end.
struct Timbre {
  QList<double> harmonics;  // amplitude of the 1st, 2nd, ... harmonic
  double attack = 0.01;
  double decay = 4.0;  // per second, towards the sustain level
  double sustain = 0.6;
  double release = 0.08;
  double vibrato = 0;  // depth as a fraction of the frequency
  double detune = 0;   // a second voice this much higher, for width
};

void AddTone(QList<float>& out, double start, double length, double frequency, double gain, const Timbre& timbre) {
  const qsizetype first = SampleAt(start);
  const qsizetype count = SampleAt(length + timbre.release);
  double phase = 0, phase2 = 0;
  for (qsizetype i = 0; i < count; ++i) {
    const qsizetype at = first + i;
    if (at < 0) continue;
    if (at >= out.size()) break;
    const double t = double(i) / SongSampleRate;
    double envelope = t < timbre.attack
                          ? t / timbre.attack
                          : timbre.sustain + (1 - timbre.sustain) * std::exp(-(t - timbre.attack) * timbre.decay);
    if (t > length) envelope *= std::max(0.0, 1 - (t - length) / timbre.release);
    const double wobble = t > 0.15 ? 1 + timbre.vibrato * std::sin(kTau * 5.2 * t) : 1;
    phase += kTau * frequency * wobble / SongSampleRate;
    phase2 += kTau * frequency * (1 + timbre.detune) * wobble / SongSampleRate;
    double value = 0;
    for (qsizetype h = 0; h < timbre.harmonics.size(); ++h) {
      value += timbre.harmonics[h] * std::sin(phase * double(h + 1));
      if (timbre.detune != 0) value += timbre.harmonics[h] * std::sin(phase2 * double(h + 1));
    }
    if (timbre.detune != 0) value *= 0.5;
    out[at] += float(gain * envelope * value);
  }
}

// A small generator of noise that gives the same drums on every run.
class Noise {
 public:
  double Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return double(state_ >> 11) / double(1ULL << 53) * 2 - 1;
  }

 private:
  std::uint64_t state_ = 0x5eed;
};

void AddKick(QList<float>& out, double start, double gain) {
  const qsizetype first = SampleAt(start);
  double phase = 0;
  for (qsizetype i = 0; i < SampleAt(0.35) && first + i < out.size(); ++i) {
    const double t = double(i) / SongSampleRate;
    const double frequency = 45 + 75 * std::exp(-t * 30);
    phase += kTau * frequency / SongSampleRate;
    out[first + i] += float(gain * std::exp(-t * 9) * std::sin(phase));
  }
}

void AddSnare(QList<float>& out, double start, double gain, Noise& noise) {
  const qsizetype first = SampleAt(start);
  double last = 0;
  for (qsizetype i = 0; i < SampleAt(0.25) && first + i < out.size(); ++i) {
    const double t = double(i) / SongSampleRate;
    const double white = noise.Next();
    const double bright = white - 0.6 * last;  // tilts the noise towards the high end
    last = white;
    const double body = std::sin(kTau * 185 * t) * std::exp(-t * 35);
    out[first + i] += float(gain * (0.7 * bright * std::exp(-t * 20) + 0.5 * body));
  }
}

void AddHat(QList<float>& out, double start, double gain, Noise& noise) {
  const qsizetype first = SampleAt(start);
  double last = 0;
  for (qsizetype i = 0; i < SampleAt(0.06) && first + i < out.size(); ++i) {
    const double t = double(i) / SongSampleRate;
    const double white = noise.Next();
    out[first + i] += float(gain * (white - last) * std::exp(-t * 70));
    last = white;
  }
}

// One beat of drums, in four steps.
void AddDrumBeat(QList<float>& out, int beat, double beatSeconds, const QString& pattern, Noise& noise) {
  const double start = beat * beatSeconds;
  const double step = beatSeconds / 4;
  if (pattern == QLatin1String("soft")) {
    AddHat(out, start, 0.10, noise);
    AddHat(out, start + 2 * step, 0.07, noise);
    if (beat % 2 == 0) AddKick(out, start, 0.35);
    return;
  }
  if (pattern == QLatin1String("fill")) {
    AddKick(out, start, 0.55);
    for (int s = 0; s < 4; ++s) AddSnare(out, start + s * step, 0.16 + 0.05 * s, noise);
    return;
  }
  const bool full = pattern == QLatin1String("full");
  AddKick(out, start, 0.6);
  if (full && beat % 2 == 1) AddKick(out, start + 3 * step, 0.4);
  if (full || beat % 2 == 1) AddSnare(out, start + 2 * step, 0.3, noise);
  for (int s = 0; s < 4; ++s) AddHat(out, start + s * step, s % 2 == 0 ? 0.12 : 0.07, noise);
}

}  // namespace

QList<float> SynthesiseMusic(const SongScript& script) {
  QList<float> out(SampleAt(script.lengthSeconds), 0.0f);
  const double beat = script.beatSeconds;

  const Timbre pad{{1.0, 0.35, 0.18, 0.08}, 0.12, 1.5, 0.55, 0.3, 0.002, 0.004};
  const Timbre bass{{1.0, 0.45, 0.2}, 0.006, 5.0, 0.35, 0.06, 0, 0};
  const Timbre lead{{1.0, 0.5, 0.32, 0.16, 0.1, 0.05}, 0.012, 3.5, 0.55, 0.09, 0.004, 0};
  const Timbre pluck{{1.0, 0.6, 0.4, 0.25, 0.12}, 0.003, 9.0, 0.0, 0.05, 0, 0};

  for (const SongChord& chord : script.chords) {
    const double start = chord.beat * beat;
    const double length = chord.length * beat;
    // A soft sustained chord an octave below the middle, the root in the bass.
    for (const int midi : chord.midi) AddTone(out, start, length, Frequency(midi - 12), 0.045, pad);
    const int root = chord.midi.first() - 24;
    for (double b = 0; b < chord.length - 1e-9; b += 1) {
      AddTone(out, start + b * beat, 0.42 * beat, Frequency(root), 0.26, bass);
      AddTone(out, start + (b + 0.5) * beat, 0.3 * beat, Frequency(b + 1 < chord.length ? root + 12 : root + 7), 0.16,
              bass);
      // A picked chord on the off-beats gives the song its lilt.
      for (int t = 0; t < chord.midi.size(); ++t) {
        AddTone(out, start + (b + 0.25) * beat + 0.012 * t, 0.2 * beat, Frequency(chord.midi[t]), 0.035, pluck);
        AddTone(out, start + (b + 0.75) * beat + 0.012 * t, 0.2 * beat, Frequency(chord.midi[t]), 0.028, pluck);
      }
    }
  }
  for (const SongNote& note : script.melody) {
    AddTone(out, note.beat * beat, note.length * beat * 0.92, Frequency(note.midi), 0.12, lead);
  }
  Noise noise;
  for (const SongDrums& drums : script.drums) {
    if (drums.pattern == QLatin1String("off")) continue;
    for (int b = drums.firstBeat; b <= drums.lastBeat; ++b) AddDrumBeat(out, b, beat, drums.pattern, noise);
  }
  return out;
}

std::optional<MonoSound> ReadMonoWav(const QByteArray& bytes) {
  if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return std::nullopt;
  int channels = 0, rate = 0, bits = 0;
  qsizetype at = 12;
  while (at + 8 <= bytes.size()) {
    const QByteArray id = bytes.mid(at, 4);
    quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
    const qsizetype body = at + 8;
    if (id == "fmt " && size >= 16 && body + 16 <= bytes.size()) {
      channels = qFromLittleEndian<quint16>(bytes.constData() + body + 2);
      rate = int(qFromLittleEndian<quint32>(bytes.constData() + body + 4));
      bits = qFromLittleEndian<quint16>(bytes.constData() + body + 14);
    } else if (id == "data") {
      if (channels < 1 || rate < 8000 || rate > 192000 || bits != 16) return std::nullopt;
      // A writer that could not seek back leaves the size unknown: the data then runs to the end of the file.
      if (size == 0 || qsizetype(size) > bytes.size() - body) size = quint32(bytes.size() - body);
      MonoSound sound;
      sound.sampleRate = rate;
      const qsizetype frames = qsizetype(size) / (2 * channels);
      sound.samples.resize(frames);
      for (qsizetype i = 0; i < frames; ++i) {
        sound.samples[i] = float(qFromLittleEndian<qint16>(bytes.constData() + body + 2 * channels * i)) / 32768.0f;
      }
      return sound;
    }
    at = body + qsizetype(size) + (size & 1);
  }
  return std::nullopt;
}

QList<float> Resampled(const MonoSound& sound) {
  if (sound.sampleRate == SongSampleRate || sound.samples.isEmpty()) return sound.samples;
  const double ratio = double(sound.sampleRate) / SongSampleRate;
  const qsizetype count = qsizetype(double(sound.samples.size()) / ratio);
  QList<float> out(count);
  for (qsizetype i = 0; i < count; ++i) {
    const double position = double(i) * ratio;
    const qsizetype left = std::min(qsizetype(position), sound.samples.size() - 1);
    const qsizetype right = std::min(left + 1, sound.samples.size() - 1);
    const double fraction = position - double(left);
    out[i] = float(sound.samples[left] * (1 - fraction) + sound.samples[right] * fraction);
  }
  return out;
}

QList<float> Trimmed(const QList<float>& samples) {
  constexpr float quiet = 0.01f;
  qsizetype first = 0, last = samples.size();
  while (first < last && std::fabs(samples[first]) < quiet) ++first;
  while (last > first && std::fabs(samples[last - 1]) < quiet) --last;
  return samples.mid(first, last - first);
}

void MixLine(QList<float>& voices, const QList<float>& line, double startSeconds) {
  float peak = 0;
  for (const float s : line) peak = std::max(peak, std::fabs(s));
  if (peak <= 0) return;
  const float gain = 0.8f / peak;
  const qsizetype first = SampleAt(startSeconds);
  for (qsizetype i = 0; i < line.size() && first + i < voices.size(); ++i) {
    if (first + i >= 0) voices[first + i] += gain * line[i];
  }
}

QList<float> FinalMix(const QList<float>& music, const QList<float>& voices, double fadeSeconds) {
  QList<float> out(music.size());
  // Speech over music is hard to follow for a learner: the lines stand well above the band, and the music
  // steps back further while a line is sung, following the voice's level, quick to rise and slow to fall.
  float musicPeak = 0;
  for (const float s : music) musicPeak = std::max(musicPeak, std::fabs(s));
  const double musicGain = musicPeak > 0 ? 0.4 / musicPeak : 1.0;
  double level = 0;
  const double rise = 1 - std::exp(-1.0 / (0.01 * SongSampleRate));
  const double fall = 1 - std::exp(-1.0 / (0.35 * SongSampleRate));
  for (qsizetype i = 0; i < music.size(); ++i) {
    const double voice = i < voices.size() ? voices[i] : 0;
    const double target = std::min(1.0, std::fabs(voice) * 4);
    level += (target - level) * (target > level ? rise : fall);
    out[i] = float(music[i] * musicGain * (1 - 0.55 * level) + 0.6 * voice);
  }
  float peak = 0;
  for (const float s : out) peak = std::max(peak, std::fabs(s));
  const float gain = peak > 0 ? 0.89f / peak : 1.0f;
  const qsizetype fade = SampleAt(fadeSeconds);
  for (qsizetype i = 0; i < out.size(); ++i) {
    const qsizetype left = out.size() - i;
    const float shape = left < fade ? float(left) / float(fade) : 1.0f;
    out[i] *= gain * shape;
  }
  return out;
}

QByteArray MonoWavBytes(const QList<float>& samples, int sampleRate) {
  QByteArray bytes;
  const auto put32 = [&bytes](quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    bytes.append(b, 4);
  };
  const auto put16 = [&bytes](quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    bytes.append(b, 2);
  };
  const quint32 dataSize = quint32(samples.size() * 2);
  bytes.append("RIFF");
  put32(36 + dataSize);
  bytes.append("WAVEfmt ");
  put32(16);
  put16(1);
  put16(1);
  put32(quint32(sampleRate));
  put32(quint32(sampleRate * 2));
  put16(2);
  put16(16);
  bytes.append("data");
  put32(dataSize);
  for (const float s : samples) put16(quint16(qint16(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f))));
  return bytes;
}
