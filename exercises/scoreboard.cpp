#include "scoreboard.h"

#include "ownedcomponents.h"
#include "verdicts.h"
#include "waiting.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QRandomGenerator>
#include <QTabWidget>

Scoreboard::Controls Scoreboard::FindControls(const QWidget* frame, const QString& start, const QString& stop,
                                              const QString& counter, int first) {
  const auto label = [&](int offset) { return frame->findChild<QLabel*>(counter + QString::number(first + offset)); };
  Controls controls;
  controls.start = frame->findChild<QAbstractButton*>(start);
  controls.stop = frame->findChild<QAbstractButton*>(stop);
  controls.remaining = label(0);
  controls.hits = label(1);
  controls.misses = label(2);
  controls.percentage = label(3);
  return controls;
}

Scoreboard::Scoreboard(QWidget* frame, const Controls& controls) : frame_(frame), controls_(controls) {}

QTabWidget* Scoreboard::Pagxaro() const {
  if (!frame_) return nullptr;
  return qobject_cast<QTabWidget*>(OwnedComponent(frame_->window(), QStringLiteral("Pagxaro")));
}

void Scoreboard::Start(int itemCount) {
  const QTabWidget* pages = Pagxaro();
  startPage_ = pages ? pages->currentIndex() : -1;
  itemCount_ = qMax(0, itemCount);
  controls_.start->setEnabled(false);
  controls_.stop->setEnabled(true);
  hits_ = misses_ = 0;
  remaining_ = itemCount_;
  controls_.remaining->setText(QString::number(itemCount_));
  controls_.hits->setText(QStringLiteral("00"));
  controls_.misses->setText(QStringLiteral("00"));
  controls_.percentage->setText(QStringLiteral("00%"));
  answered_.fill(false, itemCount_);
  current_ = -1;
}

void Scoreboard::Stop() {
  controls_.start->setEnabled(true);
  controls_.stop->setEnabled(false);
  answered_.fill(false);
}

bool Scoreboard::Running() const { return controls_.stop->isEnabled(); }

int Scoreboard::Draw() {
  if (answered_.count(false) == 0) return current_ = -1;
  int item = 0;
  do {
    item = QRandomGenerator::global()->bounded(itemCount_);
  } while (answered_[item]);
  return current_ = item;
}

void Scoreboard::Right() {
  ++hits_;
  --remaining_;
  if (current_ >= 0 && current_ < answered_.size()) answered_[current_] = true;
  ShowCounts();
}

void Scoreboard::Wrong() {
  ++misses_;
  ShowCounts();
}

void Scoreboard::SetRemaining(int remaining) {
  remaining_ = remaining;
  controls_.remaining->setText(QString::number(remaining));
}

void Scoreboard::ShowCounts() {
  if (hits_ > 0) controls_.hits->setText(QString::number(hits_));
  if (misses_ > 0) controls_.misses->setText(QString::number(misses_));
  controls_.remaining->setText(QString::number(remaining_));
}

QString Scoreboard::PercentageText(int hits, int misses, bool zeroAsDoubleDigits) {
  if (zeroAsDoubleDigits && hits == 0) return QStringLiteral("00%");
  return QString::number(ResultPercentage(misses, hits)) + QLatin1Char('%');
}

void Scoreboard::ShowPercentage(bool zeroAsDoubleDigits) {
  controls_.percentage->setText(PercentageText(hits_, misses_, zeroAsDoubleDigits));
}

bool Scoreboard::WindowClosing() const { return !frame_ || frame_->window()->property("closing").toBool(); }

bool Scoreboard::Pause(double seconds) const {
  WaitUntil([this] { return WindowClosing(); }, seconds);
  return !WindowClosing();
}

bool Scoreboard::Blink(const QList<QWidget*>& controls, double period, double length) const {
  QList<QPointer<QWidget>> guarded;
  for (QWidget* control : controls) guarded.append(control);
  QElapsedTimer clock;
  clock.start();
  int toggles = 0;
  WaitUntil(
      [&] {
        if (WindowClosing()) return true;
        if (clock.elapsed() >= qint64(toggles * period * 1000.0)) {
          for (const QPointer<QWidget>& control : guarded) {
            if (control) control->setVisible(!control->isVisible());
          }
          ++toggles;
        }
        return clock.elapsed() > qint64(length * 1000.0);
      },
      length + 0.5);
  return !WindowClosing();
}

bool Scoreboard::OnStartPage() const {
  const QTabWidget* pages = Pagxaro();
  return pages && pages->currentIndex() == startPage_;
}
