#pragma once

#include "lessonwindow.h"

#include <QStringList>

#include <memory>

class QLineEdit;
class Scoreboard;

// Lesson 11: primitive adverbs, telling the time, paired expressions,
// question forms and interjections. Page 7 holds the time-of-day drill: an
// Esperanto sentence tells a time and the learner types it as hh:mm.
class TForm10 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm10(QWidget* owner);
  ~TForm10() override;

  void BitBtn1Click();  // start
  void BitBtn2Click();  // confirm
  void BitBtn3Click();  // stop

  // The answer the drill compares: the five characters of the answer box,
  // blanks where nothing was typed, with a blank first or second character
  // read as "0" (" 9:30" is "09:30"), then trimmed.
  static QString TypedTime(const QString& boxText);

  // The time the current sentence tells; empty when no run goes on.
  QString CurrentTime() const;
  const Scoreboard& Score() const { return *score_; }

 protected:
  void SetLessonContext() override;
  void LessonSetUp() override;

 private:
  void NovaFrazo();
  bool MaskEdit1KeyPress(int key);
  QString BoxText() const;

  std::unique_ptr<Scoreboard> score_;
  QLineEdit* answer_ = nullptr;
  QStringList sentences_;  // D
  QStringList times_;      // R, "hh:mm"
};
