#pragma once

#include "lessonwindow.h"

#include <QStringList>

class QLineEdit;
class DrillRun;

// Lesson 11: primitive adverbs, telling the time, paired expressions,
// question forms and interjections. Page 7 holds the time-of-day drill: an
// Esperanto sentence tells a time and the learner types it as hh:mm.
class TForm10 : public TLessonWindow {
  Q_OBJECT
 public:
  TForm10(const LessonEntry& entry, QWidget* owner);

  void BitBtn1Click();  // start
  void BitBtn2Click();  // confirm
  void BitBtn3Click();  // stop

  // The time the current sentence tells; empty when no run goes on.
  QString CurrentTime() const;
  const DrillRun& Score() const;

 protected:
  void LessonSetUp() override;

 private:
  void NovaFrazo();
  bool MaskEdit1KeyPress(int key);
  QString BoxText() const;

  DrillPanel* panel_ = nullptr;
  QLineEdit* answer_ = nullptr;
  QStringList sentences_;  // D
  QStringList times_;      // R, "hh:mm"
};
