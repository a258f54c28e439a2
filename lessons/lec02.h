#pragma once

#include "lessonwindow.h"
#include "songlyrics.h"

#include <QString>

class QLabel;
class QPushButton;

// Lesson 2: the feminine suffix -in-, the accusative, the prefix mal-, the
// song "Jen" with pictures and the sung line in time with the music (the
// karaoke), vocabulary and five drill pages.
//
// The karaoke keeps its state in its buttons: while the song plays, the play
// picture `Butono1` is disabled. The main window forwards the player's
// position reports to `Karaokeo` and, when the song ends while this window is
// active, hands the end of stream back to it.
class TForm2 : public TLessonWindow {
  Q_OBJECT
 public:
  TForm2(const LessonEntry& entry, QWidget* owner);
  ~TForm2() override;

  void Butono1Click();  // play the song
  void Butono3Click();  // stop the song
  void Karaokeo(int minutes, int seconds, int hundredths);
  void XButton1Click();  // open the song's page in the browser
  // The song reached its end while this window was active.
  void SongEnded();

  bool SongPlaying() const;
  int PictureShown() const { return pictureShown_; }
  // The line of the song under the pictures, empty while nothing is sung.
  QString SungLineShown() const;

  static constexpr int BeatCount = 174;
  static constexpr int PictureCount = 23;
  // The beat (of 85.6 hundredths of a second) at a position in hundredths.
  static int BeatAt(int hundredths);
  // The picture of a beat; beats past the end of the table keep the last picture.
  static int PictureOfBeat(int beat);
  // "figuroj\" + the file of a picture, 0 to 22.
  static QString PicturePath(int picture);
  static QString SongRecording();

 protected:
  void LessonSetUp() override;
  void LessonPageChanged() override;
  void StopPlayback() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowPicture(int picture);
  void ShowSungLine(const QString& line);

  QPushButton* play_ = nullptr;
  QPushButton* stop_ = nullptr;
  QLabel* image_ = nullptr;
  QLabel* link_ = nullptr;
  QLabel* lyrics_ = nullptr;
  QList<SungLine> sungLines_;
  int pictureShown_ = 0;
};
