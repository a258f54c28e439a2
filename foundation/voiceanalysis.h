#pragma once

#include <QString>

#include <optional>
#include <vector>

struct WavAudio;

// One channel of sound as the voice analysis reads it: samples from -1 to 1.
struct MonoSound {
  int sampleRate = 0;
  std::vector<float> samples;
  double Seconds() const { return sampleRate > 0 ? double(samples.size()) / sampleRate : 0.0; }
};

// The channels mixed into one; empty for a format without frames.
MonoSound MonoOf(const WavAudio& audio);
// A course recording decoded through the course's MP3 decoder, or a
// recording of the learner read as a WAV file; nullopt when the file is
// missing or holds no sound the course can read.
std::optional<MonoSound> ReadMp3Sound(const QString& path);
std::optional<MonoSound> ReadWavSound(const QString& path);

// What the voice analysis sees in a sound, hop by hop (every kHopSeconds).
// Leading and trailing silence is cut off, so that two sayings of the same
// words line up at their first sound.
struct VoiceTrace {
  static constexpr double kHopSeconds = 0.01;

  double totalSeconds = 0;  // the whole sound, silence included
  double startSeconds = 0;  // where the sound begins after the leading silence
  // From startSeconds on, one value per hop, up to the end of the sound:
  std::vector<float> loudnessDb;  // dB below full scale (0 is the loudest a file holds)
  std::vector<float> pitchHz;     // 0 where the voice is silent or unvoiced
  // Hops at which a syllable of the saying ends and the next begins.
  std::vector<int> syllableBoundaries;

  bool IsSilent() const { return loudnessDb.empty(); }
  double Seconds() const { return double(loudnessDb.size()) * kHopSeconds; }
  double EndSeconds() const { return startSeconds + Seconds(); }
};

VoiceTrace AnalyseVoice(const MonoSound& sound);

// The pitch of every hop of a sound, by the YIN method over windows of 25 ms,
// between 60 and 500 Hz; 0 where the sound is not periodic. Hop h stands for
// the moment (h + 0.5) × kHopSeconds.
std::vector<float> TrackPitch(const MonoSound& sound);

// The syllables of an Esperanto text, one per vowel (ŭ and j are
// consonants), in order: true for the stressed one of each word, the one
// before its last; words of one syllable carry no mark.
std::vector<bool> EsperantoSyllableStress(const QString& text);

// The model and the learner's recording of one item, analysed together.
struct VoiceComparison {
  std::optional<VoiceTrace> model;      // nullopt when the model could not be read
  std::optional<VoiceTrace> recording;  // likewise for the recording
};
VoiceComparison CompareVoices(const QString& modelMp3, const QString& recordingWav);
