#pragma once

// The sound of a song: melody, chords, bass and drums made by additive
// synthesis from a song script, and the sung lines mixed in at their beats.
#include "makesongscript.h"

#include <QByteArray>
#include <QList>

#include <optional>

inline constexpr int SongSampleRate = 44100;

struct MonoSound {
  QList<float> samples;
  int sampleRate = SongSampleRate;
};

// The accompaniment of the whole song, lengthSeconds long, at SongSampleRate.
QList<float> SynthesiseMusic(const SongScript& script);

// A 16-bit PCM WAV file (mono or the first channel of stereo) as samples in -1 to 1.
std::optional<MonoSound> ReadMonoWav(const QByteArray& bytes);
// `sound` at SongSampleRate, by linear interpolation.
QList<float> Resampled(const MonoSound& sound);
// The sound without the silence before and after it.
QList<float> Trimmed(const QList<float>& samples);

// Adds a sung line to the voice track at `startSeconds`, at one level for
// every line.
void MixLine(QList<float>& voices, const QList<float>& line, double startSeconds);
// The final mix of the music and voice tracks (of the same length): music
// ducked under the voices, faded out over the last `fadeSeconds`, brought
// to a safe peak.
QList<float> FinalMix(const QList<float>& music, const QList<float>& voices, double fadeSeconds);

QByteArray MonoWavBytes(const QList<float>& samples, int sampleRate);
