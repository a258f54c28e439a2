#include "wavplayer.h"

#include "audiooutput.h"
#include "wavfile.h"

#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// An output that never says it finished must not keep a drill waiting for ever.
constexpr int kStallSlackMs = 3000;

// One running PlayWavToEnd, registered while its loop runs so that
// StopWavPlayback can reach it. Lives on that call's stack.
struct Playback {
  QEventLoop loop;
  AudioOutput* output = nullptr;
  bool stopped = false;
  bool ended = false;
};

// How often a listener hears the position.
constexpr int kPositionMs = 20;

std::vector<Playback*>& RunningPlaybacks() {
  static std::vector<Playback*> running;
  return running;
}

class Registration {
 public:
  explicit Registration(Playback* playback) : playback_(playback) { RunningPlaybacks().push_back(playback); }
  ~Registration() { std::erase(RunningPlaybacks(), playback_); }
  Registration(const Registration&) = delete;
  Registration& operator=(const Registration&) = delete;

 private:
  Playback* playback_;
};

PcmFormat FormatOf(const WavAudio& audio) {
  PcmFormat format;
  format.sampleRate = audio.sampleRate;
  format.channels = audio.channels;
  format.bitsPerSample = audio.bitsPerSample;
  return format;
}

}  // namespace

bool PlayWavToEnd(const QString& path) { return PlayWavToEnd(path, 0, {}); }

bool PlayWavToEnd(const QString& path, qint64 fromMs, const std::function<void(qint64 ms)>& position) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  std::optional<WavAudio> audio = ParseWavFile(file.readAll());
  file.close();
  if (!audio) return false;
  const int frameBytes = WavFrameBytes(*audio);
  const qint64 skippedFrames = qBound<qint64>(0, fromMs * audio->sampleRate / 1000, audio->samples.size() / frameBytes);
  audio->samples.remove(0, skippedFrames * frameBytes);
  const qint64 startUSecs = skippedFrames * 1000000 / audio->sampleRate;
  const qint64 durationMs = WavDurationMs(*audio);
  if (audio->samples.isEmpty()) return true;

  Playback playback;
  Registration registration(&playback);

  // The output ends by itself, on the device or, without one or when it
  // fails midway, silently in real time.
  QBuffer buffer(&audio->samples);
  buffer.open(QIODevice::ReadOnly);
  std::unique_ptr<AudioOutput> output = AudioOutput::Create(FormatOf(*audio), nullptr);
  QObject::connect(output.get(), &AudioOutput::Finished, &playback.loop, [&playback] {
    playback.ended = true;
    playback.loop.quit();
  });
  QTimer::singleShot(durationMs + kStallSlackMs, &playback.loop, [&playback] {
    playback.ended = true;
    playback.loop.quit();
  });
  QTimer positionTimer;
  if (position) {
    positionTimer.setInterval(kPositionMs);
    QObject::connect(&positionTimer, &QTimer::timeout, &playback.loop, [&] {
      if (!playback.stopped) position((startUSecs + output->ProcessedUSecs()) / 1000);
    });
    positionTimer.start();
  }
  playback.output = output.get();
  output->Start(&buffer);
  if (!playback.stopped) playback.loop.exec();
  output->Stop();
  // The loop also returns when the application quits; that is no full playing.
  return playback.ended && !playback.stopped;
}

void StopWavPlayback() {
  for (Playback* playback : RunningPlaybacks()) {
    playback->stopped = true;
    // Silent now, not once the call returns: a stop may come from work
    // that runs inside its loop (a new recording) and lasts.
    if (playback->output) playback->output->Stop();
    playback->loop.quit();
  }
}
