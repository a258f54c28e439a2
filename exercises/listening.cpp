#include "listening.h"

#include "coursesounds.h"
#include "drillhost.h"
#include "drilljudges.h"
#include "exercisedata.h"
#include "failurenotices.h"
#include "layoutpaths.h"
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

namespace {

// The height `text` needs in `width` pixels with word wrap, in `font`.
int WrappedHeight(const QFont& font, int width, const QString& text) {
  return QFontMetrics(font).boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, text).height();
}

// Wraps the label's text and, where it still does not fit, makes the font
// smaller, down to `smallest` points: a correction is always read whole.
void FitTextInto(QLabel* label, int largest, int smallest) {
  label->setWordWrap(true);
  QFont font = label->font();
  for (int size = largest; size >= smallest; --size) {
    font.setPointSize(size);
    if (WrappedHeight(font, label->contentsRect().width(), label->text()) <= label->contentsRect().height()) break;
  }
  label->setFont(font);
}

constexpr int kCorrectionPoints = 12;
constexpr int kResultPoints = 8;

}  // namespace

TFrame3::TFrame3(QWidget* parent) : TFrame(parent) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("listening.ui")));
  WireTranslatorLabels(this);
  ApplyStoredPictures(this);
  edit_ = findChild<QLineEdit*>(QStringLiteral("Edit1"));
  repeat_ = findChild<QPushButton*>(QStringLiteral("BitBtn9"));
  korekta_ = findChild<StaticText*>(QStringLiteral("Korekta"));
  const DrillPanel::Controls controls = DrillPanel::FindControls(
      this, QStringLiteral("BitBtn8"), QStringLiteral("BitBtn10"), QStringLiteral("placar"), 5);
  stop_ = findChild<QPushButton*>(QStringLiteral("BitBtn10"));
  panel_ = new DrillPanel(this, controls, DrillKind::Listening);
  connect(controls.start, &QPushButton::clicked, this, &TFrame3::BitBtn8Click);
  connect(stop_, &QPushButton::clicked, this, &TFrame3::BitBtn10Click);
  connect(repeat_, &QPushButton::clicked, this, &TFrame3::BitBtn9Click);
  edit_->installEventFilter(this);
  for (int line = 1; line <= ResultLines; ++line) ResultLine(line)->setWordWrap(true);
}

StaticText* TFrame3::ResultLine(int number) const {
  return findChild<StaticText*>(QStringLiteral("StaticText%1").arg(71 + number));
}

QString TFrame3::ExpectedAnswer() const { return ButtonCaptionOrText(window(), items_.value(panel_->Run().Current())); }

void TFrame3::BitBtn8Click() {
  if (PresentSoundFolder(this).isEmpty()) {
    ShowNoSoundMessage(window());
    return;
  }
  const QString code = QLatin1String(HostOf(this)->Codes().listening);
  items_.clear();
  const int count = LoadExerciseItems(items_, code, QStringLiteral("D"));
  if (count == 0) {
    TellExerciseDataMissing(window(), code);
    return;
  }
  panel_->Start(count, ResultLines);
  judging_ = false;
  repeat_->setEnabled(true);
  edit_->setEnabled(true);
  edit_->setReadOnly(false);
  for (int line = 1; line <= ResultLines; ++line) ResultLine(line)->clear();
  LayOutResultLines(qMin(count, ResultLines));
  NovaFrazo2();
}

void TFrame3::LayOutResultLines(int lines) {
  const QWidget* area = ResultLine(1)->parentWidget();
  const int margin = 11;
  const int width = area->width() - 2 * margin;
  const int height = area->height() - 8;
  QString longestText;
  for (const QString& item : std::as_const(items_)) {
    const QString text = SentenceComparisonForm(ButtonCaptionOrText(window(), item));
    if (text.size() > longestText.size()) longestText = text;
  }
  // The most columns in which every line, wrapped if need be, still fits.
  QFont font = ResultLine(1)->font();
  font.setPointSize(kResultPoints);
  const int lineHeight = QFontMetrics(font).height() + 2;
  int columns = 6;
  int rowHeight = lineHeight;
  for (; columns > 1; --columns) {
    const int cellWidth = width / columns - 4;
    rowHeight = qMax(lineHeight, WrappedHeight(font, cellWidth, longestText) + 2);
    const int rows = (lines + columns - 1) / columns;
    if (rows * rowHeight <= height) break;
  }
  if (columns == 1) rowHeight = qMax(lineHeight, WrappedHeight(font, width - 4, longestText) + 2);
  const int rows = qMax(1, (lines + columns - 1) / columns);
  // Rows share the height when there is room to spare, as the stored layout does.
  const int pitch = qMax(rowHeight, qMin(height / rows, 2 * lineHeight));
  for (int line = 1; line <= ResultLines; ++line) {
    StaticText* label = ResultLine(line);
    const int index = line - 1;
    const int column = index / rows;
    const int row = index % rows;
    label->setFont(font);
    label->setGeometry(margin + column * (width / columns), 5 + row * pitch, width / columns - 4, rowHeight);
    label->setVisible(line <= lines);
  }
}

void TFrame3::NovaFrazo2() {
  const int item = panel_->Run().Draw();
  if (item < 0) return;
  const DrillHost* host = HostOf(this);
  currentSound_ = DataPath(DrillItemRecording(items_[item], host ? host->SoundFolder() : QString()));
  StartPlaying(currentSound_);
  edit_->clear();
  if (panel_->OnStartPage()) edit_->setFocus();
}

void TFrame3::BitBtn9Click() {
  if (!currentSound_.isEmpty()) StartPlaying(currentSound_);
  if (panel_->OnStartPage()) edit_->setFocus();
}

bool TFrame3::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_) return false;
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    // The field stays enabled while an answer is judged, so the focus never
    // leaves it; a second Enter meanwhile is swallowed.
    if (!judging_) Analizu();
    return true;
  }
  if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5 &&
      repeat_->isEnabled()) {
    BitBtn9Click();
  }
  return false;
}

void TFrame3::Analizu() {
  if (!panel_->Running() || judging_) return;
  const QString typed = edit_->text();
  if (typed.isEmpty()) return;
  const QString expected = ExpectedAnswer();
  judging_ = true;
  edit_->setReadOnly(true);
  if (JudgeTypedSentence(typed, expected)) {
    PlayNoteSound();
    panel_->Right();
    if (StaticText* line = ResultLine(panel_->Run().Hits())) line->setText(SentenceComparisonForm(typed));
    QPointer<TFrame3> self = this;
    Synchronise();
    if (!self || panel_->Closing()) return;
  } else {
    PlayNeSound();
    panel_->Wrong();
    panel_->HoldStop(true);
    repeat_->setEnabled(false);
    korekta_->setFont(QFont(korekta_->font().family(), kCorrectionPoints, QFont::Bold));
    korekta_->setText(SentenceComparisonForm(expected));
    FitTextInto(korekta_, kCorrectionPoints, 7);
    korekta_->hide();
    if (!panel_->Blink({korekta_}, DrillTimings::Correction, DrillPanel::AfterBlink::Hidden)) return;
    panel_->HoldStop(false);
    repeat_->setEnabled(true);
  }
  judging_ = false;
  edit_->setReadOnly(false);
  if (!panel_->Running()) return;
  if (!panel_->Run().Complete()) {
    NovaFrazo2();
  } else if (panel_->AnnounceVerdict()) {
    BitBtn10Click();
  }
}

void TFrame3::BitBtn10Click() {
  panel_->Stop();
  repeat_->setEnabled(false);
  edit_->clear();
  edit_->setEnabled(false);
}
