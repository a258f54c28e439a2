#pragma once

#include "drillpanel.h"
#include "exercisedata.h"
#include "ownedcomponents.h"

#include <QStringList>
#include <QVector>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class StaticText;

// The accusative drill: a sentence shown as a row of words, its translation
// above; the learner clicks every word that takes the ending -n. A right
// click appends the "n" in green, a wrong one counts a miss at once and turns
// the word red; every click explains the grammar of the word. The confirm
// button then judges the whole sentence.
class TFrame5 : public TFrame {
  Q_OBJECT
 public:
  explicit TFrame5(QWidget* parent = nullptr);

  void BitBtn1Click();  // start
  void BitBtn3Click();  // stop
  void BitBtn2Click();  // judge the sentence
  void VortKlako(int place);

  static constexpr int Places = MaxRecordFields;

  // The explanations built into the course, indexed by the K fields.
  static QStringList BuiltInExplanations();

  // The data row on display, -1 before the first sentence.
  int CurrentRow() const { return row_; }
  const DrillRun& Score() const { return panel_->Run(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void NovaFrazo();
  void LayOutWords();
  bool TakesEnding(int place) const;
  QString Explanation(int place) const;
  void Colour(int place, const char* colour);

  DrillPanel* panel_ = nullptr;
  QPushButton* confirm_ = nullptr;
  QPushButton* stop_ = nullptr;
  QGroupBox* vortoj_ = nullptr;
  StaticText* traduko_ = nullptr;
  QLabel* klarigo_ = nullptr;
  StaticText* places_[Places] = {};

  ExerciseRecords words_{};         // D: the words of each sentence, without the ending
  ExerciseRecords endings_{};       // R: "1" where the word takes the ending
  ExerciseRecords explanations_{};  // K: the number of each word's explanation
  QStringList translations_;        // T
  QStringList explanationTexts_;
  QVector<int> rows_;  // the rows that can be asked, one per scored item
  int row_ = -1;
  std::array<bool, Places> marked_{};
  int run_ = 0;  // counts the runs, so that a wait can tell that its run has ended
  bool confirming_ = false;
};
