#include "voiceanalysis.h"
#include "wavfile.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr double kHop = VoiceTrace::kHopSeconds;

// A voice-like tone: a fundamental with two weaker harmonics, its frequency
// going from `from` to `to` Hz over the sound.
MonoSound Glide(int rate, double seconds, double from, double to, double amplitude = 0.5) {
  MonoSound sound;
  sound.sampleRate = rate;
  const auto count = static_cast<std::size_t>(seconds * rate);
  sound.samples.resize(count);
  double phase = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double frequency = from + (to - from) * double(i) / double(count);
    phase += 2 * std::numbers::pi * frequency / rate;
    sound.samples[i] =
        static_cast<float>(amplitude * (0.6 * std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.1 * std::sin(3 * phase)));
  }
  return sound;
}

double GlideFrequencyAt(double seconds, double total, double from, double to) {
  return from + (to - from) * seconds / total;
}

void Append(MonoSound& sound, const MonoSound& more) {
  sound.samples.insert(sound.samples.end(), more.samples.begin(), more.samples.end());
}

// Quiet noise, as a microphone hears a room, or digital silence.
MonoSound Quiet(int rate, double seconds, double amplitude, unsigned seed) {
  MonoSound sound;
  sound.sampleRate = rate;
  sound.samples.resize(static_cast<std::size_t>(seconds * rate));
  std::mt19937 generator(seed);
  std::normal_distribution<float> noise(0.0F, static_cast<float>(amplitude));
  for (float& sample : sound.samples) sample = amplitude > 0 ? noise(generator) : 0.0F;
  return sound;
}

MonoSound Padded(const MonoSound& middle, double before, double after, double noise, unsigned seed) {
  MonoSound sound = Quiet(middle.sampleRate, before, noise, seed);
  Append(sound, middle);
  Append(sound, Quiet(middle.sampleRate, after, noise, seed + 1));
  return sound;
}

// Syllables as a voice says them: tone bursts that swell and fade, with a
// short quiet between them.
MonoSound Syllables(int rate, const QList<double>& pitches, double syllable, double gap) {
  MonoSound sound;
  sound.sampleRate = rate;
  for (const double pitch : pitches) {
    MonoSound burst = Glide(rate, syllable, pitch, pitch * 1.05);
    const std::size_t count = burst.samples.size();
    for (std::size_t i = 0; i < count; ++i) {
      burst.samples[i] *= static_cast<float>(std::sin(std::numbers::pi * double(i) / double(count)));
    }
    if (!sound.samples.empty()) Append(sound, Quiet(rate, gap, 0.002, 7));
    Append(sound, burst);
  }
  return sound;
}

}  // namespace

class TestVoiceAnalysis : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Steady tones and glides, at the rates the course records and decodes:
  // every hop well inside the sound is within 2 % of the true frequency.
  void pitchWithinTwoPercent_data() {
    QTest::addColumn<int>("rate");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::newRow("low voice, 22050 Hz") << 22050 << 95.0 << 95.0;
    QTest::newRow("220 Hz, 22050 Hz") << 22050 << 220.0 << 220.0;
    QTest::newRow("high voice, 44100 Hz") << 44100 << 440.0 << 440.0;
    QTest::newRow("16000 Hz") << 16000 << 180.0 << 180.0;
    QTest::newRow("rising glide") << 22050 << 120.0 << 300.0;
    QTest::newRow("falling glide, 48000 Hz") << 48000 << 350.0 << 150.0;
  }
  void pitchWithinTwoPercent() {
    QFETCH(int, rate);
    QFETCH(double, from);
    QFETCH(double, to);
    constexpr double seconds = 1.0;
    const std::vector<float> pitch = TrackPitch(Glide(rate, seconds, from, to));
    QCOMPARE(int(pitch.size()), 100);
    // The tracker's windows reach 30 ms beyond their hop; the first and last hops see the sound's edges.
    for (std::size_t h = 4; h + 4 < pitch.size(); ++h) {
      const double expected = GlideFrequencyAt((double(h) + 0.5) * kHop, seconds, from, to);
      QVERIFY2(std::abs(pitch[h] - expected) <= 0.02 * expected,
               qPrintable(QStringLiteral("hop %1: %2 Hz, expected %3").arg(h).arg(pitch[h]).arg(expected)));
    }
  }

  void noPitchWithoutAVoice_data() {
    QTest::addColumn<double>("noise");
    QTest::newRow("digital silence") << 0.0;
    QTest::newRow("noise") << 0.2;
  }
  void noPitchWithoutAVoice() {
    QFETCH(double, noise);
    const std::vector<float> pitch = TrackPitch(Quiet(22050, 0.5, noise, 3));
    QCOMPARE(std::count_if(pitch.begin(), pitch.end(), [](float p) { return p > 0; }), 0);
  }

  // The same saying, padded with different silences (quiet noise in a
  // recording, digital silence in a model): both begin at their first sound
  // and last as long as it.
  void silenceIsTrimmed_data() {
    QTest::addColumn<double>("before");
    QTest::addColumn<double>("after");
    QTest::addColumn<double>("noise");
    QTest::newRow("model, digital silence") << 0.3 << 0.2 << 0.0;
    QTest::newRow("recording, a late start in a quiet room") << 1.2 << 0.9 << 0.003;
    QTest::newRow("recording, no silence at all") << 0.0 << 0.0 << 0.0;
  }
  void silenceIsTrimmed() {
    QFETCH(double, before);
    QFETCH(double, after);
    QFETCH(double, noise);
    const MonoSound saying = Syllables(22050, {150, 190, 140}, 0.2, 0.06);
    const VoiceTrace trace = AnalyseVoice(Padded(saying, before, after, noise, 11));
    QVERIFY(!trace.IsSilent());
    QVERIFY2(std::abs(trace.startSeconds - before) <= 0.02, qPrintable(QString::number(trace.startSeconds)));
    QVERIFY2(std::abs(trace.Seconds() - saying.Seconds()) <= 0.04, qPrintable(QString::number(trace.Seconds())));
    QCOMPARE(trace.loudnessDb.size(), trace.pitchHz.size());
    QVERIFY(trace.totalSeconds >= before + saying.Seconds() + after - 0.01);
  }

  void aSilentMicrophoneGivesNoTrace_data() {
    QTest::addColumn<double>("noise");
    QTest::newRow("muted") << 0.0;
    QTest::newRow("hiss far below a voice") << 0.0003;
  }
  void aSilentMicrophoneGivesNoTrace() {
    QFETCH(double, noise);
    const VoiceTrace trace = AnalyseVoice(Quiet(22050, 2.0, noise, 5));
    QVERIFY(trace.IsSilent());
    QCOMPARE(trace.totalSeconds, 2.0);
  }

  // Syllables are told apart by the dips between them; a steady tone is one.
  void syllableBoundaries_data() {
    QTest::addColumn<int>("syllables");
    QTest::addColumn<double>("gap");
    QTest::newRow("one") << 1 << 0.05;
    QTest::newRow("two") << 2 << 0.05;
    QTest::newRow("four, close together") << 4 << 0.03;
  }
  void syllableBoundaries() {
    QFETCH(int, syllables);
    QFETCH(double, gap);
    constexpr double length = 0.18;
    QList<double> pitches;
    for (int i = 0; i < syllables; ++i) pitches.append(140 + 25 * i);
    const VoiceTrace trace = AnalyseVoice(Padded(Syllables(22050, pitches, length, gap), 0.25, 0.25, 0.001, 2));
    QCOMPARE(int(trace.syllableBoundaries.size()), syllables - 1);
    for (int i = 0; i + 1 < syllables; ++i) {
      // Each boundary lies in the quiet after its syllable, measured from the first sound.
      const double at = trace.syllableBoundaries[i] * kHop + trace.startSeconds - 0.25;
      const double quietFrom = (i + 1) * length + i * gap;
      QVERIFY2(at >= quietFrom - 0.04 && at <= quietFrom + gap + 0.04, qPrintable(QString::number(at)));
    }
  }

  void steadyToneIsOneSyllable() {
    const VoiceTrace trace = AnalyseVoice(Padded(Glide(22050, 0.8, 200, 200), 0.2, 0.2, 0.0, 1));
    QVERIFY(trace.syllableBoundaries.empty());
  }

  void esperantoStress_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stress");  // one letter per syllable, S for the stressed one
    QTest::newRow("one syllable") << "kaj"
                                  << "-";
    QTest::newRow("two") << "domo"
                         << "S-";
    QTest::newRow("diphthongs count once") << "aŭto"
                                           << "S-";
    QTest::newRow("four, capital letter") << "Esperanto"
                                          << "--S-";
    QTest::newRow("sentence") << "Bonan tagon!"
                              << "S-S-";
    QTest::newRow("j is no vowel") << "ĉiujn"
                                   << "S-";
    QTest::newRow("digits say nothing") << "7"
                                        << "";
  }
  void esperantoStress() {
    QFETCH(QString, text);
    QFETCH(QString, stress);
    QString marks;
    for (const bool stressed : EsperantoSyllableStress(text)) marks += stressed ? QLatin1Char('S') : QLatin1Char('-');
    QCOMPARE(marks, stress);
  }

  // The recording as the course saves it: a WAV file of 16-bit samples
  // (8-bit ones from older recordings), read back as the same sound.
  void wavFilesReadAsSound_data() {
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("channels");
    QTest::newRow("16-bit mono") << 16 << 1;
    QTest::newRow("8-bit stereo") << 8 << 2;
  }
  void wavFilesReadAsSound() {
    QFETCH(int, bits);
    QFETCH(int, channels);
    const MonoSound tone = Glide(22050, 0.5, 200, 200);
    WavAudio audio;
    audio.sampleRate = 22050;
    audio.channels = channels;
    audio.bitsPerSample = bits;
    for (const float sample : tone.samples) {
      for (int c = 0; c < channels; ++c) {
        if (bits == 16) {
          char bytes[2];
          qToLittleEndian(static_cast<qint16>(sample * 32767), bytes);
          audio.samples.append(bytes, 2);
        } else {
          audio.samples.append(char(std::lround(128 + sample * 127)));
        }
      }
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("voice.wav"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(WriteWavFile(audio));
    file.close();
    const std::optional<MonoSound> read = ReadWavSound(path);
    QVERIFY(read);
    QCOMPARE(read->sampleRate, 22050);
    QCOMPARE(read->samples.size(), tone.samples.size());
    for (std::size_t i = 0; i < tone.samples.size(); i += 97)
      QVERIFY(std::abs(read->samples[i] - tone.samples[i]) < 0.01);
    QVERIFY(!ReadWavSound(folder.filePath(QStringLiteral("missing.wav"))));
    QVERIFY(!ReadMp3Sound(path));
  }
};

QTEST_MAIN(TestVoiceAnalysis)
#include "tst_voiceanalysis.moc"
