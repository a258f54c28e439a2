#include "mp3engine.h"

#include "audiooutput.h"
#include "mp3player.h"

#include <cmath>

DecodedStream::DecodedStream(Mp3Decoder& decoder, QObject* parent) : QIODevice(parent), decoder_(decoder) {
  // Unbuffered, so that a restart never plays data read before it.
  open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 DecodedStream::bytesAvailable() const {
  return (finished_ ? 0 : qint64(64 * 1024)) + QIODevice::bytesAvailable();
}

void DecodedStream::Restart() { StartAt(0); }

void DecodedStream::StartAt(qint64 frame) {
  decoder_.Seek(frame);
  finished_ = false;
}

qint64 DecodedStream::readData(char* data, qint64 maxBytes) {
  if (finished_) return 0;
  const qint64 read = decoder_.Read(data, maxBytes);
  if (read == 0) finished_ = true;
  return read;
}

Mp3Engine::Mp3Engine() : positionTimer_(this) {
  positionTimer_.setInterval(20);
  positionTimer_.setTimerType(Qt::PreciseTimer);
  connect(&positionTimer_, &QTimer::timeout, this, &Mp3Engine::ReportPosition);
  connect(this, &Mp3Engine::CommandsWaiting, this, &Mp3Engine::RunCommands, Qt::QueuedConnection);
}

void Mp3Engine::Queue(std::function<void(Mp3Engine&)> command) {
  bool wasEmpty = false;
  {
    std::lock_guard lock(queueLock_);
    wasEmpty = queue_.empty();
    queue_.push_back(std::move(command));
  }
  if (wasEmpty) Q_EMIT CommandsWaiting();
}

void Mp3Engine::RunCommands() {
  for (;;) {
    std::function<void(Mp3Engine&)> command;
    {
      std::lock_guard lock(queueLock_);
      if (queue_.empty()) return;
      command = std::move(queue_.front());
      queue_.pop_front();
    }
    command(*this);
  }
}

Mp3Engine::~Mp3Engine() = default;

void Mp3Engine::InputOpen(const QString& path) {
  CloseOutput();
  prepared_.reset();
  stream_.reset();
  durationSeconds_ = 0;
  if (decoder_.Open(path)) {
    durationSeconds_ = static_cast<int>(std::ceil(decoder_.LengthSeconds()));
    stream_ = std::make_unique<DecodedStream>(decoder_, this);
    // Made now, so that Play only has to start it.
    prepared_ = MakeOutput();
  }
  Q_EMIT PlayerState(Mp3Player::Stopped);
  Q_EMIT StreamDuration(durationSeconds_);
}

void Mp3Engine::Play() {
  if (!stream_) return;
  if (output_ && paused_) {
    paused_ = false;
    output_->Resume();
    positionTimer_.start();
    Q_EMIT PlayerState(Mp3Player::Playing);
    return;
  }
  if (output_) return;
  StartOutput(0);
}

void Mp3Engine::PlayFrom(qint64 milliseconds) {
  if (!stream_) return;
  CloseOutput();
  const qint64 frame = qBound<qint64>(0, milliseconds * decoder_.SampleRate() / 1000, decoder_.LengthFrames());
  StartOutput(frame);
}

void Mp3Engine::StartOutput(qint64 frame) {
  stream_->StartAt(frame);
  startUSecs_ = decoder_.SampleRate() > 0 ? frame * 1000000 / decoder_.SampleRate() : 0;
  output_ = prepared_ ? std::move(prepared_) : MakeOutput();
  // Told from the event loop, so that the output is never deleted inside its
  // own signal; an end that arrives after the sound was replaced is dropped.
  const int playing = ++playing_;
  connect(
      output_.get(), &AudioOutput::Finished, this,
      [this, playing] {
        if (playing == playing_) OnFinished();
      },
      Qt::QueuedConnection);
  lastReportedStep_ = -1;
  output_->Start(stream_.get());
  Q_EMIT OutputState(1);
  Q_EMIT PlayerState(Mp3Player::Playing);
  Q_EMIT StreamDuration(durationSeconds_);
  ReportPosition();
  positionTimer_.start();
}

std::unique_ptr<AudioOutput> Mp3Engine::MakeOutput() {
  PcmFormat format;
  format.sampleRate = decoder_.SampleRate();
  format.channels = decoder_.Channels();
  return AudioOutput::Create(format, this);
}

void Mp3Engine::Pause() {
  if (!output_ || paused_) return;
  paused_ = true;
  output_->Suspend();
  positionTimer_.stop();
  Q_EMIT PlayerState(Mp3Player::Paused);
}

void Mp3Engine::Stop() {
  CloseOutput();
  if (stream_) {
    stream_->Restart();
    if (!prepared_) prepared_ = MakeOutput();
  }
  Q_EMIT PlayerState(Mp3Player::Stopped);
}

void Mp3Engine::InputClose() {
  CloseOutput();
  prepared_.reset();
  stream_.reset();
  decoder_.Close();
  durationSeconds_ = 0;
  Q_EMIT PlayerState(Mp3Player::Stopped);
}

void Mp3Engine::Ping(int tag) { Q_EMIT Pong(tag); }

void Mp3Engine::SetInputTimecodeGranularity(int hundredths) {
  granularity_ = qMax(1, hundredths);
  // Looked at five times within each step, so that a report is never late by more than a fifth of it.
  positionTimer_.setInterval(qBound(10, granularity_ * 10 / 5, 50));
}

void Mp3Engine::Shutdown() {
  CloseOutput();
  prepared_.reset();
  stream_.reset();
  decoder_.Close();
}

void Mp3Engine::CloseOutput() {
  positionTimer_.stop();
  paused_ = false;
  ++playing_;
  if (!output_) return;
  output_->Stop();
  output_.reset();
  Q_EMIT OutputState(0);
}

void Mp3Engine::ReportPosition() {
  if (!output_) return;
  const qint64 hundredths = (startUSecs_ + output_->ProcessedUSecs()) / 10000;
  const qint64 step = hundredths / granularity_;
  if (step == lastReportedStep_) return;
  lastReportedStep_ = step;
  const qint64 position = step * granularity_;
  const qint64 seconds = position / 100;
  Q_EMIT InputTimecode(static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                       static_cast<int>(seconds % 60), static_cast<int>(position % 100));
}

// An output tells its end once the last sound has been heard (the server has
// played it, or a silent output has let its time pass), so the end is
// reported then, never before.
void Mp3Engine::OnFinished() {
  if (!output_) return;
  ReportPosition();
  CloseOutput();
  if (stream_) {
    stream_->Restart();
    if (!prepared_) prepared_ = MakeOutput();
  }
  Q_EMIT PlayerState(Mp3Player::EndOfStream);
}
