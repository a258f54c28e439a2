#include "gapfilling.h"

#include "drillhost.h"
#include "drilljudges.h"
#include "failurenotices.h"
#include "layoutpaths.h"
#include "letters.h"
#include "statictext.h"
#include "storedpictures.h"
#include "translatedtext.h"
#include "translator.h"
#include "uiloader.h"
#include "verdicts.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A gap that completes the word before it hugs that word; one that begins
// the word after it hugs that one.
Qt::Alignment GapAlignment(const QString& before, const QString& after) {
  if (!before.endsWith(QLatin1Char(' '))) return Qt::AlignLeft;
  if (!after.startsWith(QLatin1Char(' '))) return Qt::AlignRight;
  return Qt::AlignLeft;
}

}  // namespace

TFrame4::TFrame4(QWidget* parent) : TFrame(parent) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("gapfilling.ui")));
  ApplyStoredPictures(this);
  WireTranslatorLabels(this);
  confirm_ = findChild<QPushButton*>(QStringLiteral("BitBtn6"));
  tajpujo_ = findChild<QGroupBox*>(QStringLiteral("Tajpujo"));
  korektujo_ = findChild<QGroupBox*>(QStringLiteral("Korektujo"));
  traduko_ = findChild<StaticText*>(QStringLiteral("Traduko"));
  medida_ = findChild<StaticText*>(QStringLiteral("Medida1"));
  for (int i = 0; i <= Gaps; ++i) fragments_[i] = findChild<StaticText*>(QStringLiteral("Vorto%1").arg(i + 1));
  for (int g = 0; g < Gaps; ++g) {
    edits_[g] = findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(g + 1));
    corrections_[g] = findChild<StaticText*>(QStringLiteral("KorektaVorto%1").arg(g + 1));
    edits_[g]->installEventFilter(this);
  }
  const DrillPanel::Controls controls = DrillPanel::FindControls(
      this, QStringLiteral("BitBtn4"), QStringLiteral("BitBtn5"), QStringLiteral("Placar"), 25);
  stop_ = findChild<QPushButton*>(QStringLiteral("BitBtn5"));
  panel_ = new DrillPanel(this, controls, DrillKind::GapFilling);
  connect(controls.start, &QPushButton::clicked, this, &TFrame4::BitBtn4Click);
  connect(stop_, &QPushButton::clicked, this, &TFrame4::BitBtn5Click);
  connect(confirm_, &QPushButton::clicked, this, &TFrame4::BitBtn6Click);
}

void TFrame4::BitBtn4Click() {
  if (panel_->Running()) return;
  const DrillHost* host = HostOf(this);
  const QString code = host ? GapCodeOf(host->Codes(), objectName()) : QString();
  const int count = LoadExerciseRecords(sentences_, code, QStringLiteral("D"));
  LoadExerciseRecords(answers_, code, QStringLiteral("R"));
  translations_.clear();
  LoadExerciseItems(translations_, code, QStringLiteral("T"));
  // A sentence is judged only once its first gap holds text, so a row
  // without a first gap could never be answered: it is not asked.
  rows_.clear();
  for (int row = 0; row < count; ++row) {
    if (GapExists(row, 0)) rows_.append(row);
  }
  if (rows_.isEmpty()) {
    TellExerciseDataMissing(window(), code);
    return;
  }
  ++run_;
  panel_->Start(int(rows_.size()));
  judging_ = false;
  EnableAnswers(true);
  confirm_->setEnabled(true);
  NovaFrazo4();
}

bool TFrame4::GapExists(int row, int gap) const { return ::GapExists(answers_[row][gap]); }

void TFrame4::NovaFrazo4() {
  if (!panel_->Running()) return;
  const int item = panel_->Run().Draw();
  if (item < 0) return;
  row_ = rows_[item];
  for (int i = 0; i <= Gaps; ++i) {
    fragments_[i]->setText(sentences_[row_][i]);
    FitToCaption(fragments_[i]);
  }
  for (int g = 0; g < Gaps; ++g) {
    corrections_[g]->setText(GapExists(row_, g) ? answers_[row_][g].trimmed() : QString());
    FitToCaption(corrections_[g]);
    corrections_[g]->hide();
  }
  SetTranslatedText(traduko_, translations_.value(row_));
  for (int g = 0; g < Gaps; ++g) PrepareGap(g);
  LayOutSentence();
  tajpujo_->show();
  traduko_->show();
  if (!edits_[0]->isHidden() && panel_->OnStartPage()) edits_[0]->setFocus();
}

void TFrame4::PrepareGap(int gap) {
  QLineEdit* edit = edits_[gap];
  if (!GapExists(row_, gap)) {
    edit->resize(0, edit->height());
    edit->hide();
  } else {
    medida_->setText(answers_[row_][gap].trimmed());
    FitToCaption(medida_);
    edit->setMaxLength(int(medida_->text().size()) + 1);
    edit->resize(medida_->width() + 12, edit->height());
    edit->setAlignment(GapAlignment(sentences_[row_][gap], sentences_[row_][gap + 1]) | Qt::AlignVCenter);
    edit->show();
  }
  edit->clear();
}

void TFrame4::LayOutSentence() {
  QList<QWidget*> row;
  for (QObject* child : tajpujo_->children()) {
    if (auto* widget = qobject_cast<QWidget*>(child)) row.append(widget);
  }
  int total = 0;
  for (const QWidget* widget : row) total += widget->width();
  int x = (tajpujo_->width() - total) / 2;
  const QList<StaticText*> corrections = korektujo_->findChildren<StaticText*>(Qt::FindDirectChildrenOnly);
  for (QWidget* widget : row) {
    widget->move(x, widget->y());
    if (qobject_cast<QLineEdit*>(widget)) {
      const int tag = ComponentTag(widget);
      if (tag >= 0 && tag < corrections.size()) corrections[tag]->move(x, corrections[tag]->y());
    }
    x += widget->width();
  }
}

void TFrame4::EnableAnswers(bool enabled) {
  for (QLineEdit* edit : edits_) edit->setEnabled(enabled);
}

bool TFrame4::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  for (int g = 0; g < Gaps; ++g) {
    if (watched == edits_[g]) {
      EditKeyPress(g);
      return true;
    }
  }
  return false;
}

void TFrame4::EditKeyPress(int gap) {
  // ENTER goes on to the next gap of the sentence; after the last one it confirms.
  if (gap + 1 < Gaps && !edits_[gap + 1]->isHidden() && panel_->OnStartPage()) {
    edits_[gap + 1]->setFocus();
  } else {
    BitBtn6Click();
  }
}

void TFrame4::BitBtn6Click() {
  // Clicks and ENTER during the feedback are ignored.
  if (judging_ || !panel_->Running() || row_ < 0) return;
  QStringList typed;
  QStringList expected;
  for (int g = 0; g < Gaps; ++g) {
    typed.append(edits_[g]->text());
    expected.append(answers_[row_][g]);
  }
  if (typed[0].isEmpty()) return;
  judging_ = true;

  QList<QWidget*> wrongGaps;
  for (const int gap : WrongGaps(typed, expected)) wrongGaps.append(corrections_[gap]);
  const bool right = wrongGaps.isEmpty();
  if (right) {
    panel_->Right();
    PlayPraise();
  } else {
    confirm_->setEnabled(false);
    panel_->HoldStop(true);
    panel_->Wrong();
    PlayNeSound();
  }
  EnableAnswers(false);

  const int run = run_;
  const bool open = right ? panel_->Pause(DrillTimings::AfterPraise)
                          : panel_->Blink(wrongGaps, DrillTimings::Gaps, DrillPanel::AfterBlink::Hidden);
  if (!open) return;
  judging_ = false;
  // Stopped during the feedback (and perhaps started anew): the run that
  // was judged is over.
  if (run != run_ || !panel_->Running()) return;
  confirm_->setEnabled(true);
  panel_->HoldStop(false);
  EnableAnswers(true);
  if (!panel_->Run().Complete()) {
    NovaFrazo4();
  } else if (panel_->AnnounceVerdict()) {
    BitBtn5Click();
  }
}

void TFrame4::BitBtn5Click() {
  panel_->Stop();
  confirm_->setEnabled(false);
  tajpujo_->hide();
  traduko_->hide();
}
