#pragma once

#include "drillpanel.h"
#include "exercisedata.h"
#include "ownedcomponents.h"

#include <QStringList>
#include <QVector>

class QGroupBox;
class QLineEdit;
class QPushButton;
class StaticText;

// Gap filling: a sentence shown as six fragments with up to five gaps between
// them, its translation above; the learner types the missing parts and
// confirms with the button or ENTER. The exercise code is the caption of the
// frame's own `Ekzerco`, so that one window can hold several of these frames,
// each with its own exercise.
class TFrame4 : public TFrame {
  Q_OBJECT
 public:
  explicit TFrame4(QWidget* parent = nullptr);

  void BitBtn4Click();  // start
  void BitBtn5Click();  // stop
  void BitBtn6Click();  // judge the sentence

  static constexpr int Gaps = 5;

  // The data row on display, -1 before the first sentence.
  int CurrentRow() const { return row_; }
  const DrillRun& Score() const { return panel_->Run(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void NovaFrazo4();
  bool GapExists(int row, int gap) const;
  void PrepareGap(int gap);
  void LayOutSentence();
  void EditKeyPress(int gap);
  void EnableAnswers(bool enabled);

  DrillPanel* panel_ = nullptr;
  QPushButton* confirm_ = nullptr;
  QPushButton* stop_ = nullptr;
  QGroupBox* tajpujo_ = nullptr;
  QGroupBox* korektujo_ = nullptr;
  StaticText* traduko_ = nullptr;
  StaticText* medida_ = nullptr;
  StaticText* fragments_[Gaps + 1] = {};
  QLineEdit* edits_[Gaps] = {};
  StaticText* corrections_[Gaps] = {};

  ExerciseRecords sentences_{};  // D: fields 0 to 5 are the fragments
  ExerciseRecords answers_{};    // R: fields 0 to 4 are the gaps, empty where a gap does not exist
  QStringList translations_;     // T
  QVector<int> rows_;            // the rows that can be asked, one per scored item
  int row_ = -1;
  int run_ = 0;  // counts the runs, so that a wait can tell that its run has ended
  bool judging_ = false;
};
