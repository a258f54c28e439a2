#include "lec04.h"

#include "drilljudges.h"
#include "drillpanel.h"
#include "exercisedata.h"
#include "failurenotices.h"
#include "memoplayer.h"
#include "statictext.h"
#include "verdicts.h"

#include <QDrag>
#include <QDropEvent>
#include <QFrame>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const QString kReadingRecording = QStringLiteral("sonoj\\lec04\\memo1.mp3");
const QString kPieceMimeType = QStringLiteral("application/x-pelano-question-piece");

}  // namespace

// The drag and drop of the question game: the two pieces start a drag when
// pressed, the two places accept any drag and take the caption of a dropped
// piece.
class QuestionPieceEvents : public QObject {
 public:
  explicit QuestionPieceEvents(TForm4* form) : QObject(form), form_(form) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* component = qobject_cast<StaticText*>(watched);
    if (!component) return false;
    const QString name = component->objectName();
    const bool piece = name == QLatin1String("Cxu") || name == QLatin1String("Demando");
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        if (piece && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
          form_->StartDrag(component);
          return true;
        }
        return false;
      case QEvent::DragEnter:
      case QEvent::DragMove:
        // Cxu_DestDragOver: every drag is accepted.
        static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
        return true;
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (StaticText* source = form_->DroppedPiece(drop->mimeData())) {
          form_->Cxu_DestDragDrop(component, source);
          drop->acceptProposedAction();
        }
        return true;
      }
      default: return false;
    }
  }

 private:
  TForm4* form_;
};

TForm4::TForm4(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}

void TForm4::LessonSetUp() {
  panel_ = OwnDrillPanel();
  connect(Own<QPushButton>("BitBtn1"), &QPushButton::clicked, this, &TForm4::BitBtn1Click);
  connect(Own<QPushButton>("BitBtn2"), &QPushButton::clicked, this, &TForm4::BitBtn2Click);
  connect(Own<QPushButton>("BitBtn3"), &QPushButton::clicked, this, &TForm4::BitBtn3Click);

  auto* events = new QuestionPieceEvents(this);
  for (const char* name : {"Cxu", "Demando"}) Own<StaticText>(name)->installEventFilter(events);
  for (const char* name : {"Cxu_Dest", "Punkto"}) {
    auto* place = Own<StaticText>(name);
    place->setAcceptDrops(true);
    place->installEventFilter(events);
  }

  readingPlayer_ = new MemoPlayer(this, Own<QPushButton>("Butono1"), Own<QPushButton>("Butono2"),
                                  Own<QPushButton>("Butono3"), kReadingRecording);
}

void TForm4::StopPlayback() {
  // FormCloseQuery: the reading stops with the window, also when paused.
  if (readingPlayer_) readingPlayer_->StopIfOpen();
}

QList<LessonRecording> TForm4::Recordings() const {
  QList<LessonRecording> recordings = TLessonWindow::Recordings();
  if (const auto* memo = Own<StaticText>("Memo1")) recordings.append({kReadingRecording, memo->text()});
  return recordings;
}

QMimeData* TForm4::PieceMimeData(const StaticText* piece) {
  auto* data = new QMimeData;
  data->setData(kPieceMimeType, piece->objectName().toUtf8());
  return data;
}

StaticText* TForm4::DroppedPiece(const QMimeData* data) const {
  if (!data || !data->hasFormat(kPieceMimeType)) return nullptr;
  const QString name = QString::fromUtf8(data->data(kPieceMimeType));
  if (name != QLatin1String("Cxu") && name != QLatin1String("Demando")) return nullptr;
  return qobject_cast<StaticText*>(OwnedComponent(const_cast<TForm4*>(this), name));
}

void TForm4::StartDrag(StaticText* piece) {
  auto* drag = new QDrag(piece);
  drag->setMimeData(PieceMimeData(piece));
  drag->setPixmap(piece->grab());
  drag->setHotSpot(QPoint(piece->width() / 2, piece->height() / 2));
  drag->exec(Qt::CopyAction);
}

void TForm4::Cxu_DestDragDrop(StaticText* target, const StaticText* source) { target->setText(source->text()); }

QString TForm4::CurrentStatement() const {
  const DrillRun& run = panel_->Run();
  return (run.Running() || judging_) && run.Current() >= 0 ? statements_.value(run.Current()) : QString();
}

void TForm4::BitBtn1Click() {
  if (panel_->Running()) return;
  const QString code = QLatin1String(Codes().own);
  statements_.clear();
  const int count = LoadExerciseItems(statements_, code, QStringLiteral("D"));
  // Without statements there is nothing to ask; the game stays idle.
  if (count == 0) {
    TellExerciseDataMissing(this, code);
    return;
  }
  statements_ = statements_.mid(0, count);
  panel_->Start(count);
  judging_ = false;
  Own<QPushButton>("BitBtn2")->setEnabled(true);
  for (const char* name : {"Vorto0", "Cxu_Dest", "Punkto", "Cxu", "Demando"}) Own<StaticText>(name)->show();
  NovaFrazo();
}

void TForm4::NovaFrazo() {
  const int current = panel_->Run().Draw();
  if (current < 0) return;
  auto* front = Own<StaticText>("Cxu_Dest");
  auto* statement = Own<StaticText>("Vorto0");
  auto* end = Own<StaticText>("Punkto");
  statement->setText(statements_[current]);
  front->setText(QString());
  end->setText(QStringLiteral("."));
  statement->adjustSize();
  statement->resize(statement->width(), front->height());
  const int panelWidth = Own<QFrame>("Panel4")->width();
  front->move((panelWidth - front->width() - statement->width() - end->width() - 10) / 2, front->y());
  statement->move(front->x() + front->width() + 5, front->y());
  end->move(statement->x() + statement->width() + 5, front->y());
}

void TForm4::BitBtn2Click() {
  // A click while the correction blinks would judge the corrected sentence.
  const DrillRun& run = panel_->Run();
  if (judging_ || !run.Running() || run.Current() < 0) return;
  judging_ = true;
  auto* front = Own<StaticText>("Cxu_Dest");
  auto* end = Own<StaticText>("Punkto");
  const QString question = Own<StaticText>("Cxu")->text();
  const QString mark = Own<StaticText>("Demando")->text();
  const QuestionVerdict verdict = JudgeQuestion(front->text(), end->text(), question, mark);
  if (verdict.Right()) {
    panel_->Right();
    PlayPraise();
  } else {
    panel_->HoldStop(true);
    panel_->Wrong();
    PlayNeSound();
    QList<QWidget*> corrected;
    if (!verdict.frontRight) {
      front->setText(question);
      corrected.append(front);
    }
    if (!verdict.endRight) {
      end->setText(mark);
      corrected.append(end);
    }
    if (!panel_->Blink(corrected, DrillTimings::QuestionParts)) return;
    panel_->HoldStop(false);
  }
  judging_ = false;
  if (!run.Complete()) {
    NovaFrazo();
  } else if (panel_->AnnounceVerdict()) {
    BitBtn3Click();
  }
}

void TForm4::BitBtn3Click() {
  panel_->Stop();
  Own<QPushButton>("BitBtn2")->setEnabled(false);
  for (const char* name : {"Cxu_Dest", "Vorto0", "Punkto", "Cxu", "Demando"}) Own<StaticText>(name)->hide();
}
