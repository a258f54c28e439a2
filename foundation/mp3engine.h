#pragma once

#include "mp3decoder.h"

#include <QIODevice>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class AudioOutput;

// The decoder as a stream of samples for an audio output to read.
class DecodedStream : public QIODevice {
  Q_OBJECT
 public:
  explicit DecodedStream(Mp3Decoder& decoder, QObject* parent = nullptr);
  bool isSequential() const override { return true; }
  bool atEnd() const override { return finished_; }
  qint64 bytesAvailable() const override;
  void Restart();
  // Goes on from sample frame `frame` of the stream.
  void StartAt(qint64 frame);

 protected:
  qint64 readData(char* data, qint64 maxBytes) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  Mp3Decoder& decoder_;
  bool finished_ = false;
};

// Lives on the player's worker thread and carries out its commands.
class Mp3Engine : public QObject {
  Q_OBJECT
 public:
  Mp3Engine();
  ~Mp3Engine() override;

  // From any thread: `command` runs on the engine's thread, after every
  // command queued before it. The queue has a lock of its own, so that what a
  // command carries is handed over visibly to the thread checker too.
  void Queue(std::function<void(Mp3Engine&)> command);

  void InputOpen(const QString& path);
  void Play();
  // Plays from `milliseconds` into the stream, whatever played before.
  void PlayFrom(qint64 milliseconds);
  void Pause();
  void Stop();
  void InputClose();
  void Ping(int tag);
  void SetInputTimecodeGranularity(int hundredths);
  void Shutdown();

 Q_SIGNALS:
  void CommandsWaiting();
  void PlayerState(int state);
  void OutputState(int state);
  void StreamDuration(int seconds);
  void InputTimecode(int hours, int minutes, int seconds, int hundredths);
  void Pong(int tag);

 private:
  void RunCommands();
  std::unique_ptr<AudioOutput> MakeOutput();
  void StartOutput(qint64 frame);
  void CloseOutput();
  void ReportPosition();
  void OnFinished();

  std::mutex queueLock_;
  std::deque<std::function<void(Mp3Engine&)>> queue_;
  Mp3Decoder decoder_;
  std::unique_ptr<DecodedStream> stream_;
  std::unique_ptr<AudioOutput> output_;
  std::unique_ptr<AudioOutput> prepared_;  // for the next Play of the open stream
  QTimer positionTimer_;
  int durationSeconds_ = 0;
  int granularity_ = 100;
  qint64 lastReportedStep_ = -1;
  qint64 startUSecs_ = 0;  // where in the stream the output began
  bool paused_ = false;
  int playing_ = 0;  // counts the outputs started, to tell a late end from the current one's
};
