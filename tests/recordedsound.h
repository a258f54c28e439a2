#pragma once

#include "wavfile.h"

#include <QList>
#include <QtEndian>

#include <cmath>
#include <numbers>

inline constexpr int kWindowMs = 10;

// A mono 16-bit recording seen in windows of kWindowMs, to tell where a tone
// of a known amplitude was heard and at what pitch.
class RecordedSound {
 public:
  RecordedSound(const WavAudio& audio, double amplitude) : rate_(audio.sampleRate), amplitude_(amplitude) {
    const auto* data = reinterpret_cast<const uchar*>(audio.samples.constData());
    for (qsizetype i = 0; i + 1 < audio.samples.size(); i += 2) samples_.append(qFromLittleEndian<qint16>(data + i));
  }

  int Windows() const { return int(samples_.size() / WindowFrames()); }
  double Rms(int window) const {
    double sum = 0;
    for (int i = window * WindowFrames(); i < (window + 1) * WindowFrames(); ++i) {
      sum += double(samples_[i]) * samples_[i];
    }
    return std::sqrt(sum / WindowFrames());
  }
  double ToneRms() const { return amplitude_ / std::numbers::sqrt2; }
  bool Loud(int window) const { return Rms(window) > ToneRms() / 2; }
  bool Silent(int window) const { return Rms(window) < amplitude_ / 100.0; }
  int FirstLoud() const {
    for (int w = 0; w < Windows(); ++w) {
      if (Loud(w)) return w;
    }
    return -1;
  }
  int LastLoud() const {
    for (int w = Windows() - 1; w >= 0; --w) {
      if (Loud(w)) return w;
    }
    return -1;
  }
  // The frequency from the sign changes in windows [first, last].
  double Frequency(int first, int last) const {
    int crossings = 0;
    const int from = first * WindowFrames();
    const int to = (last + 1) * WindowFrames();
    for (int i = from + 1; i < to; ++i) {
      if ((samples_[i - 1] < 0) != (samples_[i] < 0)) ++crossings;
    }
    return crossings / 2.0 / (double(to - from) / rate_);
  }

 private:
  int WindowFrames() const { return rate_ * kWindowMs / 1000; }

  int rate_;
  double amplitude_;
  QList<qint16> samples_;
};
