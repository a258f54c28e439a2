#include "voicerecorder.h"

#include "audioinput.h"
#include "inilines.h"
#include "wavfile.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kRate = 22050;
// A device that stops delivering sound must not keep a drill waiting: the
// recording ends when no sound came for kStallMs, and at the latest
// kDeadlineSlackMs after it should have been complete.
constexpr int kWatchMs = 250;
constexpr int kStallMs = 2000;
constexpr qint64 kDeadlineSlackMs = 5000;
// A WAV file holds at most this many bytes of samples.
constexpr qint64 kMaximumBytes = 0xFFFFFFFFLL - 37;

// Root mean square of 16-bit samples in dB below full scale.
float LevelOf(const QByteArray& chunk) {
  const auto* data = reinterpret_cast<const uchar*>(chunk.constData());
  const qsizetype samples = chunk.size() / 2;
  if (samples == 0) return -100.0F;
  double sum = 0;
  for (qsizetype i = 0; i < samples; ++i) {
    const double sample = qFromLittleEndian<qint16>(data + 2 * i) / 32768.0;
    sum += sample * sample;
  }
  return static_cast<float>(std::max(-100.0, 10.0 * std::log10(sum / double(samples) + 1e-12)));
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
  format_ = PcmFormat();
  if (milliseconds <= 0) return false;

  PcmFormat format;
  format.sampleRate = kRate;
  format.channels = 1;
  input_ = AudioInput::Open(format, this);
  if (!input_) return false;
  connect(input_.get(), &AudioInput::SoundArrived, this, &VoiceRecorder::ReadAvailable, Qt::QueuedConnection);
  // The device went away or the server ended: the recording ends with what it has.
  connect(
      input_.get(), &AudioInput::Failed, this,
      [this] {
        if (recording_) FinishSoon();
      },
      Qt::QueuedConnection);

  format_ = format;
  const qint64 frames = (qint64(milliseconds) * format.sampleRate + 999) / 1000;
  const qint64 frameBytes = format.BytesPerFrame();
  targetBytes_ = qMin(frames * frameBytes, kMaximumBytes - kMaximumBytes % frameBytes);
  recording_ = true;
  finishReported_ = false;
  milliseconds_ = milliseconds;
  sinceStart_.start();
  sinceSound_.invalidate();
  watch_.start();
  // Sound that came before the connection above is told of no more.
  ReadAvailable();
  return true;
}

qint64 VoiceRecorder::PositionMs() const {
  const int frameBytes = format_.BytesPerFrame();
  if (frameBytes <= 0 || format_.sampleRate <= 0) return 0;
  return samples_.size() / frameBytes * 1000 / format_.sampleRate;
}

bool VoiceRecorder::SaveWav(const QString& path) const {
  if (!format_.IsValid()) return false;
  WavAudio audio;
  audio.sampleRate = format_.sampleRate;
  audio.channels = format_.channels;
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
  const QByteArray chunk = input_->TakeAvailable();
  if (!recording_) return;
  if (!chunk.isEmpty()) sinceSound_.start();
  samples_.append(chunk.constData(), qMin<qint64>(chunk.size(), targetBytes_ - samples_.size()));
  if (!chunk.isEmpty()) Q_EMIT SoundLevel(LevelOf(chunk));
  if (samples_.size() >= targetBytes_) FinishSoon();
}

// A device may also just stop delivering sound without failing.
void VoiceRecorder::Watch() {
  if (!recording_) return;
  const bool stalled = sinceSound_.isValid() ? sinceSound_.hasExpired(kStallMs)
                                             : sinceStart_.hasExpired(milliseconds_ + kDeadlineSlackMs);
  if (stalled) Halt();
}

// Called from inside the input's own signals, which must not delete it under
// their feet: the input is released from the event loop.
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
  if (input_) input_->Close();
  if (!finishReported_) {
    finishReported_ = true;
    Q_EMIT Finished();
  }
}

void VoiceRecorder::DropSource() {
  if (!input_) return;
  input_->disconnect(this);
  input_.reset();
}
