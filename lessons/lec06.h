#pragma once

#include "lessonwindow.h"

class MemoPlayer;

// Lesson 7: prepositions and two reading texts, each with a player for its
// recording; neither recording plays on past a page change or the closing.
class TForm6 : public TLessonWindow {
  Q_OBJECT
 public:
  TForm6(const LessonEntry& entry, QWidget* owner);

  MemoPlayer* FirstTextPlayer() const { return firstText_; }
  MemoPlayer* SecondTextPlayer() const { return secondText_; }

  QList<LessonRecording> Recordings() const override;

 protected:
  void LessonSetUp() override;
  void LessonPageChanged() override;
  void StopPlayback() override;

 private:
  void StopReadings();

  MemoPlayer* firstText_ = nullptr;
  MemoPlayer* secondText_ = nullptr;
};
