#include "audioinput.h"

#include "soundserver.h"

#include <QElapsedTimer>

#include <pulse/pulseaudio.h>

#include <thread>

namespace {

// How long the server may take to open the input or refuse it.
constexpr qint64 kOpenMs = 1500;
// Sound is handed over in pieces of this length.
constexpr qint64 kPieceUSecs = 20000;

}  // namespace

AudioInput::AudioInput(QObject* parent) : QObject(parent) {}

std::unique_ptr<AudioInput> AudioInput::Open(const PcmFormat& format, QObject* parent) {
  if (!format.IsValid()) return nullptr;
  std::unique_ptr<AudioInput> input(new AudioInput(parent));
  SoundServer::Use([&](pa_context* context) {
    pa_stream* stream = SoundServer::NewStream(context, format);
    if (!stream) return;
    pa_stream_set_state_callback(stream, &AudioInput::OnState, input.get());
    pa_stream_set_read_callback(stream, &AudioInput::OnRead, input.get());
    pa_buffer_attr attributes;
    attributes.maxlength = static_cast<uint32_t>(-1);
    attributes.tlength = attributes.prebuf = attributes.minreq = static_cast<uint32_t>(-1);
    attributes.fragsize = static_cast<uint32_t>(format.BytesForUSecs(kPieceUSecs));
    input->stream_ = stream;
    if (pa_stream_connect_record(stream, nullptr, &attributes, PA_STREAM_ADJUST_LATENCY) < 0) input->Close();
  });
  if (!input->stream_) return nullptr;
  // A missing input is refused by the server at once; the caller learns it
  // now rather than from a recording that never starts.
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    pa_stream_state_t state;
    {
      SoundServer::Lock lock;
      state = pa_stream_get_state(input->stream_);
    }
    if (state == PA_STREAM_READY) break;
    if (!PA_STREAM_IS_GOOD(state) || clock.hasExpired(kOpenMs)) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  // Without a microphone the server falls back on a sink's monitor, which
  // would record the course's own sound as the learner's voice.
  if (input->RecordsAMonitor(kOpenMs - clock.elapsed())) return nullptr;
  return input;
}

bool AudioInput::RecordsAMonitor(qint64 waitMs) {
  // Answered on the loop's thread: 1 a monitor, 0 a real input.
  std::atomic<int> answer = -1;
  pa_operation* query = nullptr;
  {
    SoundServer::Lock lock;
    query = pa_context_get_source_info_by_index(
        pa_stream_get_context(stream_), pa_stream_get_device_index(stream_),
        [](pa_context*, const pa_source_info* info, int eol, void* result) {
          auto* answer = static_cast<std::atomic<int>*>(result);
          if (eol < 0) answer->store(1);
          if (eol == 0 && info) answer->store(info->monitor_of_sink != PA_INVALID_INDEX ? 1 : 0);
        },
        &answer);
  }
  if (!query) return true;
  QElapsedTimer clock;
  clock.start();
  while (answer < 0 && !clock.hasExpired(qMax<qint64>(waitMs, 100)))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  {
    // The answer lives on this stack: no callback may come after this.
    SoundServer::Lock lock;
    pa_operation_cancel(query);
    pa_operation_unref(query);
  }
  return answer != 0;
}

AudioInput::~AudioInput() { Close(); }

QByteArray AudioInput::TakeAvailable() {
  QByteArray taken;
  if (stream_) {
    SoundServer::Lock lock;
    taken.swap(arrived_);
    told_ = false;
  } else {
    taken.swap(arrived_);
  }
  return taken;
}

// After this no callback of the stream runs.
void AudioInput::Close() {
  if (!stream_) return;
  SoundServer::Lock lock;
  pa_stream_set_state_callback(stream_, nullptr, nullptr);
  pa_stream_set_read_callback(stream_, nullptr, nullptr);
  pa_stream_disconnect(stream_);
  pa_stream_unref(stream_);
  stream_ = nullptr;
}

void AudioInput::OnState(pa_stream* stream, void* self) {
  auto* input = static_cast<AudioInput*>(self);
  const pa_stream_state_t state = pa_stream_get_state(stream);
  if ((state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) && !input->failed_.exchange(true)) {
    Q_EMIT input->Failed();
  }
}

void AudioInput::OnRead(pa_stream* stream, size_t, void* self) {
  auto* input = static_cast<AudioInput*>(self);
  const void* data = nullptr;
  size_t size = 0;
  while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &data, &size) == 0 && size > 0) {
    // A hole in the sound comes as silence.
    if (data) {
      input->arrived_.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    } else {
      input->arrived_.append(static_cast<qsizetype>(size), '\0');
    }
    pa_stream_drop(stream);
  }
  if (!input->arrived_.isEmpty() && !input->told_.exchange(true)) {
    Q_EMIT input->SoundArrived();
  }
}
