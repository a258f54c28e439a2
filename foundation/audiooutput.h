#pragma once

#include <QAudioFormat>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QAudioSink;
class QIODevice;

// Where decoded sound goes: the default output device, or, when there is
// none, a silent output that consumes the sound in real time, so that every
// notification about the stream comes when it would with a device.
class AudioOutput : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  // Plays `source` (read until it gives no more) in `format`.
  virtual void Start(QIODevice* source) = 0;
  virtual void Suspend() = 0;
  virtual void Resume() = 0;
  virtual void Stop() = 0;
  // Microseconds of sound played since Start.
  virtual qint64 ProcessedUSecs() const = 0;
  virtual QAudioFormat Format() const = 0;

  // The default device when there is one that takes `format`, else silence.
  static std::unique_ptr<AudioOutput> Create(const QAudioFormat& format, QObject* parent);
  // The format the default device would rather have, or `format` when it takes
  // it as it is (or there is no device).
  static QAudioFormat SupportedFormat(const QAudioFormat& format);

 Q_SIGNALS:
  // The source gave its last data and that data has been played.
  void Finished();
};

class DeviceOutput : public AudioOutput {
  Q_OBJECT
 public:
  DeviceOutput(const QAudioFormat& format, QObject* parent);
  ~DeviceOutput() override;
  void Start(QIODevice* source) override;
  void Suspend() override;
  void Resume() override;
  void Stop() override;
  qint64 ProcessedUSecs() const override;
  QAudioFormat Format() const override;

 private:
  std::unique_ptr<QAudioSink> sink_;
  QPointer<QIODevice> source_;
  bool stopping_ = false;
};

class SilentOutput : public AudioOutput {
  Q_OBJECT
 public:
  SilentOutput(const QAudioFormat& format, QObject* parent);
  void Start(QIODevice* source) override;
  void Suspend() override;
  void Resume() override;
  void Stop() override;
  qint64 ProcessedUSecs() const override;
  QAudioFormat Format() const override { return format_; }

 private:
  void Consume();

  QAudioFormat format_;
  QPointer<QIODevice> source_;
  QTimer tick_;
  QElapsedTimer clock_;
  qint64 playedUSecs_ = 0;  // before the current run of the clock
  qint64 consumedBytes_ = 0;
  bool running_ = false;
};
