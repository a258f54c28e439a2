#include "listening.h"

#include "coursesounds.h"
#include "exercisedata.h"
#include "failurenotices.h"
#include "layoutpaths.h"
#include "lessoncontext.h"
#include "letters.h"
#include "playerhelpers.h"
#include "programpaths.h"
#include "statictext.h"
#include "storedpictures.h"
#include "translator.h"
#include "uiloader.h"
#include "verdicts.h"
#include "wordgame.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

TFrame3::TFrame3(QWidget* parent) : TFrame(parent) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("listening.ui")));
  WireTranslatorLabels(this);
  ApplyStoredPictures(this);
  edit_ = findChild<QLineEdit*>(QStringLiteral("Edit1"));
  repeat_ = findChild<QPushButton*>(QStringLiteral("BitBtn9"));
  korekta_ = findChild<StaticText*>(QStringLiteral("Korekta"));
  const Scoreboard::Controls controls = Scoreboard::FindControls(
      this, QStringLiteral("BitBtn8"), QStringLiteral("BitBtn10"), QStringLiteral("placar"), 5);
  stop_ = findChild<QPushButton*>(QStringLiteral("BitBtn10"));
  score_ = std::make_unique<Scoreboard>(this, controls);
  connect(controls.start, &QPushButton::clicked, this, &TFrame3::BitBtn8Click);
  connect(stop_, &QPushButton::clicked, this, &TFrame3::BitBtn10Click);
  connect(repeat_, &QPushButton::clicked, this, &TFrame3::BitBtn9Click);
  edit_->installEventFilter(this);
}

StaticText* TFrame3::ResultLine(int number) const {
  return findChild<StaticText*>(QStringLiteral("StaticText%1").arg(71 + number));
}

QString TFrame3::ExpectedAnswer() const { return ButtonCaptionOrText(window(), items_.value(score_->Current())); }

void TFrame3::BitBtn8Click() {
  const LessonContext& context = CurrentLessonContext();
  if (!DataFileExists(QStringLiteral("sonoj\\lec") + context.ListeningCode.left(2))) {
    ShowNoSoundMessage(window());
    return;
  }
  items_.clear();
  const int count = LoadExerciseItems(items_, context.ListeningCode, QStringLiteral("D"));
  if (count == 0) {
    TellExerciseDataMissing(window(), context.ListeningCode);
    return;
  }
  score_->Start(count);
  score_->SetRemaining(qMin(count, ResultLines));
  repeat_->setEnabled(true);
  edit_->setEnabled(true);
  for (int line = 1; line <= ResultLines; ++line) ResultLine(line)->clear();
  NovaFrazo2();
}

void TFrame3::NovaFrazo2() {
  const int item = score_->Draw();
  if (item < 0) return;
  currentSound_ = DataPath(DrillItemRecording(items_[item], CurrentLessonContext().PronunciationCode.left(2)));
  StartPlaying(currentSound_);
  edit_->clear();
  if (score_->OnStartPage()) edit_->setFocus();
}

void TFrame3::BitBtn9Click() {
  if (!currentSound_.isEmpty()) StartPlaying(currentSound_);
  if (score_->OnStartPage()) edit_->setFocus();
}

bool TFrame3::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_) return false;
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    QPointer<TFrame3> self = this;
    edit_->setEnabled(false);
    Analizu();
    if (self && score_->Running()) edit_->setEnabled(true);
    return true;
  }
  if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5 &&
      repeat_->isEnabled()) {
    BitBtn9Click();
  }
  return false;
}

void TFrame3::Analizu() {
  if (!score_->Running()) return;
  const QString typed = edit_->text();
  if (typed.isEmpty()) return;
  const QString answer = NormalizeAnswer(FoldEsperantoCase(typed, true));
  const QString expected = NormalizeAnswer(FoldEsperantoCase(ExpectedAnswer(), true));
  QPointer<TFrame3> self = this;
  if (answer == expected) {
    PlayNoteSound();
    score_->Right();
    if (StaticText* line = ResultLine(score_->Hits())) line->setText(answer);
    Synchronise();
    if (!self || score_->WindowClosing()) return;
  } else {
    PlayNeSound();
    score_->Wrong();
    stop_->setEnabled(false);
    edit_->setEnabled(false);
    repeat_->setEnabled(false);
    korekta_->setText(expected);
    korekta_->hide();
    if (!score_->Blink({korekta_}, 1.0 / 3.0, 4.0) || !self) return;
    korekta_->hide();
    stop_->setEnabled(true);
    edit_->setEnabled(true);
    repeat_->setEnabled(true);
  }
  score_->ShowPercentage();
  if (score_->Hits() < score_->ItemCount() && score_->Hits() < ResultLines) {
    NovaFrazo2();
  } else {
    AnnounceResult(score_->Misses(), score_->Hits(), window());
    if (self) BitBtn10Click();
  }
}

void TFrame3::BitBtn10Click() {
  score_->Stop();
  repeat_->setEnabled(false);
  edit_->clear();
  edit_->setEnabled(false);
}
