#pragma once

#include "lessonwindow.h"

#include <QStringList>

// Lesson 3: adverbs, numerals, ordinal numerals and numeral adverbs, with the
// number dictation: a number is shown in Esperanto words and the learner
// types it in digits.
class TForm3 : public TLessonWindow {
  Q_OBJECT
 public:
  TForm3(const LessonEntry& entry, QWidget* owner);

  void BitBtn1Click();  // start
  void BitBtn2Click();  // judge the typed number (also Enter in Edit1)
  void BitBtn3Click();  // stop

  // The number on display in words; empty when no run goes on.
  QString CurrentNumber() const;

 protected:
  void LessonSetUp() override;

 private:
  friend class NumberEntryKeys;
  void NovaFrazo();

  DrillPanel* panel_ = nullptr;
  QStringList words_;
  QStringList digits_;
  bool judging_ = false;
};
