#include "wordgame.h"

#include "coursesounds.h"
#include "drillhost.h"
#include "drilljudges.h"
#include "exercisedata.h"
#include "failurenotices.h"
#include "layoutpaths.h"
#include "statictext.h"
#include "storedpictures.h"
#include "translator.h"
#include "uiloader.h"
#include "verdicts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
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
  const DrillPanel::Controls controls = DrillPanel::FindControls(
      this, QStringLiteral("BitBtn18"), QStringLiteral("BitBtn20"), QStringLiteral("Placar"), 15);
  panel_ = new DrillPanel(this, controls, DrillKind::WordGame);
  connect(controls.start, &QAbstractButton::clicked, this, &TFrame1::BitBtn18Click);
  connect(controls.stop, &QAbstractButton::clicked, this, &TFrame1::BitBtn20Click);
}

QString TFrame1::WordOfItem(int item) const { return ButtonCaptionOrText(window(), words_.value(item)); }

QString TFrame1::AnswerOfItem(int item) const {
  return CaptionOf(window(), QStringLiteral("Label") + answers_.value(item).trimmed());
}

void TFrame1::BitBtn18Click() {
  const DrillHost* host = HostOf(this);
  const QString code = host ? QLatin1String(host->Codes().wordGame) : QString();
  words_.clear();
  answers_.clear();
  const int count = LoadExerciseItems(words_, code, QStringLiteral("D"));
  LoadExerciseItems(answers_, code, QStringLiteral("R"));
  // A question needs its own answer and four others.
  if (count < 5) {
    TellExerciseDataMissing(window(), code);
    return;
  }
  panel_->Start(count);
  for (QCheckBox* box : boxes_) box->setChecked(false);
  grupo_->show();
  vorto_->show();
  for (QCheckBox* box : boxes_) box->show();
  NovaFrazo3();
}

void TFrame1::NovaFrazo3() {
  DrillRun& run = panel_->Run();
  if (!run.Running()) return;
  const int item = run.Draw();
  if (item < 0) return;
  vorto_->setText(WordOfItem(item));
  right_ = QRandomGenerator::global()->bounded(5);
  QVector<bool> taken(run.ItemCount(), false);
  taken[item] = true;
  Box(right_)->setText(AnswerOfItem(item));
  for (int position = 0; position < 5; ++position) {
    if (position == right_) continue;
    int other = 0;
    do {
      other = QRandomGenerator::global()->bounded(run.ItemCount());
    } while (taken[other]);
    taken[other] = true;
    Box(position)->setText(AnswerOfItem(other));
  }
  grupo_->setEnabled(true);
}

void TFrame1::GrupoClick(QCheckBox* clicked) {
  if (!panel_->Running()) return;
  // Unticking the box from here must not judge again.
  const QSignalBlocker quiet(clicked);
  grupo_->setEnabled(false);
  // Two boxes that show the same words give the same answer.
  if (JudgeWordPair(clicked->text(), Box(right_)->text())) {
    panel_->Right();
    PlayPraise();
    if (!panel_->Pause(DrillTimings::AfterPraise)) return;
  } else {
    panel_->Wrong();
    PlayNeSound();
    panel_->HoldStop(true);
    if (!panel_->Blink({Box(right_)}, DrillTimings::WordChoice)) return;
    panel_->HoldStop(false);
  }
  if (!panel_->Run().Complete()) {
    NovaFrazo3();
    clicked->setChecked(false);
    if (panel_->OnStartPage() && panel_->Running()) grupo_->setFocus();
  } else if (panel_->AnnounceVerdict()) {
    BitBtn20Click();
  }
}

void TFrame1::BitBtn20Click() {
  panel_->Stop();
  vorto_->hide();
  grupo_->hide();
}
