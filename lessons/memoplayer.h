#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QPushButton;
class QWidget;

// The play / pause / stop trio that plays one recording on a lesson page.
// Its state is the enabled state of its buttons: play is disabled while the
// recording is open, pause/resume is enabled while it is open, stop is
// enabled while it plays (not while paused).
class MemoPlayer : public QObject {
  Q_OBJECT
 public:
  // Connects the three buttons, sets their initial state and makes the
  // window's trios return to it when the player reaches the end of a
  // recording while the window is active. `recording` is a data path such
  // as "sonoj\lec04\memo1.mp3". The trio belongs to `window`.
  MemoPlayer(QWidget* window, QPushButton* play, QPushButton* pauseResume, QPushButton* stop, QString recording);

  void Play();           // Butono1Click
  void PauseOrResume();  // Butono2Click
  void Stop();           // Butono3Click

  // Open: playing or paused, i.e. the play button is disabled.
  bool IsOpen() const;
  // Stops the recording when it is open; what a page change or closing does.
  void StopIfOpen();

  const QString& Recording() const { return recording_; }

 private:
  QWidget* window_;
  QPointer<QPushButton> play_;
  QPointer<QPushButton> pauseResume_;
  QPointer<QPushButton> stop_;
  QString recording_;
};
