#pragma once

#include "lessonwindow.h"

class MemoPlayer;

// Lesson 9: more suffixes, word order and a short poem read aloud; the
// reading stops on any page change and when the window closes.
class TForm8 : public TLessonWindow {
  Q_OBJECT
 public:
  TForm8(const LessonEntry& entry, QWidget* owner);

  MemoPlayer* PoemPlayer() const { return poem_; }

  QList<LessonRecording> Recordings() const override;

 protected:
  void LessonSetUp() override;
  void LessonPageChanged() override;
  void StopPlayback() override;

 private:
  MemoPlayer* poem_ = nullptr;
};
