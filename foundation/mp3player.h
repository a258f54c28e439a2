#pragma once

#include <QObject>
#include <QString>

class QThread;
class Mp3Engine;

// The program's single MP3 player. Commands are queued to a worker thread
// that decodes with libmpg123 and plays on the sound server's default output; they
// return at once and take effect in order. Notifications come back on the
// user-interface thread, in order. After Ping(tag) is answered by
// NotifyPong(tag), every earlier command has taken effect.
class Mp3Player : public QObject {
  Q_OBJECT
 public:
  enum PlayerStates { Stopped = 0, Playing = 1, Paused = 2, EndOfStream = 3 };

  explicit Mp3Player(QObject* parent = nullptr);
  ~Mp3Player() override;

  void InputOpen(const QString& path);  // replaces whatever was playing, at once
  void Play();                          // from the start, or on from a pause
  void PlayFrom(qint64 milliseconds);   // from that point of the stream; timecodes count from its start
  void Pause();
  void Stop();  // back to the start of the stream
  void InputClose();
  void Ping(int tag);
  void SetPlayerMode(int mode);
  void SetCodecEqualizer();
  // Position reports every `hundredths` hundredths of a second of playing.
  void SetInputTimecodeGranularity(int hundredths);

  // What the notifications told so far.
  int StreamDuration() const { return streamDuration_; }
  void ClearStreamDuration() { streamDuration_ = 0; }
  bool Idle() const { return idle_; }
  bool OutputOpen() const { return outputOpen_; }
  int LastPong() const { return lastPong_; }

 Q_SIGNALS:
  void NotifyPlayerState(int state);
  void NotifyOutputState(int state);
  void NotifyStreamDuration(int seconds);
  void NotifyInputTimecode(int hours, int minutes, int seconds, int hundredths);
  void NotifyPong(int tag);

 private:
  QThread* thread_;
  Mp3Engine* engine_;
  int streamDuration_ = 0;
  bool idle_ = true;
  bool outputOpen_ = false;
  int lastPong_ = -1;
};

// The program's player, owned by the main window; null before it exists.
Mp3Player* Mp3();
void SetMp3(Mp3Player* player);
