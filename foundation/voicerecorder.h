#pragma once

#include "pcmformat.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class AudioInput;

// Records the learner's voice from the default input: N milliseconds of
// 16-bit PCM, mono at 22,050 Hz (the sound server converts from the device's
// own format). Everything runs on the user-interface thread; only opening the
// input waits, for the server's answer. A caller waits by processing events
// until IsRecording() turns false or Finished() arrives. Without an input
// device every call fails quietly.
class VoiceRecorder : public QObject {
  Q_OBJECT

 public:
  explicit VoiceRecorder(QObject* parent = nullptr);
  ~VoiceRecorder() override;

  // Starts a new recording of `milliseconds`, dropping the previous one. It
  // ends by itself once that much sound has arrived. False at once when there
  // is no input device or it cannot be opened.
  bool Record(int milliseconds);
  bool IsRecording() const { return recording_; }
  // Sound recorded so far.
  qint64 PositionMs() const;
  // Writes what was recorded as a 16-bit PCM WAV file, replacing the old file
  // only once the new one is complete. False when nothing was ever recorded
  // or the file cannot be written; an old file is then left as it was.
  bool SaveWav(const QString& path) const;
  // Ends the recording early, keeping what was recorded.
  void Stop();
  // Stops and releases the input device; the recorded sound is kept.
  void Close();

 Q_SIGNALS:
  // The recording ended: complete, stopped, or cut short by the device.
  void Finished();
  // The loudness of the sound that just arrived, in dB below full scale
  // (-100 for digital silence), about every 20 ms while recording: a muted
  // or silent microphone shows at once.
  void SoundLevel(float decibels);

 private:
  void ReadAvailable();
  void Watch();
  void FinishSoon();
  void Halt();
  void DropSource();

  PcmFormat format_;
  QByteArray samples_;
  qint64 targetBytes_ = 0;
  bool recording_ = false;
  bool finishReported_ = true;
  int generation_ = 0;  // tells a finished recording's late work from the next one's
  QTimer watch_;
  QElapsedTimer sinceStart_;
  QElapsedTimer sinceSound_;  // invalid until sound arrives
  int milliseconds_ = 0;
  std::unique_ptr<AudioInput> input_;
};
