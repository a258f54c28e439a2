#include "voiceanalysis.h"

#include "mp3decoder.h"
#include "wavfile.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kHop = VoiceTrace::kHopSeconds;
// Loudness is measured over 20 ms around each hop.
constexpr double kLoudnessWindowSeconds = 0.02;
constexpr float kFloorDb = -100.0F;

// The pitch tracker works on the sound brought down to about 11 kHz, which
// keeps every harmonic that tells the pitch of a voice and quarters the work.
constexpr int kTrackerRate = 11025;
constexpr double kLowestPitch = 60.0;
constexpr double kHighestPitch = 500.0;
constexpr double kPitchWindowSeconds = 0.025;
// A period is taken where the normalised difference falls below this.
constexpr float kYinThreshold = 0.2F;

// Nothing louder than this anywhere: a silent or muted microphone.
constexpr float kSilentPeakDb = -65.0F;
// Sound is what rises this far above the quiet parts, within kSpanRangeDb of the loudest.
constexpr float kAboveNoiseDb = 10.0F;
constexpr float kSpanRangeDb = 35.0F;
// Sound must last this many hops to begin or end the sounding part: a click is no word.
constexpr int kSustainHops = 3;
// A voice is tracked only where it is this near the loudest.
constexpr float kVoicedRangeDb = 30.0F;
// Syllables, found on the loudness: each has a voiced peak within
// kSyllableRangeDb of the loudest, stands kSyllableDipDb above the dip that
// parts it from the next, lies kShortestSyllableHops from it at least (a
// trilled r beats faster) and is not kSyllableStepDb quieter than it (a
// vowel is not; an l, r or m between two vowels may be). Tuned on the
// course's own recordings, where it finds as many syllables as the text has
// vowels in nine cases out of ten.
constexpr float kSyllableDipDb = 3.0F;
constexpr float kSyllableRangeDb = 15.0F;
constexpr int kShortestSyllableHops = 9;
constexpr float kSyllableStepDb = 8.0F;
constexpr int kSyllableSmoothingHops = 2;  // each side
constexpr int kSyllablePeakReachHops = 4;  // each side

int HopCount(const MonoSound& sound) {
  if (sound.sampleRate <= 0) return 0;
  return static_cast<int>(std::ceil(sound.Seconds() / kHop - 1e-9));
}

std::vector<float> MeasureLoudness(const MonoSound& sound) {
  const int hops = HopCount(sound);
  std::vector<float> loudness(hops, kFloorDb);
  const auto count = static_cast<qint64>(sound.samples.size());
  const double half = kLoudnessWindowSeconds / 2 * sound.sampleRate;
  // Running sums of squares, so that each hop costs two look-ups.
  std::vector<double> sums(sound.samples.size() + 1, 0.0);
  for (qint64 i = 0; i < count; ++i) sums[i + 1] = sums[i] + double(sound.samples[i]) * sound.samples[i];
  for (int h = 0; h < hops; ++h) {
    const double centre = (h + 0.5) * kHop * sound.sampleRate;
    const qint64 from = std::clamp<qint64>(std::llround(centre - half), 0, count);
    const qint64 to = std::clamp<qint64>(std::llround(centre + half), 0, count);
    if (to <= from) continue;
    const double meanSquare = (sums[to] - sums[from]) / double(to - from);
    loudness[h] = std::max(kFloorDb, static_cast<float>(10.0 * std::log10(meanSquare + 1e-12)));
  }
  return loudness;
}

// Low-pass filtered (a windowed sinc below the new Nyquist frequency) and
// decimated by a whole factor.
std::vector<float> Decimate(const std::vector<float>& samples, int factor) {
  if (factor <= 1) return samples;
  const int reach = 8 * factor;
  const double cutoff = 0.45 / factor;  // of the input rate
  std::vector<double> taps(2 * reach + 1);
  double total = 0;
  for (int k = -reach; k <= reach; ++k) {
    const double x = 2 * cutoff * k;
    const double sinc = k == 0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
    const double window = 0.54 + 0.46 * std::cos(std::numbers::pi * k / reach);
    taps[k + reach] = sinc * window;
    total += taps[k + reach];
  }
  const auto count = static_cast<qint64>(samples.size());
  std::vector<float> out(static_cast<std::size_t>(count / factor));
  for (std::size_t i = 0; i < out.size(); ++i) {
    const qint64 centre = qint64(i) * factor;
    double sum = 0;
    for (int k = -reach; k <= reach; ++k) {
      const qint64 j = centre + k;
      if (j >= 0 && j < count) sum += taps[k + reach] * samples[j];
    }
    out[i] = static_cast<float>(sum / total);
  }
  return out;
}

// The YIN estimate of the period around sample `centre`, in samples; 0 when
// the sound there is not periodic enough. Each lag compares two windows
// placed symmetrically about the centre, so that the estimate belongs to it.
double YinPeriod(const std::vector<float>& x, double centre, int window, int shortest, int longest,
                 std::vector<float>& normalised) {
  const auto count = static_cast<qint64>(x.size());
  normalised.assign(longest + 2, 1.0F);
  double running = 0;
  for (int tau = 1; tau <= longest + 1; ++tau) {
    const qint64 start = std::llround(centre - (window + tau) / 2.0);
    if (start < 0 || start + window + tau > count) return 0;
    const float* a = x.data() + start;
    const float* b = a + tau;
    float difference = 0;
    for (int j = 0; j < window; ++j) {
      const float d = a[j] - b[j];
      difference += d * d;
    }
    running += difference;
    normalised[tau] = running > 0 ? static_cast<float>(difference * tau / running) : 1.0F;
  }
  int tau = shortest;
  while (tau <= longest && normalised[tau] >= kYinThreshold) ++tau;
  if (tau > longest) return 0;
  while (tau < longest && normalised[tau + 1] < normalised[tau]) ++tau;
  // The true minimum lies between the lags: a parabola through three of them.
  const double before = normalised[tau - 1];
  const double at = normalised[tau];
  const double after = normalised[tau + 1];
  const double curve = before - 2 * at + after;
  const double shift = curve > 0 ? 0.5 * (before - after) / curve : 0.0;
  return tau + std::clamp(shift, -0.5, 0.5);
}

// The pitch of the hops where `wanted` is true (every hop when it is empty).
std::vector<float> TrackPitchOf(const MonoSound& sound, const std::vector<bool>& wanted) {
  const int hops = HopCount(sound);
  std::vector<float> pitch(hops, 0.0F);
  if (hops == 0) return pitch;
  const int factor = std::max(1, sound.sampleRate / kTrackerRate);
  const double rate = double(sound.sampleRate) / factor;
  const std::vector<float> x = Decimate(sound.samples, factor);
  const int window = static_cast<int>(std::lround(kPitchWindowSeconds * rate));
  const int shortest = std::max(2, static_cast<int>(std::floor(rate / kHighestPitch)));
  const int longest = static_cast<int>(std::ceil(rate / kLowestPitch));
  std::vector<float> normalised;
  for (int h = 0; h < hops; ++h) {
    if (!wanted.empty() && !wanted[h]) continue;
    const double period = YinPeriod(x, (h + 0.5) * kHop * rate, window, shortest, longest, normalised);
    if (period > 0) pitch[h] = static_cast<float>(rate / period);
  }
  return pitch;
}

float Percentile(std::vector<float> values, double fraction) {
  const auto at = static_cast<std::ptrdiff_t>(fraction * double(values.size() - 1));
  std::nth_element(values.begin(), values.begin() + at, values.end());
  return values[at];
}

// Whether hops [h, h + kSustainHops) all lie above `threshold` (as far as there are hops).
bool Sustained(const std::vector<float>& loudness, int h, int step, float threshold) {
  for (int k = 0; k < kSustainHops; ++k) {
    const int at = h + k * step;
    if (at < 0 || at >= int(loudness.size())) break;
    if (loudness[at] <= threshold) return false;
  }
  return true;
}

// Syllables from the loudness: each has a voiced peak, and two peaks are
// two syllables only where the sound dips between them. Returns the hops of
// the deepest dips between neighbouring syllables.
std::vector<int> FindSyllableBoundaries(const std::vector<float>& loudness, const std::vector<float>& pitch) {
  const int hops = int(loudness.size());
  if (hops == 0) return {};
  std::vector<float> smooth(hops);
  for (int h = 0; h < hops; ++h) {
    double energy = 0;
    int used = 0;
    for (int k = std::max(0, h - kSyllableSmoothingHops); k <= std::min(hops - 1, h + kSyllableSmoothingHops); ++k) {
      energy += std::pow(10.0, loudness[k] / 10.0);
      ++used;
    }
    smooth[h] = static_cast<float>(10.0 * std::log10(energy / used + 1e-12));
  }
  const float loudest = *std::max_element(smooth.begin(), smooth.end());
  auto voicedNear = [&](int h) {
    for (int k = std::max(0, h - 2); k <= std::min(hops - 1, h + 2); ++k) {
      if (pitch[k] > 0) return true;
    }
    return false;
  };
  std::vector<int> peaks;
  for (int h = 0; h < hops; ++h) {
    if (smooth[h] < loudest - kSyllableRangeDb || !voicedNear(h)) continue;
    bool highest = true;
    for (int k = std::max(0, h - kSyllablePeakReachHops);
         highest && k <= std::min(hops - 1, h + kSyllablePeakReachHops); ++k) {
      // On a flat top the first hop counts as the peak.
      highest = k < h ? smooth[k] < smooth[h] : smooth[k] <= smooth[h];
    }
    if (highest) peaks.push_back(h);
  }
  auto dipBetween = [&](int a, int b) {
    return int(std::min_element(smooth.begin() + a, smooth.begin() + b + 1) - smooth.begin());
  };
  // Neighbours without a real dip between them are one syllable: the lower peak goes.
  for (bool merged = true; merged && peaks.size() > 1;) {
    merged = false;
    std::size_t shallowest = 0;
    float shallowestDepth = kSyllableDipDb;
    for (std::size_t i = 0; i + 1 < peaks.size(); ++i) {
      const float lower = std::min(smooth[peaks[i]], smooth[peaks[i + 1]]);
      const float higher = std::max(smooth[peaks[i]], smooth[peaks[i + 1]]);
      const bool apart = peaks[i + 1] - peaks[i] >= kShortestSyllableHops && higher - lower <= kSyllableStepDb;
      const float depth = apart ? lower - smooth[dipBetween(peaks[i], peaks[i + 1])] : -1.0F;
      if (depth < shallowestDepth) {
        shallowestDepth = depth;
        shallowest = i;
        merged = true;
      }
    }
    if (merged) {
      const std::size_t lower = smooth[peaks[shallowest]] < smooth[peaks[shallowest + 1]] ? shallowest : shallowest + 1;
      peaks.erase(peaks.begin() + std::ptrdiff_t(lower));
    }
  }
  std::vector<int> boundaries;
  for (std::size_t i = 0; i + 1 < peaks.size(); ++i) boundaries.push_back(dipBetween(peaks[i], peaks[i + 1]));
  return boundaries;
}

std::optional<MonoSound> FromSamples16(const QByteArray& bytes, int rate, int channels) {
  if (rate <= 0 || channels <= 0) return std::nullopt;
  MonoSound sound;
  sound.sampleRate = rate;
  const qsizetype frames = bytes.size() / (2 * channels);
  sound.samples.resize(static_cast<std::size_t>(frames));
  const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
  for (qsizetype f = 0; f < frames; ++f) {
    float sum = 0;
    for (int c = 0; c < channels; ++c) sum += qFromLittleEndian<qint16>(data + 2 * (f * channels + c));
    sound.samples[f] = sum / (32768.0F * channels);
  }
  return sound;
}

}  // namespace

MonoSound MonoOf(const WavAudio& audio) {
  if (WavFrameBytes(audio) <= 0) return {};
  if (audio.bitsPerSample == 16) return FromSamples16(audio.samples, audio.sampleRate, audio.channels).value();
  MonoSound sound;
  sound.sampleRate = audio.sampleRate;
  const qsizetype frames = audio.samples.size() / audio.channels;
  sound.samples.resize(static_cast<std::size_t>(frames));
  const auto* data = reinterpret_cast<const uchar*>(audio.samples.constData());
  for (qsizetype f = 0; f < frames; ++f) {
    float sum = 0;
    for (int c = 0; c < audio.channels; ++c) sum += float(data[f * audio.channels + c]) - 128.0F;
    sound.samples[f] = sum / (128.0F * audio.channels);
  }
  return sound;
}

std::optional<MonoSound> ReadMp3Sound(const QString& path) {
  Mp3Decoder decoder;
  if (!decoder.Open(path)) return std::nullopt;
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(decoder.LengthFrames() * decoder.Channels() * 2));
  QByteArray piece(64 * 1024, '\0');
  for (qint64 read; (read = decoder.Read(piece.data(), piece.size())) > 0;) bytes.append(piece.constData(), read);
  return FromSamples16(bytes, decoder.SampleRate(), decoder.Channels());
}

std::optional<MonoSound> ReadWavSound(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const std::optional<WavAudio> audio = ParseWavFile(file.readAll());
  if (!audio) return std::nullopt;
  return MonoOf(*audio);
}

std::vector<float> TrackPitch(const MonoSound& sound) { return TrackPitchOf(sound, {}); }

VoiceTrace AnalyseVoice(const MonoSound& sound) {
  VoiceTrace trace;
  trace.totalSeconds = sound.Seconds();
  const std::vector<float> loudness = MeasureLoudness(sound);
  if (loudness.empty()) return trace;
  const float peak = *std::max_element(loudness.begin(), loudness.end());
  if (peak < kSilentPeakDb) return trace;
  const float quiet = Percentile(loudness, 0.1);
  const float threshold = std::max(peak - kSpanRangeDb, std::min(quiet + kAboveNoiseDb, peak - kAboveNoiseDb));

  const int hops = int(loudness.size());
  int first = 0;
  while (first < hops && !Sustained(loudness, first, 1, threshold)) ++first;
  int last = hops - 1;
  while (last > first && !Sustained(loudness, last, -1, threshold)) --last;
  if (first >= hops) return trace;

  std::vector<bool> voiced(hops, false);
  for (int h = first; h <= last; ++h) voiced[h] = loudness[h] > std::max(threshold, peak - kVoicedRangeDb);
  const std::vector<float> pitch = TrackPitchOf(sound, voiced);

  trace.startSeconds = first * kHop;
  trace.loudnessDb.assign(loudness.begin() + first, loudness.begin() + last + 1);
  trace.pitchHz.assign(pitch.begin() + first, pitch.begin() + last + 1);
  trace.syllableBoundaries = FindSyllableBoundaries(trace.loudnessDb, trace.pitchHz);
  return trace;
}

std::vector<bool> EsperantoSyllableStress(const QString& text) {
  static const QString vowels = QStringLiteral("aeiouAEIOU");
  std::vector<bool> stress;
  int wordStart = 0;
  auto endWord = [&] {
    const int syllables = int(stress.size()) - wordStart;
    if (syllables >= 2) stress[stress.size() - 2] = true;
    wordStart = int(stress.size());
  };
  for (const QChar c : text) {
    if (vowels.contains(c)) {
      stress.push_back(false);
    } else if (!c.isLetter()) {
      endWord();
    }
  }
  endWord();
  return stress;
}

VoiceComparison CompareVoices(const QString& modelMp3, const QString& recordingWav) {
  VoiceComparison comparison;
  if (const std::optional<MonoSound> model = ReadMp3Sound(modelMp3)) comparison.model = AnalyseVoice(*model);
  if (recordingWav.isEmpty()) return comparison;
  if (const std::optional<MonoSound> recording = ReadWavSound(recordingWav)) {
    comparison.recording = AnalyseVoice(*recording);
  }
  return comparison;
}
