#pragma once

#include "pcmformat.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <memory>

class QIODevice;
struct pa_operation;
struct pa_stream;

// Where decoded sound goes: the default output of the sound server, or, when
// there is none, a silent output that consumes the sound in real time, so
// that every notification about the stream comes when it would with a device.
// An output plays one source once; all its calls come from its own thread.
class AudioOutput : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  // Plays `source` (read until it gives no more and is at its end).
  virtual void Start(QIODevice* source) = 0;
  virtual void Suspend() = 0;
  virtual void Resume() = 0;
  // Silences the output at once and lets go of the source.
  virtual void Stop() = 0;
  // Microseconds of sound played since Start.
  virtual qint64 ProcessedUSecs() const = 0;
  virtual PcmFormat Format() const = 0;

  // The server's default output when a server answers, else silence.
  static std::unique_ptr<AudioOutput> Create(const PcmFormat& format, QObject* parent);

 Q_SIGNALS:
  // The source gave its last data and that data has been heard.
  void Finished();
};

class SilentOutput : public AudioOutput {
  Q_OBJECT
 public:
  // Going on from another output: `playedUSecs` of sound were heard there,
  // and `heldUSecs` more had been taken from the source but not yet heard;
  // they are played (silently) before the source is read on.
  SilentOutput(const PcmFormat& format, QObject* parent, qint64 playedUSecs = 0, qint64 heldUSecs = 0);
  void Start(QIODevice* source) override;
  void Suspend() override;
  void Resume() override;
  void Stop() override;
  qint64 ProcessedUSecs() const override;
  PcmFormat Format() const override { return format_; }

 private:
  void Consume();

  PcmFormat format_;
  qint64 startUSecs_;
  qint64 heldBytes_;
  QPointer<QIODevice> source_;
  QTimer tick_;
  QElapsedTimer clock_;
  qint64 playedUSecs_ = 0;  // before the current run of the clock
  qint64 consumedBytes_ = 0;
  bool running_ = false;
};

// A playback stream on the sound server. The server asks for data on the
// loop's thread, which reads the source there with the loop's lock held; the
// owner's thread touches the stream and the source only under that lock. When
// the server fails or stops asking for data, the output goes on as a silent
// one from where the sound was, so the stream still ends when it would.
class DeviceOutput : public AudioOutput {
  Q_OBJECT
 public:
  // Null when no server answers or it refuses the stream.
  static std::unique_ptr<DeviceOutput> Open(const PcmFormat& format, QObject* parent);
  ~DeviceOutput() override;
  void Start(QIODevice* source) override;
  void Suspend() override;
  void Resume() override;
  void Stop() override;
  qint64 ProcessedUSecs() const override;
  PcmFormat Format() const override { return format_; }

 Q_SIGNALS:
  // Sent from the loop's thread, heard on the owner's.
  void StreamDrained();
  void StreamFailed();

 private:
  DeviceOutput(const PcmFormat& format, QObject* parent);
  static void OnState(pa_stream* stream, void* self);
  static void OnWrite(pa_stream* stream, size_t bytes, void* self);
  static void OnDrained(pa_stream* stream, int success, void* self);
  // Under the lock.
  void Fill(size_t bytes);
  void Uncork();
  void Release();
  qint64 StreamUSecs() const;
  // On the owner's thread.
  void Watch();
  void FallSilent();
  void TellFinished();

  PcmFormat format_;
  // Under the loop's lock.
  pa_stream* stream_ = nullptr;
  pa_operation* drain_ = nullptr;
  QIODevice* source_ = nullptr;
  bool started_ = false;
  bool paused_ = false;
  bool sourceDone_ = false;
  qint64 writtenBytes_ = 0;
  mutable qint64 lastUSecs_ = 0;
  // Milliseconds on a steady clock when the server last asked for data or
  // the last data was given; the watch compares them with the time now.
  std::atomic<qint64> lastRequestMs_ = 0;
  std::atomic<qint64> drainSinceMs_ = -1;
  std::atomic<bool> failed_ = false;

  QTimer watch_;
  std::unique_ptr<SilentOutput> fallback_;
};
