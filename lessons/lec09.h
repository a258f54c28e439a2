#pragma once

#include "lessonwindow.h"

class MemoPlayer;

// Lesson 10: moods, indirect speech, important verbs, participles and "si".
// Two gap-filling pages whose run ends when the learner comes back to them,
// and three reading pages, each with a player that reads its text aloud.
class TForm9 : public TLessonWindow {
  Q_OBJECT
 public:
  TForm9(const LessonEntry& entry, QWidget* owner);

  // The readings' recordings, each saying the Esperanto text of its page.
  QList<LessonRecording> Recordings() const override;

  // The trios of pages 8 (BitBtn10..12), 12 (BitBtn7..9) and 13 (Butono1..3).
  MemoPlayer* FirstReadingPlayer() const { return bitBtn10Trio_; }
  MemoPlayer* SecondReadingPlayer() const { return bitBtn7Trio_; }
  MemoPlayer* ThirdReadingPlayer() const { return butono1Trio_; }

 protected:
  void LessonSetUp() override;
  void LessonPageChanged() override;
  void StopPlayback() override;

 private:
  void EndRunOnReturn(const QString& pageName, const QString& frameName);
  QString ReadingText(const QString& pageName) const;

  MemoPlayer* bitBtn10Trio_ = nullptr;
  MemoPlayer* bitBtn7Trio_ = nullptr;
  MemoPlayer* butono1Trio_ = nullptr;
};
