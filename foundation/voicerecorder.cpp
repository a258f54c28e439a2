#include "voicerecorder.h"

#include "inilines.h"
#include "wavfile.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QMediaDevices>

namespace {

constexpr int kPreferredRate = 22050;
// A device that stops delivering sound must not keep a drill waiting: the
// recording ends when no sound came for kStallMs, and at the latest
// kDeadlineSlackMs after it should have been complete.
constexpr int kWatchMs = 250;
constexpr int kStallMs = 2000;
constexpr qint64 kDeadlineSlackMs = 5000;
// A WAV file holds at most this many bytes of samples.
constexpr qint64 kMaximumBytes = 0xFFFFFFFFLL - 37;

QAudioFormat ChooseFormat(const QAudioDevice& device) {
  QAudioFormat format;
  format.setSampleFormat(QAudioFormat::Int16);
  format.setChannelCount(1);
  format.setSampleRate(kPreferredRate);
  if (device.isFormatSupported(format)) return format;
  const QAudioFormat preferred = device.preferredFormat();
  format.setSampleRate(preferred.sampleRate());
  if (device.isFormatSupported(format)) return format;
  format.setChannelCount(preferred.channelCount());
  if (device.isFormatSupported(format)) return format;
  return QAudioFormat();
}

}  // namespace

VoiceRecorder::VoiceRecorder(QObject* parent) : QObject(parent) {
  watch_.setInterval(kWatchMs);
  connect(&watch_, &QTimer::timeout, this, &VoiceRecorder::Watch);
}

VoiceRecorder::~VoiceRecorder() { DropSource(); }

bool VoiceRecorder::Record(int milliseconds) {
  DropSource();
  ++generation_;
  recording_ = false;
  finishReported_ = true;
  watch_.stop();
  samples_.clear();
  format_ = QAudioFormat();
  if (milliseconds <= 0) return false;

  const QAudioDevice device = QMediaDevices::defaultAudioInput();
  if (device.isNull()) return false;
  const QAudioFormat format = ChooseFormat(device);
  if (!format.isValid()) return false;
  device_ = device;
  source_ = std::make_unique<QAudioSource>(device, format);
  connect(source_.get(), &QAudioSource::stateChanged, this, &VoiceRecorder::OnStateChanged);
  input_ = source_->start();
  if (!input_ || source_->error() != QAudio::NoError || source_->state() == QAudio::StoppedState) {
    DropSource();
    return false;
  }
  connect(input_, &QIODevice::readyRead, this, &VoiceRecorder::ReadAvailable);

  format_ = format;
  const qint64 frames = (qint64(milliseconds) * format.sampleRate() + 999) / 1000;
  const qint64 frameBytes = format.bytesPerFrame();
  targetBytes_ = qMin(frames * frameBytes, kMaximumBytes - kMaximumBytes % frameBytes);
  recording_ = true;
  finishReported_ = false;
  milliseconds_ = milliseconds;
  sinceStart_.start();
  sinceSound_.invalidate();
  watch_.start();
  return true;
}

qint64 VoiceRecorder::PositionMs() const {
  const int frameBytes = format_.bytesPerFrame();
  if (frameBytes <= 0 || format_.sampleRate() <= 0) return 0;
  return samples_.size() / frameBytes * 1000 / format_.sampleRate();
}

bool VoiceRecorder::SaveWav(const QString& path) const {
  if (!format_.isValid()) return false;
  WavAudio audio;
  audio.sampleRate = format_.sampleRate();
  audio.channels = format_.channelCount();
  audio.bitsPerSample = 16;
  audio.samples = samples_;
  return IniLines::WriteFileAtomically(path, WriteWavFile(audio));
}

void VoiceRecorder::Stop() { Halt(); }

// Finished comes last: whoever hears it may delete the recorder.
void VoiceRecorder::Close() {
  DropSource();
  Halt();
}

void VoiceRecorder::ReadAvailable() {
  if (!input_) return;
  const QByteArray chunk = input_->readAll();
  if (!recording_) return;
  if (!chunk.isEmpty()) sinceSound_.start();
  samples_.append(chunk.constData(), qMin<qint64>(chunk.size(), targetBytes_ - samples_.size()));
  if (samples_.size() >= targetBytes_) FinishSoon();
}

void VoiceRecorder::OnStateChanged() {
  // The device went away or failed: the recording ends with what it has.
  if (recording_ && source_ && source_->state() == QAudio::StoppedState && source_->error() != QAudio::NoError) {
    FinishSoon();
  }
}

// An unplugged device does not always make the source fail; its stream may
// just stop delivering.
void VoiceRecorder::Watch() {
  if (!recording_) return;
  const bool stalled = sinceSound_.isValid() ? sinceSound_.hasExpired(kStallMs)
                                             : sinceStart_.hasExpired(milliseconds_ + kDeadlineSlackMs);
  if (stalled || !QMediaDevices::audioInputs().contains(device_)) Halt();
}

// Called from inside the audio source's own signals, which must not stop or
// delete it under their feet: the device is released from the event loop.
void VoiceRecorder::FinishSoon() {
  recording_ = false;
  watch_.stop();
  const int generation = generation_;
  QTimer::singleShot(0, this, [this, generation] {
    if (generation == generation_) Halt();
  });
}

void VoiceRecorder::Halt() {
  recording_ = false;
  watch_.stop();
  if (source_) source_->stop();
  input_ = nullptr;
  if (!finishReported_) {
    finishReported_ = true;
    Q_EMIT Finished();
  }
}

void VoiceRecorder::DropSource() {
  input_ = nullptr;
  if (!source_) return;
  source_->disconnect(this);
  source_->stop();
  source_.reset();
}
