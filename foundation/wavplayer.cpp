#include "wavplayer.h"

#include "wavfile.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kCheckIntervalMs = 20;
// Silence after the sound keeps the output running until the sound's last
// sample has been heard; the output's clock then passes the sound's end.
constexpr int kTrailingSilenceMs = 200;
// An output whose clock stalls must not keep a drill waiting for ever.
constexpr int kStallSlackMs = 3000;
constexpr int kDeviceCheckMs = 250;

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

QAudioFormat FormatOf(const WavAudio& audio) {
  QAudioFormat format;
  format.setSampleRate(audio.sampleRate);
  format.setChannelCount(audio.channels);
  format.setSampleFormat(audio.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
  return format;
}

QByteArray Silence(const WavAudio& audio, int milliseconds) {
  const qint64 frames = qint64(audio.sampleRate) * milliseconds / 1000;
  return QByteArray(frames * WavFrameBytes(audio), audio.bitsPerSample == 8 ? char(0x80) : char(0));
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
  QElapsedTimer clock;
  clock.start();

  // The sound goes out through a sink fed from a buffer; when there is no
  // output, or it cannot be opened or fails midway, the wait goes on silently
  // in real time.
  std::unique_ptr<QAudioSink> sink;
  QByteArray playing = audio->samples + Silence(*audio, kTrailingSilenceMs);
  QBuffer buffer(&playing);
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (!device.isNull()) {
    sink = std::make_unique<QAudioSink>(device, FormatOf(*audio));
    buffer.open(QIODevice::ReadOnly);
    sink->start(&buffer);
    if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState) sink.reset();
  }

  // An unplugged device does not always make the sink fail; its clock may
  // just stop. The device list tells.
  QElapsedTimer sinceDeviceCheck;
  sinceDeviceCheck.start();
  auto outputGone = [&] {
    if (sinceDeviceCheck.elapsed() < kDeviceCheckMs) return false;
    sinceDeviceCheck.restart();
    return !QMediaDevices::audioOutputs().contains(device);
  };

  const qint64 durationUs = durationMs * 1000;
  QTimer check;
  check.setTimerType(Qt::PreciseTimer);
  QObject::connect(&check, &QTimer::timeout, [&] {
    const qint64 elapsedMs = clock.elapsed();
    if (sink && (sink->state() == QAudio::StoppedState || outputGone())) sink.reset();  // the device failed
    bool done = elapsedMs >= durationMs;
    if (sink) {
      // The output's clock counts what has been heard, so the end is only
      // reached when it passes the sound's length.
      done = done && (sink->processedUSecs() >= durationUs || elapsedMs >= durationMs + kStallSlackMs);
    }
    if (done) {
      playback.ended = true;
      playback.loop.quit();
    }
  });
  check.start(kCheckIntervalMs);
  if (!playback.stopped) playback.loop.exec();
  check.stop();
  if (sink) sink->stop();
  // The loop also returns when the application quits; that is no full playing.
  return playback.ended && !playback.stopped;
}

void StopWavPlayback() {
  for (Playback* playback : RunningPlaybacks()) {
    playback->stopped = true;
    playback->loop.quit();
  }
}
