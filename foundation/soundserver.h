#pragma once

#include "pcmformat.h"

#include <functional>

struct pa_context;
struct pa_stream;

// The program's one connection to the sound server (PulseAudio, or PipeWire
// through its PulseAudio service), run by libpulse's threaded main loop. Its
// callbacks run on the loop's own thread, with the loop's lock held; every
// other thread touches the server's objects only while holding that lock, so
// no callback can run while a stream is stopped or deleted.
namespace SoundServer {

// Runs `use` with the loop locked and a ready context, connecting first when
// there is none or the last one failed. False, without running it, when no
// server answers within a short time; a failed connection is tried again on
// a later call, at most about once a second, so that a missing server costs
// nothing while the course plays silently.
bool Use(const std::function<void(pa_context*)>& use);

// A new stream of the course's sound in `format`; called inside Use.
pa_stream* NewStream(pa_context* context, const PcmFormat& format);

// Holds the loop's lock. Never taken from inside a callback, which already
// holds it.
class Lock {
 public:
  Lock();
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
};

}  // namespace SoundServer
