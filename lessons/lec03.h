#pragma once

#include "lessonwindow.h"
#include "ownedcomponents.h"

#include <QStringList>
#include <QVector>

// Lesson 3: adverbs, numerals, ordinal numerals and numeral adverbs, with the
// number dictation: a number is shown in Esperanto words and the learner
// types it in digits.
class TForm3 : public TLessonWindow {
  Q_OBJECT
 public:
  explicit TForm3(QWidget* owner);

  void BitBtn1Click();  // start
  void BitBtn2Click();  // judge the typed number (also Enter in Edit1)
  void BitBtn3Click();  // stop

  // The number on display in words; empty when no run goes on.
  QString CurrentNumber() const;

  // A number as the dictation reads it: a whole number, 0 when the text is
  // not one.
  static qint64 ReadWholeNumber(const QString& text);

 protected:
  void SetLessonContext() override;
  void LessonSetUp() override;

 private:
  // The window's own component of that name; the frames inside hold
  // components of the same names (Edit1, Korekta, Panel2, ...).
  template <typename T>
  T* Own(const char* name) const {
    return qobject_cast<T*>(OwnedComponent(const_cast<TForm3*>(this), QLatin1String(name)));
  }

  friend class NumberEntryKeys;
  void NovaFrazo();
  void ShowCorrection(const QString& expected);
  bool RunGoesOn() const;

  QStringList words_;
  QStringList digits_;
  QVector<bool> done_;
  int current_ = -1;
  int right_ = 0;
  int wrong_ = 0;
  bool judging_ = false;
};
