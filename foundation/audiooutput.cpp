#include "audiooutput.h"

#include "soundserver.h"

#include <QIODevice>

#include <pulse/pulseaudio.h>

#include <chrono>

namespace {

constexpr int kTickMs = 10;
// How much sound the server holds ahead of the speaker: it bounds the time
// from Play to sound and from Stop to silence.
constexpr qint64 kTargetUSecs = 40000;
constexpr int kWatchMs = 100;
// A server that asks for no data for this long, or does not finish playing
// the last of it, has stopped answering.
constexpr qint64 kStallMs = 2000;

qint64 NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void Forget(pa_operation* operation) {
  if (operation) pa_operation_unref(operation);
}

}  // namespace

std::unique_ptr<AudioOutput> AudioOutput::Create(const PcmFormat& format, QObject* parent) {
  if (auto device = DeviceOutput::Open(format, parent)) return device;
  return std::make_unique<SilentOutput>(format, parent);
}

SilentOutput::SilentOutput(const PcmFormat& format, QObject* parent, qint64 playedUSecs, qint64 heldUSecs)
    : AudioOutput(parent),
      format_(format),
      startUSecs_(playedUSecs),
      heldBytes_(format.BytesForUSecs(heldUSecs) / qMax(1, format.BytesPerFrame()) * format.BytesPerFrame()) {
  tick_.setInterval(kTickMs);
  tick_.setTimerType(Qt::PreciseTimer);
  connect(&tick_, &QTimer::timeout, this, &SilentOutput::Consume);
}

void SilentOutput::Start(QIODevice* source) {
  source_ = source;
  playedUSecs_ = 0;
  consumedBytes_ = heldBytes_;
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

qint64 SilentOutput::ProcessedUSecs() const { return startUSecs_ + format_.USecsForBytes(consumedBytes_); }

void SilentOutput::Consume() {
  if (!running_ || !source_) return;
  // Take as much sound as real time has played since the start.
  const qint64 playedUSecs = playedUSecs_ + clock_.nsecsElapsed() / 1000;
  const qint64 due = format_.BytesForUSecs(playedUSecs) - consumedBytes_;
  if (due <= 0) return;
  QByteArray discard(static_cast<qsizetype>(due), Qt::Uninitialized);
  const qint64 read = source_->read(discard.data(), due);
  if (read > 0) consumedBytes_ += read;
  if (read < due && source_->atEnd()) {
    Stop();
    Q_EMIT Finished();
  }
}

DeviceOutput::DeviceOutput(const PcmFormat& format, QObject* parent) : AudioOutput(parent), format_(format) {
  watch_.setInterval(kWatchMs);
  connect(&watch_, &QTimer::timeout, this, &DeviceOutput::Watch);
  connect(this, &DeviceOutput::StreamDrained, this, &DeviceOutput::TellFinished, Qt::QueuedConnection);
  connect(this, &DeviceOutput::StreamFailed, this, &DeviceOutput::FallSilent, Qt::QueuedConnection);
}

std::unique_ptr<DeviceOutput> DeviceOutput::Open(const PcmFormat& format, QObject* parent) {
  if (!format.IsValid()) return nullptr;
  std::unique_ptr<DeviceOutput> output(new DeviceOutput(format, parent));
  SoundServer::Use([&](pa_context* context) {
    pa_stream* stream = SoundServer::NewStream(context, format);
    if (!stream) return;
    pa_stream_set_state_callback(stream, &DeviceOutput::OnState, output.get());
    pa_stream_set_write_callback(stream, &DeviceOutput::OnWrite, output.get());
    pa_buffer_attr attributes;
    attributes.maxlength = static_cast<uint32_t>(-1);
    attributes.tlength = static_cast<uint32_t>(format.BytesForUSecs(kTargetUSecs));
    // Playing begins with the first frame, and an underrun waits for data
    // instead of skipping it.
    attributes.prebuf = static_cast<uint32_t>(format.BytesPerFrame());
    attributes.minreq = static_cast<uint32_t>(-1);
    attributes.fragsize = static_cast<uint32_t>(-1);
    // Corked until Start: the stream is ready by then, so Play only uncorks it.
    const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_INTERPOLATE_TIMING |
                                                      PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_playback(stream, nullptr, &attributes, flags, nullptr, nullptr) < 0) {
      pa_stream_set_state_callback(stream, nullptr, nullptr);
      pa_stream_set_write_callback(stream, nullptr, nullptr);
      pa_stream_unref(stream);
      return;
    }
    output->stream_ = stream;
  });
  if (!output->stream_) return nullptr;
  return output;
}

DeviceOutput::~DeviceOutput() { Stop(); }

void DeviceOutput::Start(QIODevice* source) {
  lastRequestMs_ = NowMs();
  drainSinceMs_ = -1;
  watch_.start();
  if (!stream_ && !fallback_) FallSilent();
  if (fallback_) {
    started_ = true;
    fallback_->Start(source);
    return;
  }
  SoundServer::Lock lock;
  source_ = source;
  started_ = true;
  if (pa_stream_get_state(stream_) == PA_STREAM_READY) {
    Fill(pa_stream_writable_size(stream_));
    Uncork();
  }
}

void DeviceOutput::Suspend() {
  if (fallback_) {
    fallback_->Suspend();
    return;
  }
  if (!stream_ || paused_) return;
  SoundServer::Lock lock;
  paused_ = true;
  Forget(pa_stream_cork(stream_, 1, nullptr, nullptr));
}

void DeviceOutput::Resume() {
  if (fallback_) {
    fallback_->Resume();
    return;
  }
  if (!stream_ || !paused_) return;
  SoundServer::Lock lock;
  paused_ = false;
  lastRequestMs_ = NowMs();
  if (drainSinceMs_ >= 0) drainSinceMs_ = NowMs();
  if (started_ && pa_stream_get_state(stream_) == PA_STREAM_READY) Uncork();
}

void DeviceOutput::Stop() {
  watch_.stop();
  Release();
  if (fallback_) fallback_->Stop();
}

qint64 DeviceOutput::ProcessedUSecs() const {
  if (fallback_) return fallback_->ProcessedUSecs();
  if (!stream_) return lastUSecs_;
  SoundServer::Lock lock;
  return StreamUSecs();
}

void DeviceOutput::OnState(pa_stream* stream, void* self) {
  auto* output = static_cast<DeviceOutput*>(self);
  const pa_stream_state_t state = pa_stream_get_state(stream);
  if (state == PA_STREAM_READY && output->started_) {
    output->Fill(pa_stream_writable_size(stream));
    if (!output->paused_) output->Uncork();
  } else if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) {
    // The server went away or took the device: the owner's thread goes on silently.
    if (!output->failed_.exchange(true)) Q_EMIT output->StreamFailed();
  }
}

void DeviceOutput::OnWrite(pa_stream*, size_t bytes, void* self) { static_cast<DeviceOutput*>(self)->Fill(bytes); }

void DeviceOutput::OnDrained(pa_stream*, int success, void* self) {
  auto* output = static_cast<DeviceOutput*>(self);
  Forget(output->drain_);
  output->drain_ = nullptr;
  if (success) Q_EMIT output->StreamDrained();
}

// Unless the output was stopped meanwhile.
void DeviceOutput::TellFinished() {
  if (started_ && !fallback_) Q_EMIT Finished();
}

void DeviceOutput::Fill(size_t bytes) {
  if (!source_ || !started_ || sourceDone_ || !stream_) return;
  lastRequestMs_ = NowMs();
  const size_t frameBytes = static_cast<size_t>(format_.BytesPerFrame());
  while (bytes >= frameBytes) {
    void* data = nullptr;
    size_t size = bytes;
    if (pa_stream_begin_write(stream_, &data, &size) < 0 || !data) return;
    size -= size % frameBytes;
    if (size == 0) {
      pa_stream_cancel_write(stream_);
      return;
    }
    const qint64 read = source_->read(static_cast<char*>(data), static_cast<qint64>(size));
    if (read > 0) {
      pa_stream_write(stream_, data, static_cast<size_t>(read), nullptr, 0, PA_SEEK_RELATIVE);
      writtenBytes_ += read;
      bytes -= qMin(bytes, static_cast<size_t>(read));
    } else {
      pa_stream_cancel_write(stream_);
    }
    if (read < static_cast<qint64>(size)) {
      if (source_->atEnd()) {
        // The rest is played even if it is shorter than the prebuffer.
        sourceDone_ = true;
        drainSinceMs_ = NowMs();
        drain_ = pa_stream_drain(stream_, &DeviceOutput::OnDrained, this);
      }
      return;
    }
  }
}

void DeviceOutput::Uncork() { Forget(pa_stream_cork(stream_, 0, nullptr, nullptr)); }

// After this no callback of the stream runs, so the owner may let go of the
// source and delete the output.
void DeviceOutput::Release() {
  if (stream_) {
    SoundServer::Lock lock;
    if (drain_) {
      pa_operation_cancel(drain_);
      Forget(drain_);
      drain_ = nullptr;
    }
    StreamUSecs();
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_set_write_callback(stream_, nullptr, nullptr);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
  }
  source_ = nullptr;
  started_ = false;
  paused_ = false;
  sourceDone_ = false;
}

qint64 DeviceOutput::StreamUSecs() const {
  pa_usec_t usecs = 0;
  if (stream_ && pa_stream_get_time(stream_, &usecs) == 0) lastUSecs_ = qMax(lastUSecs_, qint64(usecs));
  return lastUSecs_;
}

void DeviceOutput::Watch() {
  if (fallback_ || !started_ || paused_) return;
  const qint64 now = NowMs();
  const qint64 drainSince = drainSinceMs_;
  const bool stalled = drainSince >= 0 ? now - drainSince > kStallMs : now - lastRequestMs_ > kStallMs;
  if (stalled) FallSilent();
}

// The silent output goes on from what the server had played, first through
// what it held unplayed, then reading the source on, in real time.
void DeviceOutput::FallSilent() {
  if (fallback_) return;
  failed_ = true;
  QIODevice* source = source_;
  const bool started = started_;
  const bool paused = paused_;
  qint64 played = lastUSecs_;
  qint64 written = 0;
  if (stream_) {
    SoundServer::Lock lock;
    played = StreamUSecs();
    written = format_.USecsForBytes(writtenBytes_);
  }
  Release();
  fallback_ = std::make_unique<SilentOutput>(format_, this, played, qMax<qint64>(0, written - played));
  connect(fallback_.get(), &AudioOutput::Finished, this, &AudioOutput::Finished);
  if (!started) return;
  started_ = true;
  fallback_->Start(source);
  if (paused) fallback_->Suspend();
}
