#include "wordgame.h"

#include "coursesounds.h"
#include "exercisedata.h"
#include "failurenotices.h"
#include "layoutpaths.h"
#include "lessoncontext.h"
#include "statictext.h"
#include "storedpictures.h"
#include "translator.h"
#include "uiloader.h"
#include "verdicts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVector>

namespace {

QString CaptionOf(QWidget* window, const QString& name) {
  QWidget* component = OwnedComponent(window, name);
  if (auto* button = qobject_cast<QAbstractButton*>(component)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(component)) return label->text();
  return QString();  // a name the window does not have shows nothing
}

}  // namespace

QString ButtonCaptionOrText(QWidget* window, const QString& item) {
  const int number = ItemButtonNumber(item);
  return number > 0 ? CaptionOf(window, QStringLiteral("Button") + QString::number(number)) : item;
}

TFrame1::TFrame1(QWidget* parent) : TFrame(parent) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("wordgame.ui")));
  WireTranslatorLabels(this);
  ApplyStoredPictures(this);
  grupo_ = findChild<QGroupBox*>(QStringLiteral("Grupo"));
  vorto_ = findChild<StaticText*>(QStringLiteral("Vorto"));
  for (int i = 0; i < 5; ++i) {
    boxes_[i] = findChild<QCheckBox*>(QStringLiteral("Grupo%1").arg(i));
    QCheckBox* box = boxes_[i];
    connect(box, &QCheckBox::clicked, this, [this, box] { GrupoClick(box); });
  }
  const Scoreboard::Controls controls = Scoreboard::FindControls(
      this, QStringLiteral("BitBtn18"), QStringLiteral("BitBtn20"), QStringLiteral("Placar"), 15);
  score_ = std::make_unique<Scoreboard>(this, controls);
  connect(controls.start, &QAbstractButton::clicked, this, &TFrame1::BitBtn18Click);
  connect(controls.stop, &QAbstractButton::clicked, this, &TFrame1::BitBtn20Click);
}

QString TFrame1::WordOfItem(int item) const { return ButtonCaptionOrText(window(), words_.value(item)); }

QString TFrame1::AnswerOfItem(int item) const {
  return CaptionOf(window(), QStringLiteral("Label") + answers_.value(item).trimmed());
}

void TFrame1::BitBtn18Click() {
  const QString code = CurrentLessonContext().WordGameCode;
  words_.clear();
  answers_.clear();
  const int count = LoadExerciseItems(words_, code, QStringLiteral("D"));
  LoadExerciseItems(answers_, code, QStringLiteral("R"));
  // A question needs its own answer and four others.
  if (count < 5) {
    TellExerciseDataMissing(window(), code);
    return;
  }
  score_->Start(count);
  for (QCheckBox* box : boxes_) box->setChecked(false);
  grupo_->show();
  vorto_->show();
  for (QCheckBox* box : boxes_) box->show();
  NovaFrazo3();
}

void TFrame1::NovaFrazo3() {
  if (!score_->Running()) return;
  const int item = score_->Draw();
  if (item < 0) return;
  vorto_->setText(WordOfItem(item));
  right_ = QRandomGenerator::global()->bounded(5);
  QVector<bool> taken(score_->ItemCount(), false);
  taken[item] = true;
  Box(right_)->setText(AnswerOfItem(item));
  for (int position = 0; position < 5; ++position) {
    if (position == right_) continue;
    int other = 0;
    do {
      other = QRandomGenerator::global()->bounded(score_->ItemCount());
    } while (taken[other]);
    taken[other] = true;
    Box(position)->setText(AnswerOfItem(other));
  }
  grupo_->setEnabled(true);
}

void TFrame1::GrupoClick(QCheckBox* clicked) {
  if (!score_->Running()) return;
  QPointer<TFrame1> self = this;
  // Unticking the box from here must not judge again.
  const QSignalBlocker quiet(clicked);
  grupo_->setEnabled(false);
  if (clicked->property("tag").toInt() == right_) {
    score_->Right();
    PlayPraise();
    if (!score_->Pause(2.0) || !self) return;
  } else {
    score_->Wrong();
    PlayNeSound();
    auto* stop = findChild<QPushButton*>(QStringLiteral("BitBtn20"));
    stop->setEnabled(false);
    if (!score_->Blink({Box(right_)}, 1.0 / 3.0, 4.0) || !self) return;
    for (QCheckBox* box : boxes_) box->show();
    stop->setEnabled(true);
  }
  score_->ShowPercentage(true);
  if (score_->Hits() < score_->ItemCount()) {
    NovaFrazo3();
    clicked->setChecked(false);
    if (score_->OnStartPage() && score_->Running()) grupo_->setFocus();
  } else {
    AnnounceResult(score_->Misses(), score_->Hits(), window());
    if (self) BitBtn20Click();
  }
}

void TFrame1::BitBtn20Click() {
  score_->Stop();
  vorto_->hide();
  grupo_->hide();
}
