#include "soundserver.h"

#include <QElapsedTimer>

#include <pulse/pulseaudio.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace {

// How long a server may take to answer a new connection.
constexpr qint64 kConnectMs = 1500;
// How soon a failed connection is tried again.
constexpr qint64 kRetryMs = 1000;

struct Connection {
  std::mutex connecting;                              // one thread connects at a time
  std::atomic<pa_threaded_mainloop*> loop = nullptr;  // set once
  pa_context* context = nullptr;                      // under the loop's lock
  QElapsedTimer sinceFailure;                         // under `connecting`
};

// Made once and never freed: outputs may still be torn down while the
// program's static objects are destroyed.
Connection& TheConnection() {
  static Connection* connection = new Connection;
  return *connection;
}

bool StartLoop(Connection& connection) {
  if (connection.loop) return true;
  pa_threaded_mainloop* loop = pa_threaded_mainloop_new();
  if (!loop) return false;
  pa_threaded_mainloop_set_name(loop, "pelano-sound");
  if (pa_threaded_mainloop_start(loop) < 0) {
    pa_threaded_mainloop_free(loop);
    return false;
  }
  connection.loop = loop;
  return true;
}

// Under the loop's lock.
void DropContext(Connection& connection) {
  if (!connection.context) return;
  pa_context_set_state_callback(connection.context, nullptr, nullptr);
  pa_context_disconnect(connection.context);
  pa_context_unref(connection.context);
  connection.context = nullptr;
}

// Called with `connecting` held and the loop unlocked; returns with the loop
// locked and, when it succeeded, a ready context.
bool Connect(Connection& connection) {
  pa_threaded_mainloop_lock(connection.loop);
  if (connection.context && pa_context_get_state(connection.context) == PA_CONTEXT_READY) return true;
  DropContext(connection);
  if (connection.sinceFailure.isValid() && !connection.sinceFailure.hasExpired(kRetryMs)) return false;

  pa_mainloop_api* api = pa_threaded_mainloop_get_api(connection.loop);
  connection.context = pa_context_new(api, "Pelano de Esperanto");
  // Never starts a server of its own: without one the course plays silently.
  if (!connection.context || pa_context_connect(connection.context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
    DropContext(connection);
    connection.sinceFailure.start();
    return false;
  }
  // The loop's thread moves the context on while the lock is let go; a server
  // that accepts the connection and then says nothing is given up on.
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    const pa_context_state_t state = pa_context_get_state(connection.context);
    if (state == PA_CONTEXT_READY) {
      connection.sinceFailure.invalidate();
      return true;
    }
    if (!PA_CONTEXT_IS_GOOD(state) || clock.hasExpired(kConnectMs)) break;
    pa_threaded_mainloop_unlock(connection.loop);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    pa_threaded_mainloop_lock(connection.loop);
  }
  DropContext(connection);
  connection.sinceFailure.start();
  return false;
}

}  // namespace

namespace SoundServer {

bool Use(const std::function<void(pa_context*)>& use) {
  Connection& connection = TheConnection();
  std::lock_guard connecting(connection.connecting);
  if (!StartLoop(connection)) return false;
  const bool ready = Connect(connection);
  if (ready) use(connection.context);
  pa_threaded_mainloop_unlock(connection.loop);
  return ready;
}

pa_stream* NewStream(pa_context* context, const PcmFormat& format) {
  pa_sample_spec samples{};
  samples.format = format.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
  samples.rate = static_cast<uint32_t>(format.sampleRate);
  samples.channels = static_cast<uint8_t>(format.channels);
  return pa_stream_new(context, "Pelano de Esperanto", &samples, nullptr);
}

Lock::Lock() { pa_threaded_mainloop_lock(TheConnection().loop); }
Lock::~Lock() { pa_threaded_mainloop_unlock(TheConnection().loop); }

}  // namespace SoundServer
