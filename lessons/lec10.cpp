#include "lec10.h"

#include "exercisedata.h"
#include "failurenotices.h"
#include "lessoncontext.h"
#include "scoreboard.h"
#include "statictext.h"
#include "verdicts.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace {

const LessonWindowDefinition kDefinition{"lec10.ui", 11, "Lec10", "10", 12708798};

const QString kExercise = QStringLiteral("1001");

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

TForm10::TForm10(QWidget* owner) : TLessonWindow(kDefinition, owner) {}

TForm10::~TForm10() = default;

void TForm10::SetLessonContext() {
  LessonContext& context = CurrentLessonContext();
  context.WordGameCode = QStringLiteral("1003");
  context.PronunciationCode.clear();
  context.ListeningCode.clear();
}

void TForm10::LessonSetUp() {
  Scoreboard::Controls controls;
  controls.start = Component<QPushButton>("BitBtn1");
  controls.stop = Component<QPushButton>("BitBtn3");
  controls.remaining = Component<StaticText>("Placar1");
  controls.hits = Component<StaticText>("Placar2");
  controls.misses = Component<StaticText>("Placar3");
  controls.percentage = Component<StaticText>("Placar4");
  score_ = std::make_unique<Scoreboard>(Component<QFrame>("Panel2"), controls);
  answer_ = Component<QLineEdit>("MaskEdit1");
  new AnswerKeys(answer_, [this](int key) { return MaskEdit1KeyPress(key); });
  connect(controls.start, &QAbstractButton::clicked, this, &TForm10::BitBtn1Click);
  connect(controls.stop, &QAbstractButton::clicked, this, &TForm10::BitBtn3Click);
  connect(Component<QPushButton>("BitBtn2"), &QPushButton::clicked, this, &TForm10::BitBtn2Click);
}

QString TForm10::TypedTime(const QString& boxText) {
  QString time = boxText.leftJustified(5, QLatin1Char(' '), true);
  if (time[0] == QLatin1Char(' ')) time[0] = QLatin1Char('0');
  if (time[1] == QLatin1Char(' ')) time[1] = QLatin1Char('0');
  time[2] = QLatin1Char(':');
  return time.trimmed();
}

QString TForm10::BoxText() const {
  // The displayed text keeps the blanks in their places; the box's text() would squeeze them out.
  return answer_->displayText();
}

QString TForm10::CurrentTime() const {
  if (!score_->Running() || score_->Current() < 0) return QString();
  return times_.value(score_->Current());
}

void TForm10::BitBtn1Click() {
  sentences_.clear();
  times_.clear();
  LoadExerciseItems(sentences_, kExercise, QStringLiteral("D"));
  LoadExerciseItems(times_, kExercise, QStringLiteral("R"));
  // A sentence without its time could never be answered, and with no items there is nothing to draw.
  const int count = int(qMin(sentences_.size(), times_.size()));
  if (count == 0) {
    TellExerciseDataMissing(this, kExercise);
    return;
  }
  score_->Start(count);
  Component<QPushButton>("BitBtn2")->setEnabled(true);
  Component<StaticText>("Vorto0")->show();
  answer_->setEnabled(true);
  NovaFrazo();
}

void TForm10::NovaFrazo() {
  const int item = score_->Draw();
  if (item < 0) return;
  Component<StaticText>("Vorto0")->setText(sentences_[item]);
  answer_->clear();
  answer_->setCursorPosition(0);
  // The box takes the focus whatever page is active; it has it when the learner comes back.
  answer_->setFocus();
}

void TForm10::BitBtn2Click() {
  if (!score_->Running() || score_->Current() < 0) return;
  const QString typed = BoxText();
  if (typed.trimmed() == QLatin1String(":")) return;  // nothing typed
  auto* confirm = Component<QPushButton>("BitBtn2");
  auto* stop = Component<QPushButton>("BitBtn3");
  const QString expected = times_.value(score_->Current());
  if (TypedTime(typed) == expected) {
    score_->Right();
    PlayPraise();
  } else {
    confirm->setEnabled(false);
    stop->setEnabled(false);
    score_->Wrong();
    PlayNeSound();
    auto* korekta = Component<StaticText>("Korekta");
    korekta->setText(expected);
    korekta->hide();
    if (!score_->Blink({korekta}, 1.0 / 3.0, 4.0)) return;  // the window closed meanwhile
    korekta->hide();
    confirm->setEnabled(true);
    stop->setEnabled(true);
  }
  score_->ShowPercentage();
  if (score_->Remaining() != 0) {
    NovaFrazo();
  } else {
    AnnounceResult(score_->Misses(), score_->Hits(), this);
    if (Closing()) return;
    BitBtn3Click();
  }
}

void TForm10::BitBtn3Click() {
  score_->Stop();
  Component<QPushButton>("BitBtn2")->setEnabled(false);
  Component<StaticText>("Vorto0")->hide();
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
