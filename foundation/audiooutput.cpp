#include "audiooutput.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

namespace {
constexpr int kTickMs = 10;
}

std::unique_ptr<AudioOutput> AudioOutput::Create(const QAudioFormat& format, QObject* parent) {
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (!device.isNull() && device.isFormatSupported(format)) return std::make_unique<DeviceOutput>(format, parent);
  return std::make_unique<SilentOutput>(format, parent);
}

QAudioFormat AudioOutput::SupportedFormat(const QAudioFormat& format) {
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull() || device.isFormatSupported(format)) return format;
  QAudioFormat preferred = device.preferredFormat();
  preferred.setSampleFormat(QAudioFormat::Int16);
  return preferred;
}

DeviceOutput::DeviceOutput(const QAudioFormat& format, QObject* parent)
    : AudioOutput(parent), sink_(std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format)) {
  // A short buffer keeps the time from Play to sound, and from Stop to silence, small.
  const int bytesPerSecond = format.bytesForDuration(1000000);
  sink_->setBufferSize(bytesPerSecond / 10);
  connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
    if (stopping_ || !source_) return;
    // In pull mode the sink falls idle when the source has nothing more to give.
    if (state == QAudio::IdleState && source_->atEnd()) Q_EMIT Finished();
  });
}

DeviceOutput::~DeviceOutput() { Stop(); }

void DeviceOutput::Start(QIODevice* source) {
  stopping_ = false;
  source_ = source;
  sink_->start(source);
}

void DeviceOutput::Suspend() { sink_->suspend(); }
void DeviceOutput::Resume() { sink_->resume(); }

void DeviceOutput::Stop() {
  stopping_ = true;
  sink_->stop();
  source_ = nullptr;
}

qint64 DeviceOutput::ProcessedUSecs() const { return sink_->processedUSecs(); }
QAudioFormat DeviceOutput::Format() const { return sink_->format(); }

SilentOutput::SilentOutput(const QAudioFormat& format, QObject* parent) : AudioOutput(parent), format_(format) {
  tick_.setInterval(kTickMs);
  tick_.setTimerType(Qt::PreciseTimer);
  connect(&tick_, &QTimer::timeout, this, &SilentOutput::Consume);
}

void SilentOutput::Start(QIODevice* source) {
  source_ = source;
  playedUSecs_ = 0;
  consumedBytes_ = 0;
  running_ = true;
  clock_.start();
  tick_.start();
}

void SilentOutput::Suspend() {
  if (!running_) return;
  playedUSecs_ += clock_.nsecsElapsed() / 1000;
  running_ = false;
  tick_.stop();
}

void SilentOutput::Resume() {
  if (running_ || !source_) return;
  running_ = true;
  clock_.start();
  tick_.start();
}

void SilentOutput::Stop() {
  running_ = false;
  tick_.stop();
  source_ = nullptr;
}

qint64 SilentOutput::ProcessedUSecs() const {
  const qint64 frames = consumedBytes_ / qMax(1, format_.bytesPerFrame());
  return format_.sampleRate() > 0 ? frames * 1000000 / format_.sampleRate() : 0;
}

void SilentOutput::Consume() {
  if (!running_ || !source_) return;
  // Take as much sound as real time has played since the start.
  const qint64 playedUSecs = playedUSecs_ + clock_.nsecsElapsed() / 1000;
  const qint64 due = qint64(format_.bytesPerFrame()) * format_.sampleRate() * playedUSecs / 1000000 - consumedBytes_;
  if (due <= 0) return;
  QByteArray discard(static_cast<qsizetype>(due), Qt::Uninitialized);
  const qint64 read = source_->read(discard.data(), due);
  if (read > 0) consumedBytes_ += read;
  if (read < due && source_->atEnd()) {
    Stop();
    Q_EMIT Finished();
  }
}
