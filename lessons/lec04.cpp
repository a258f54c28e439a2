#include "lec04.h"

#include "exercisedata.h"
#include "failurenotices.h"
#include "lessoncontext.h"
#include "memoplayer.h"
#include "statictext.h"
#include "verdicts.h"
#include "waiting.h"

#include <QDrag>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFrame>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>

namespace {

const LessonWindowDefinition kDefinition{"lec04.ui", 4, "Lec04", "04", 12239318};

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

TForm4::TForm4(QWidget* owner) : TLessonWindow(kDefinition, owner) {}

void TForm4::SetLessonContext() {
  LessonContext& context = CurrentLessonContext();
  context.WordGameCode = QStringLiteral("0401");
  context.PronunciationCode = QStringLiteral("0403");
  context.ListeningCode = QStringLiteral("0403");
}

void TForm4::LessonSetUp() {
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
  const auto* stop = Own<QPushButton>("BitBtn3");
  return (stop->isEnabled() || judging_) && current_ >= 0 ? statements_.value(current_) : QString();
}

void TForm4::BitBtn1Click() {
  auto* start = Own<QPushButton>("BitBtn1");
  if (!start->isEnabled()) return;
  statements_.clear();
  const int count = LoadExerciseItems(statements_, QStringLiteral("0402"), QStringLiteral("D"));
  // Without statements there is nothing to ask; the game stays idle.
  if (count == 0) {
    TellExerciseDataMissing(this, QStringLiteral("0402"));
    return;
  }
  statements_ = statements_.mid(0, count);
  start->setEnabled(false);
  Own<QPushButton>("BitBtn3")->setEnabled(true);
  Own<StaticText>("Placar1")->setText(QString::number(count));
  Own<StaticText>("Placar2")->setText(QStringLiteral("00"));
  Own<StaticText>("Placar3")->setText(QStringLiteral("00"));
  Own<StaticText>("Placar4")->setText(QStringLiteral("00%"));
  right_ = wrong_ = 0;
  Own<QPushButton>("BitBtn2")->setEnabled(true);
  done_.fill(false, count);
  for (const char* name : {"Vorto0", "Cxu_Dest", "Punkto", "Cxu", "Demando"}) Own<StaticText>(name)->show();
  NovaFrazo();
}

void TForm4::NovaFrazo() {
  if (done_.count(false) == 0) return;
  do {
    current_ = QRandomGenerator::global()->bounded(int(done_.size()));
  } while (done_[current_]);
  auto* front = Own<StaticText>("Cxu_Dest");
  auto* statement = Own<StaticText>("Vorto0");
  auto* end = Own<StaticText>("Punkto");
  statement->setText(statements_[current_]);
  front->setText(QString());
  end->setText(QStringLiteral("."));
  statement->adjustSize();
  statement->resize(statement->width(), front->height());
  const int panelWidth = Own<QFrame>("Panel4")->width();
  front->move((panelWidth - front->width() - statement->width() - end->width() - 10) / 2, front->y());
  statement->move(front->x() + front->width() + 5, front->y());
  end->move(statement->x() + statement->width() + 5, front->y());
}

void TForm4::BlinkCorrections(const QList<StaticText*>& corrected) {
  QPointer<TForm4> self = this;
  QElapsedTimer clock;
  clock.start();
  int flips = 0;
  WaitUntil(
      [&] {
        if (!self || Closing()) return true;
        if (clock.elapsed() * 3 >= qint64(flips) * 1000) {
          for (StaticText* part : corrected) part->setVisible(!part->isVisible());
          ++flips;
        }
        return clock.elapsed() >= 3000;
      },
      3.5);
  if (!self || Closing()) return;
  for (StaticText* part : corrected) part->show();
}

void TForm4::BitBtn2Click() {
  // A click while the correction blinks would judge the corrected sentence.
  if (judging_ || !Own<QPushButton>("BitBtn3")->isEnabled() || current_ < 0) return;
  judging_ = true;
  auto* front = Own<StaticText>("Cxu_Dest");
  auto* end = Own<StaticText>("Punkto");
  const QString question = Own<StaticText>("Cxu")->text();
  const QString mark = Own<StaticText>("Demando")->text();
  auto* remaining = Own<StaticText>("Placar1");
  if (front->text() == question && end->text() == mark) {
    ++right_;
    remaining->setText(QString::number(remaining->text().toInt() - 1));
    Own<StaticText>("Placar2")->setText(QString::number(right_));
    done_[current_] = true;
    PlayPraise();
  } else {
    ++wrong_;
    auto* stop = Own<QPushButton>("BitBtn3");
    stop->setEnabled(false);
    Own<StaticText>("Placar3")->setText(QString::number(wrong_));
    PlayNeSound();
    QList<StaticText*> corrected;
    if (front->text() != question) {
      front->setText(question);
      corrected.append(front);
    }
    if (end->text() != mark) {
      end->setText(mark);
      corrected.append(end);
    }
    QPointer<TForm4> self = this;
    BlinkCorrections(corrected);
    if (!self || Closing()) return;
    stop->setEnabled(true);
  }
  Own<StaticText>("Placar4")->setText(QString::number(ResultPercentage(wrong_, right_)) + QLatin1Char('%'));
  judging_ = false;
  if (remaining->text() != QLatin1String("0")) {
    NovaFrazo();
  } else {
    AnnounceResult(wrong_, right_, this);
    BitBtn3Click();
  }
}

void TForm4::BitBtn3Click() {
  Own<QPushButton>("BitBtn1")->setEnabled(true);
  Own<QPushButton>("BitBtn3")->setEnabled(false);
  Own<QPushButton>("BitBtn2")->setEnabled(false);
  for (const char* name : {"Cxu_Dest", "Vorto0", "Punkto", "Cxu", "Demando"}) Own<StaticText>(name)->hide();
}
