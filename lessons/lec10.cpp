#include "lec10.h"

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

#include <functional>

namespace {

// Hands the keys pressed in the answer box to the drill before the box sees them.
class AnswerKeys : public QObject {
 public:
  AnswerKeys(QObject* box, std::function<bool(int key)> handler) : QObject(box), handler_(std::move(handler)) {
    box->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    return event->type() == QEvent::KeyPress && handler_(static_cast<QKeyEvent*>(event)->key());
  }

 private:
  std::function<bool(int key)> handler_;
};

}  // namespace

TForm10::TForm10(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}

const DrillRun& TForm10::Score() const { return panel_->Run(); }

void TForm10::LessonSetUp() {
  panel_ = OwnDrillPanel();
  DrillPanel::KeepPlaceWhenHidden(Own<StaticText>("Korekta"));
  answer_ = Own<QLineEdit>("MaskEdit1");
  new AnswerKeys(answer_, [this](int key) { return MaskEdit1KeyPress(key); });
  connect(Own<QPushButton>("BitBtn1"), &QAbstractButton::clicked, this, &TForm10::BitBtn1Click);
  connect(Own<QPushButton>("BitBtn3"), &QAbstractButton::clicked, this, &TForm10::BitBtn3Click);
  connect(Component<QPushButton>("BitBtn2"), &QPushButton::clicked, this, &TForm10::BitBtn2Click);
}

QString TForm10::BoxText() const {
  // The displayed text keeps the blanks in their places; the box's text() would squeeze them out.
  return answer_->displayText();
}

QString TForm10::CurrentTime() const {
  const DrillRun& run = panel_->Run();
  if (!run.Running() || run.Current() < 0) return QString();
  return times_.value(run.Current());
}

void TForm10::BitBtn1Click() {
  sentences_.clear();
  times_.clear();
  const QString code = QLatin1String(Codes().own);
  LoadExerciseItems(sentences_, code, QStringLiteral("D"));
  LoadExerciseItems(times_, code, QStringLiteral("R"));
  // A sentence without its time could never be answered, and with no items there is nothing to draw.
  const int count = int(qMin(sentences_.size(), times_.size()));
  if (count == 0) {
    TellExerciseDataMissing(this, code);
    return;
  }
  panel_->Start(count);
  Component<QPushButton>("BitBtn2")->setEnabled(true);
  Component<StaticText>("Vorto0")->show();
  answer_->setEnabled(true);
  NovaFrazo();
}

void TForm10::NovaFrazo() {
  const int item = panel_->Run().Draw();
  if (item < 0) return;
  Component<StaticText>("Vorto0")->setText(sentences_[item]);
  answer_->clear();
  answer_->setCursorPosition(0);
  // The box takes the focus whatever page is active; it has it when the learner comes back.
  answer_->setFocus();
}

void TForm10::BitBtn2Click() {
  const DrillRun& run = panel_->Run();
  if (!run.Running() || run.Current() < 0) return;
  const QString typed = BoxText();
  if (typed.trimmed() == QLatin1String(":")) return;  // nothing typed
  auto* confirm = Own<QPushButton>("BitBtn2");
  const QString expected = times_.value(run.Current());
  if (JudgeTimeOfDay(typed, expected)) {
    panel_->Right();
    PlayPraise();
  } else {
    confirm->setEnabled(false);
    panel_->HoldStop(true);
    panel_->Wrong();
    PlayNeSound();
    auto* korekta = Own<StaticText>("Korekta");
    korekta->setText(expected);
    korekta->hide();
    if (!panel_->Blink({korekta}, DrillTimings::Correction, DrillPanel::AfterBlink::Hidden)) return;
    confirm->setEnabled(true);
    panel_->HoldStop(false);
  }
  if (!run.Complete()) {
    NovaFrazo();
  } else if (panel_->AnnounceVerdict()) {
    BitBtn3Click();
  }
}

void TForm10::BitBtn3Click() {
  panel_->Stop();
  Own<QPushButton>("BitBtn2")->setEnabled(false);
  Own<StaticText>("Vorto0")->hide();
  answer_->setEnabled(false);
}

bool TForm10::MaskEdit1KeyPress(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    // Not honoured while the right time of a wrong answer is shown: confirm is disabled then.
    Component<QPushButton>("BitBtn2")->click();
    return true;
  }
  if (key == Qt::Key_Colon && answer_->cursorPosition() == 1 && BoxText().at(1) == QLatin1Char(' ')) {
    // One digit and then the colon: that digit is the hour, "9:" stands for " 9:".
    answer_->setText(QStringLiteral(" ") + BoxText().left(1) + BoxText().mid(2));
    answer_->setCursorPosition(3);
    return true;
  }
  return false;
}
