#pragma once

#include "lessonwindow.h"

#include <QStringList>

class MemoPlayer;
class QMimeData;
class StaticText;

// Lesson 4: greetings, dates, questions with "Ĉu", vocabulary and a reading
// text, with the question drag game: the learner drags "Ĉu" in front of a
// statement and "?" onto its final point, turning it into a question.
class TForm4 : public TLessonWindow {
  Q_OBJECT
 public:
  TForm4(const LessonEntry& entry, QWidget* owner);

  void BitBtn1Click();  // start
  void BitBtn2Click();  // judge the sentence
  void BitBtn3Click();  // stop

  // A drop of one of the two pieces (`Cxu`, `Demando`) on one of the two
  // places (`Cxu_Dest`, `Punkto`): the place takes the piece's caption.
  // Either place takes either piece; only the judgement tells right from wrong.
  void Cxu_DestDragDrop(StaticText* target, const StaticText* source);

  // What a piece carries while it is dragged, and the piece a drop carries
  // (null when the data is not one of this window's pieces).
  static QMimeData* PieceMimeData(const StaticText* piece);
  StaticText* DroppedPiece(const QMimeData* data) const;

  // The statement on display; empty when no run goes on.
  QString CurrentStatement() const;
  MemoPlayer* ReadingPlayer() const { return readingPlayer_; }

  QList<LessonRecording> Recordings() const override;

 protected:
  void LessonSetUp() override;
  void StopPlayback() override;

 private:
  friend class QuestionPieceEvents;

  void NovaFrazo();
  void StartDrag(StaticText* piece);

  MemoPlayer* readingPlayer_ = nullptr;
  DrillPanel* panel_ = nullptr;
  QStringList statements_;
  bool judging_ = false;
};
