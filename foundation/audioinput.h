#pragma once

#include "pcmformat.h"

#include <QByteArray>
#include <QObject>

#include <atomic>
#include <memory>

struct pa_stream;

// A recording stream from the sound server's default input. The server hands
// over sound on the loop's thread, which keeps it until the owner's thread
// takes it; both touch it only under the loop's lock.
class AudioInput : public QObject {
  Q_OBJECT
 public:
  // Records in `format` (the server converts from the device's own). Null
  // when no server answers, there is no input, or it refuses the stream
  // within a short time.
  static std::unique_ptr<AudioInput> Open(const PcmFormat& format, QObject* parent);
  ~AudioInput() override;

  // The sound that arrived since the last call.
  QByteArray TakeAvailable();
  // Stops recording; what arrived before stays to be taken.
  void Close();

 Q_SIGNALS:
  // Both are sent from the loop's thread: connect them queued.
  // Sound is waiting to be taken (said once until it is).
  void SoundArrived();
  // The input went away: unplugged, or the server ended.
  void Failed();

 private:
  explicit AudioInput(QObject* parent);
  // Whether the stream records a sink's monitor rather than an input; also
  // true when the server does not say within `waitMs`.
  bool RecordsAMonitor(qint64 waitMs);
  static void OnState(pa_stream* stream, void* self);
  static void OnRead(pa_stream* stream, size_t bytes, void* self);

  pa_stream* stream_ = nullptr;  // set and cleared on the owner's thread, under the lock
  QByteArray arrived_;           // under the lock
  std::atomic<bool> told_ = false;
  std::atomic<bool> failed_ = false;
};
