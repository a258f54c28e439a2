#pragma once

#include "drillpanel.h"
#include "ownedcomponents.h"

#include <QStringList>

class QLineEdit;
class QPushButton;
class StaticText;

// Listening comprehension: the program speaks a word or sentence, the
// learner types what was heard and confirms with ENTER; right answers fill
// the panel of 48 result lines, a wrong one shows the right text for a
// moment and the item comes back later.
class TFrame3 : public TFrame {
  Q_OBJECT
 public:
  explicit TFrame3(QWidget* parent = nullptr);

  void BitBtn8Click();   // start
  void BitBtn9Click();   // hear again
  void BitBtn10Click();  // stop
  void Analizu();

  // At most this many items are asked in one run, one per result line.
  static constexpr int ResultLines = 48;

  // What the current item expects, as the window shows it.
  QString ExpectedAnswer() const;
  const QString& CurrentSound() const { return currentSound_; }
  const DrillRun& Score() const { return panel_->Run(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void NovaFrazo2();
  StaticText* ResultLine(int number) const;
  // Lays the result lines out in as many columns as the run's longest
  // answer allows, so that every answer shows whole.
  void LayOutResultLines(int lines);

  DrillPanel* panel_ = nullptr;
  bool judging_ = false;
  QLineEdit* edit_ = nullptr;
  QPushButton* repeat_ = nullptr;
  QPushButton* stop_ = nullptr;
  StaticText* korekta_ = nullptr;
  QStringList items_;
  QString currentSound_;
};
