#include "lec03.h"

#include "exercisedata.h"
#include "failurenotices.h"
#include "lessoncontext.h"
#include "statictext.h"
#include "verdicts.h"
#include "waiting.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>

namespace {

const LessonWindowDefinition kDefinition{"lec03.ui", 3, "Lec03", "03", 12119015};

}  // namespace

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

TForm3::TForm3(QWidget* owner) : TLessonWindow(kDefinition, owner) {}

void TForm3::SetLessonContext() {
  LessonContext& context = CurrentLessonContext();
  context.WordGameCode = QStringLiteral("0303");
  context.PronunciationCode = QStringLiteral("0302");
  context.ListeningCode = QStringLiteral("0302");
}

void TForm3::LessonSetUp() {
  connect(Own<QPushButton>("BitBtn1"), &QPushButton::clicked, this, &TForm3::BitBtn1Click);
  connect(Own<QPushButton>("BitBtn2"), &QPushButton::clicked, this, &TForm3::BitBtn2Click);
  connect(Own<QPushButton>("BitBtn3"), &QPushButton::clicked, this, &TForm3::BitBtn3Click);
  Own<QLineEdit>("Edit1")->installEventFilter(new NumberEntryKeys(this));
}

qint64 TForm3::ReadWholeNumber(const QString& text) {
  bool ok = false;
  // Ten digits exceed a 32-bit integer; every number the mask lets through is read.
  const qint64 number = text.toLongLong(&ok);
  return ok ? number : 0;
}

bool TForm3::RunGoesOn() const { return Own<QPushButton>("BitBtn3")->isEnabled() && !Closing(); }

QString TForm3::CurrentNumber() const {
  return (RunGoesOn() || judging_) && current_ >= 0 ? words_.value(current_) : QString();
}

void TForm3::BitBtn1Click() {
  auto* start = Own<QPushButton>("BitBtn1");
  if (!start->isEnabled()) return;
  words_.clear();
  digits_.clear();
  const int count = LoadExerciseItems(words_, QStringLiteral("0301"), QStringLiteral("D"));
  // Without numbers there is nothing to dictate; the drill stays idle.
  if (count == 0) {
    TellExerciseDataMissing(this, QStringLiteral("0301"));
    return;
  }
  LoadExerciseItems(digits_, QStringLiteral("0301"), QStringLiteral("R"));
  start->setEnabled(false);
  Own<QPushButton>("BitBtn3")->setEnabled(true);
  Own<StaticText>("Placar1")->setText(QString::number(count));
  Own<StaticText>("Placar2")->setText(QStringLiteral("00"));
  Own<StaticText>("Placar3")->setText(QStringLiteral("00"));
  Own<StaticText>("Placar4")->setText(QStringLiteral("00%"));
  right_ = wrong_ = 0;
  Own<StaticText>("Vorto0")->show();
  Own<QPushButton>("BitBtn2")->setEnabled(true);
  done_.fill(false, count);
  NovaFrazo();
}

void TForm3::NovaFrazo() {
  if (done_.count(false) == 0) return;
  do {
    current_ = QRandomGenerator::global()->bounded(int(done_.size()));
  } while (done_[current_]);
  auto* number = Own<StaticText>("Vorto0");
  number->setText(words_[current_]);
  number->adjustSize();
  number->move((Own<QFrame>("Panel2")->width() - number->width()) / 2, number->y());
  auto* edit = Own<QLineEdit>("Edit1");
  edit->clear();
  edit->setEnabled(true);
  edit->setFocus();
}

void TForm3::ShowCorrection(const QString& expected) {
  // As FlashCorrection, but a window that closes meanwhile ends it at once.
  QPointer<TForm3> self = this;
  auto* correction = Own<StaticText>("Korekta");
  correction->setText(expected);
  QElapsedTimer clock;
  clock.start();
  int flips = 0;
  WaitUntil(
      [&] {
        if (!self || Closing()) return true;
        if (clock.elapsed() * 3 > qint64(flips) * 1000) {
          correction->setVisible(!correction->isVisible());
          ++flips;
        }
        return clock.elapsed() > 4000;
      },
      4.5);
  if (self) correction->hide();
}

void TForm3::BitBtn2Click() {
  // Detached while an answer is judged: a second click or Enter meanwhile does nothing.
  if (judging_ || !RunGoesOn() || current_ < 0) return;
  auto* edit = Own<QLineEdit>("Edit1");
  const QString typed = edit->text();
  if (typed.trimmed().isEmpty()) return;
  judging_ = true;
  QPointer<TForm3> self = this;
  auto* answer = Own<QPushButton>("BitBtn2");
  auto* stop = Own<QPushButton>("BitBtn3");
  auto* remaining = Own<StaticText>("Placar1");
  const QString expected = digits_.value(current_);
  if (ReadWholeNumber(NormalizeAnswer(typed)) == ReadWholeNumber(expected)) {
    ++right_;
    remaining->setText(QString::number(remaining->text().toInt() - 1));
    Own<StaticText>("Placar2")->setText(QString::number(right_));
    done_[current_] = true;
    PlayPraise();
    WaitUntil([&] { return !self || Closing(); }, 2.0);
  } else {
    answer->setEnabled(false);
    stop->setEnabled(false);
    ++wrong_;
    Own<StaticText>("Placar3")->setText(QString::number(wrong_));
    PlayNeSound();
    ShowCorrection(expected);
    if (self && !Closing()) {
      answer->setEnabled(true);
      stop->setEnabled(true);
    }
  }
  if (!self || Closing()) return;
  judging_ = false;
  Own<StaticText>("Placar4")->setText(QString::number(ResultPercentage(wrong_, right_)) + QLatin1Char('%'));
  // Stopped during the pause after a right answer: no further number.
  if (!stop->isEnabled()) return;
  if (remaining->text().toInt() < 1) {
    AnnounceResult(wrong_, right_, this);
    BitBtn3Click();
  } else {
    NovaFrazo();
  }
}

void TForm3::BitBtn3Click() {
  Own<QPushButton>("BitBtn1")->setEnabled(true);
  Own<QPushButton>("BitBtn3")->setEnabled(false);
  Own<QPushButton>("BitBtn2")->setEnabled(false);
  Own<StaticText>("Vorto0")->hide();
  auto* edit = Own<QLineEdit>("Edit1");
  edit->setEnabled(false);
  edit->clear();
}
