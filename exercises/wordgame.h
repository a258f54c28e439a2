#pragma once

#include "drillpanel.h"
#include "ownedcomponents.h"

#include <QStringList>

class QCheckBox;
class QGroupBox;
class StaticText;

// The word game: an Esperanto word at the top and five answers below; the
// learner ticks the one that translates it. The items point at the hosting
// lesson window: D names a speaking button (the word), R a label (the answer).
class TFrame1 : public TFrame {
  Q_OBJECT
 public:
  explicit TFrame1(QWidget* parent = nullptr);

  void BitBtn18Click();  // start
  void BitBtn20Click();  // stop
  void GrupoClick(QCheckBox* clicked);

  // Which of the five boxes holds the right answer of the current question.
  int RightPosition() const { return right_; }
  const DrillRun& Score() const { return panel_->Run(); }

 private:
  void NovaFrazo3();
  QString WordOfItem(int item) const;
  QString AnswerOfItem(int item) const;
  QCheckBox* Box(int position) const { return boxes_[position]; }

  DrillPanel* panel_ = nullptr;
  QCheckBox* boxes_[5] = {};
  QGroupBox* grupo_ = nullptr;
  StaticText* vorto_ = nullptr;
  QStringList words_;    // D
  QStringList answers_;  // R
  int right_ = 0;
};

// A drill item that is a whole number above 0 names the component "Button" +
// that number; any other item is shown as it is.
QString ButtonCaptionOrText(QWidget* window, const QString& item);
