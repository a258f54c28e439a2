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
  bool stopped = false;
  bool ended = false;
};

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

bool PlayWavToEnd(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  std::optional<WavAudio> audio = ParseWavFile(file.readAll());
  file.close();
  if (!audio) return false;
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
  output->Start(&buffer);
  if (!playback.stopped) playback.loop.exec();
  output->Stop();
  // The loop also returns when the application quits; that is no full playing.
  return playback.ended && !playback.stopped;
}

void StopWavPlayback() {
  for (Playback* playback : RunningPlaybacks()) {
    playback->stopped = true;
    playback->loop.quit();
  }
}
