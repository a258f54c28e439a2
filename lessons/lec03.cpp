#include "lec03.h"

#include "drilljudges.h"
#include "drillpanel.h"
#include "exercisedata.h"
#include "failurenotices.h"
#include "statictext.h"
#include "verdicts.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

// Edit1KeyPress: Enter in the answer field is swallowed and confirms the answer.
class NumberEntryKeys : public QObject {
 public:
  explicit NumberEntryKeys(TForm3* form) : QObject(form), form_(form) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    form_->BitBtn2Click();
    return true;
  }

 private:
  TForm3* form_;
};

TForm3::TForm3(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}

void TForm3::LessonSetUp() {
  panel_ = OwnDrillPanel();
  DrillPanel::KeepPlaceWhenHidden(Own<StaticText>("Korekta"));
  connect(Own<QPushButton>("BitBtn1"), &QPushButton::clicked, this, &TForm3::BitBtn1Click);
  connect(Own<QPushButton>("BitBtn2"), &QPushButton::clicked, this, &TForm3::BitBtn2Click);
  connect(Own<QPushButton>("BitBtn3"), &QPushButton::clicked, this, &TForm3::BitBtn3Click);
  Own<QLineEdit>("Edit1")->installEventFilter(new NumberEntryKeys(this));
}

QString TForm3::CurrentNumber() const {
  const DrillRun& run = panel_->Run();
  return (run.Running() || judging_) && run.Current() >= 0 ? words_.value(run.Current()) : QString();
}

void TForm3::BitBtn1Click() {
  if (panel_->Running()) return;
  const QString code = QLatin1String(Codes().own);
  words_.clear();
  digits_.clear();
  const int count = LoadExerciseItems(words_, code, QStringLiteral("D"));
  // Without numbers there is nothing to dictate; the drill stays idle.
  if (count == 0) {
    TellExerciseDataMissing(this, code);
    return;
  }
  LoadExerciseItems(digits_, code, QStringLiteral("R"));
  panel_->Start(count);
  judging_ = false;
  Own<StaticText>("Vorto0")->show();
  Own<QPushButton>("BitBtn2")->setEnabled(true);
  NovaFrazo();
}

void TForm3::NovaFrazo() {
  const int current = panel_->Run().Draw();
  if (current < 0) return;
  auto* number = Own<StaticText>("Vorto0");
  number->setText(words_[current]);
  number->adjustSize();
  number->move((Own<QFrame>("Panel2")->width() - number->width()) / 2, number->y());
  auto* edit = Own<QLineEdit>("Edit1");
  edit->clear();
  edit->setEnabled(true);
  edit->setFocus();
}

void TForm3::BitBtn2Click() {
  // Detached while an answer is judged: a second click or Enter meanwhile does nothing.
  const DrillRun& run = panel_->Run();
  if (judging_ || !run.Running() || run.Current() < 0) return;
  auto* edit = Own<QLineEdit>("Edit1");
  const QString typed = edit->text();
  if (typed.trimmed().isEmpty()) return;
  judging_ = true;
  auto* answer = Own<QPushButton>("BitBtn2");
  const QString expected = digits_.value(run.Current());
  if (JudgeNumber(typed, expected)) {
    panel_->Right();
    PlayPraise();
    if (!panel_->Pause(DrillTimings::AfterPraise)) return;
  } else {
    answer->setEnabled(false);
    panel_->HoldStop(true);
    panel_->Wrong();
    PlayNeSound();
    auto* correction = Own<StaticText>("Korekta");
    correction->setText(expected);
    if (!panel_->Blink({correction}, DrillTimings::Correction, DrillPanel::AfterBlink::Hidden)) return;
    answer->setEnabled(true);
    panel_->HoldStop(false);
  }
  judging_ = false;
  // Stopped during the pause after a right answer: no further number.
  if (!run.Running()) return;
  if (!run.Complete()) {
    NovaFrazo();
  } else if (panel_->AnnounceVerdict()) {
    BitBtn3Click();
  }
}

void TForm3::BitBtn3Click() {
  panel_->Stop();
  Own<QPushButton>("BitBtn2")->setEnabled(false);
  Own<StaticText>("Vorto0")->hide();
  auto* edit = Own<QLineEdit>("Edit1");
  edit->setEnabled(false);
  edit->clear();
}
