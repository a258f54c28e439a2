#include "soundbench.h"

#include "audiooutput.h"
#include "mp3decoder.h"
#include "mp3engine.h"
#include "mp3fixtures.h"
#include "mp3player.h"
#include "playerhelpers.h"
#include "pulseserver.h"
#include "voicerecorder.h"
#include "waiting.h"
#include "wavfile.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <numbers>
#include <vector>

namespace {

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The decoded stream, noting when the output first asks for data.
class TimedStream : public DecodedStream {
 public:
  using DecodedStream::DecodedStream;
  qint64 firstReadNs = -1;
  QElapsedTimer clock;

 protected:
  qint64 readData(char* data, qint64 maxBytes) override {
    if (firstReadNs < 0) firstReadNs = clock.nsecsElapsed();
    return DecodedStream::readData(data, maxBytes);
  }
};

QByteArray ReadWholeFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double MedianMs(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

void BenchSound() {
  QTemporaryDir folder;
  const QString speechLike = MakeToneMp3(folder.path(), QStringLiteral("tone"), 10.0, 22050, 1);
  const QString music = MakeToneMp3(folder.path(), QStringLiteral("music"), 10.0, 44100, 2, 523.0);
  const QString longFile = MakeLongMp3(folder.path(), QStringLiteral("long"), 60);
  if (speechLike.isEmpty() || music.isEmpty() || longFile.isEmpty()) {
    std::printf("sound: lame could not make the test files\n");
    return;
  }

  // Decoding speed, without any output.
  Mp3Decoder decoder;
  QElapsedTimer clock;
  clock.start();
  decoder.Open(longFile);
  const double openMs = clock.nsecsElapsed() / 1e6;
  QByteArray buffer(64 * 1024, Qt::Uninitialized);
  clock.restart();
  while (decoder.Read(buffer.data(), buffer.size()) > 0) {
  }
  const double decodeSeconds = clock.nsecsElapsed() / 1e9;
  std::printf(
      "decoding: %.0f s of 22,050 Hz mono in %.3f s, %.0f times real time (opening with the length scan "
      "%.1f ms)\n",
      decoder.LengthSeconds(), decodeSeconds, decoder.LengthSeconds() / decodeSeconds, openMs);

  PrivatePulseServer server;
  if (!PrivatePulseServer::Available() || !server.Start()) {
    std::printf("sound: no private sound server (%s)\n", qPrintable(server.ErrorString()));
    return;
  }

  // From Start to the first data the server takes; the output is made
  // beforehand, as the player makes it when a file is opened.
  std::vector<double> firstData;
  for (int i = 0; i < 15; ++i) {
    Mp3Decoder opened;
    opened.Open(speechLike);
    PcmFormat format;
    format.sampleRate = opened.SampleRate();
    format.channels = opened.Channels();
    TimedStream stream(opened);
    auto output = AudioOutput::Create(format, nullptr);
    WaitSeconds(0.05);
    stream.clock.start();
    output->Start(&stream);
    WaitUntil([&] { return stream.firstReadNs >= 0; }, 2);
    if (stream.firstReadNs >= 0) firstData.push_back(stream.firstReadNs / 1e6);
    output->Stop();
  }
  if (!firstData.empty()) {
    std::printf("play to first audio taken by the server: median %.2f ms, worst %.2f ms (%zu starts)\n",
                MedianMs(firstData), *std::max_element(firstData.begin(), firstData.end()), firstData.size());
  }

  // From Start to the first sound at the sink, heard through its monitor by
  // the voice recorder. The recording itself adds up to one of its pieces
  // (20 ms), so the figure is an upper bound.
  {
    PcmFormat format;
    format.sampleRate = 22050;
    format.channels = 1;
    QByteArray tone;
    for (int i = 0; i < format.sampleRate * 3 / 10; ++i) {
      const auto sample = qint16(std::lround(12000 * std::sin(2 * std::numbers::pi * 440.0 * i / format.sampleRate)));
      tone.append(reinterpret_cast<const char*>(&sample), 2);
    }
    std::vector<double> heard;
    for (int i = 0; i < 10; ++i) {
      VoiceRecorder recorder;
      if (!recorder.Record(1500)) break;
      WaitUntil([&] { return recorder.PositionMs() >= 300; }, 5);
      auto output = AudioOutput::Create(format, nullptr);
      WaitSeconds(0.05);
      QBuffer buffer(&tone);
      buffer.open(QIODevice::ReadOnly);
      const qint64 startedAtMs = recorder.PositionMs();
      output->Start(&buffer);
      WaitUntil([&] { return !recorder.IsRecording(); }, 5);
      const QString path = folder.filePath(QStringLiteral("heard.wav"));
      const auto audio = recorder.SaveWav(path) ? ParseWavFile(ReadWholeFile(path)) : std::nullopt;
      if (!audio) continue;
      const auto* data = reinterpret_cast<const qint16*>(audio->samples.constData());
      const qsizetype frames = audio->samples.size() / 2;
      for (qsizetype f = qsizetype(startedAtMs) * audio->sampleRate / 1000; f < frames; ++f) {
        if (std::abs(data[f]) > 3000) {
          heard.push_back(double(f) * 1000.0 / audio->sampleRate - double(startedAtMs));
          break;
        }
      }
    }
    if (!heard.empty()) {
      std::printf(
          "play to first sound heard at the sink's monitor: median %.1f ms, worst %.1f ms (%zu starts; "
          "includes up to 20 ms of the recording's own delay)\n",
          MedianMs(heard), *std::max_element(heard.begin(), heard.end()), heard.size());
    }
  }

  // CPU while the player plays ten seconds of stereo music.
  Mp3Player player;
  SetMp3(&player);
  player.InputOpen(music);
  Synchronise();
  // Waiting on the end itself, so that the figure holds the player's work and nothing else.
  QEventLoop loop;
  QObject::connect(&player, &Mp3Player::NotifyPlayerState, &loop, [&](int state) {
    if (state == Mp3Player::EndOfStream) loop.quit();
  });
  QTimer::singleShot(30000, &loop, &QEventLoop::quit);
  const double cpuBefore = ProcessCpuSeconds();
  clock.restart();
  player.Play();
  loop.exec();
  const double wall = clock.nsecsElapsed() / 1e9;
  const double cpu = ProcessCpuSeconds() - cpuBefore;
  std::printf("playing 10 s of 44,100 Hz stereo: %.1f s wall, %.3f s CPU, %.2f %% of one core\n", wall, cpu,
              100.0 * cpu / wall);
  SetMp3(nullptr);
  server.Stop();
}
