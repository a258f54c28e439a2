#include "voicebench.h"

#include "voiceanalyser.h"
#include "wavfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int kRuns = 21;
constexpr double kRecordingSeconds = 5.0;
const char* const kModel = "sonoj/lec01/La hundo estas granda kaj bela.mp3";

// What the recorder saves of a learner who waited a second before saying
// the model: room noise, the saying, room noise up to five seconds.
WavAudio RecordingOf(const MonoSound& saying) {
  WavAudio audio;
  audio.sampleRate = 22050;
  audio.channels = 1;
  std::mt19937 generator(7);
  std::normal_distribution<double> noise(0.0, 60.0);
  const auto total = static_cast<qint64>(kRecordingSeconds * audio.sampleRate);
  const qint64 start = audio.sampleRate;
  for (qint64 i = 0; i < total; ++i) {
    double sample = noise(generator);
    // The saying as the recorder would hear it at 22,050 Hz, nearest sample.
    const auto at = static_cast<std::size_t>(double(i - start) * saying.sampleRate / audio.sampleRate);
    if (i >= start && at < saying.samples.size()) sample += saying.samples[at] * 20000.0;
    char bytes[2];
    qToLittleEndian(static_cast<qint16>(std::clamp(sample, -32768.0, 32767.0)), bytes);
    audio.samples.append(bytes, 2);
  }
  return audio;
}

}  // namespace

void BenchVoiceAnalysis() {
  const QString model = QDir(QStringLiteral(PELANO_PROGRAM_DIR)).filePath(QString::fromUtf8(kModel));
  const std::optional<MonoSound> saying = ReadMp3Sound(model);
  if (!saying) {
    std::printf("voice analysis: the model %s could not be read\n", kModel);
    return;
  }
  QTemporaryDir folder;
  const QString recording = folder.filePath(QStringLiteral("tempa1.wav"));
  QFile file(recording);
  if (!file.open(QIODevice::WriteOnly) || file.write(WriteWavFile(RecordingOf(*saying))) < 0) return;
  file.close();

  VoiceAnalyser analyser;
  std::vector<double> runs;
  bool complete = true;
  for (int run = 0; run < kRuns; ++run) {
    QEventLoop loop;
    QElapsedTimer clock;
    double elapsed = -1;
    QObject::connect(&analyser, &VoiceAnalyser::Analysed, &loop, [&](const VoiceComparison& comparison) {
      elapsed = clock.nsecsElapsed() / 1e6;
      complete &= comparison.model && comparison.recording && !comparison.recording->IsSilent();
      loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    clock.start();
    analyser.Analyse(model, recording);
    loop.exec();
    if (elapsed < 0) {
      std::printf("voice analysis: no answer within 10 s\n");
      return;
    }
    runs.push_back(elapsed);
  }
  std::sort(runs.begin(), runs.end());
  std::printf(
      "voice analysis on its worker thread, a %.1f s model and a %.0f s recording, request to answer, median of %d: "
      "%.1f ms (best %.1f, worst %.1f)%s\n",
      saying->Seconds(), kRecordingSeconds, kRuns, runs[runs.size() / 2], runs.front(), runs.back(),
      complete ? "" : " (something was not analysed!)");
}
