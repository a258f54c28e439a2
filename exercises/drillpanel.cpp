#include "drillpanel.h"

#include "drillhost.h"
#include "drillprogress.h"
#include "failurenotices.h"
#include "settings.h"
#include "verdicts.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include <functional>

namespace {

// Runs `step` every few milliseconds with window events going on, until it
// says it is done, the time is up or the host starts closing; false when
// the host closed or is gone.
bool WaitWithHost(const QPointer<DrillHost>& host, double seconds, const std::function<bool()>& step) {
  const auto closed = [&] { return !host || host->Closing(); };
  if (closed()) return false;
  if (step && step()) return true;
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer tick;
  tick.setInterval(5);
  QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
    if (closed() || (step && step()) || clock.elapsed() > qint64(seconds * 1000.0)) loop.quit();
  });
  QObject::connect(host, &DrillHost::closing, &loop, &QEventLoop::quit);
  QObject::connect(host, &QObject::destroyed, &loop, &QEventLoop::quit);
  tick.start();
  loop.exec();
  return !closed();
}

}  // namespace

DrillPanel::Controls DrillPanel::FindControls(const QWidget* drill, const QString& start, const QString& stop,
                                              const QString& counter, int first) {
  const auto label = [&](int offset) { return drill->findChild<QLabel*>(counter + QString::number(first + offset)); };
  return {drill->findChild<QAbstractButton*>(start),
          drill->findChild<QAbstractButton*>(stop),
          label(0),
          label(1),
          label(2),
          label(3)};
}

DrillPanel::DrillPanel(QWidget* drill, const Controls& controls, DrillKind kind, DrillRun::Random random)
    : QObject(drill), drill_(drill), controls_(controls), kind_(kind), run_(std::move(random)) {
  // Beside the percentage, in its row or just right of it.
  QLabel* percentage = controls_.percentage;
  best_ = new QLabel(percentage->parentWidget());
  best_->setObjectName(percentage->objectName() + QStringLiteral("Plej"));
  best_->setFont(percentage->font());
  best_->hide();
  if (auto* row = qobject_cast<QBoxLayout*>(percentage->parentWidget()->layout());
      row && row->indexOf(percentage) >= 0) {
    row->insertWidget(row->indexOf(percentage) + 1, best_);
  } else {
    best_->move(percentage->geometry().right() + 6, percentage->y());
    best_->resize(60, percentage->height());
  }
}

QString DrillPanel::ProgressKey() const {
  const DrillHost* host = Host();
  return host ? DrillKeyIn(host->Codes(), kind_, drill_ ? drill_->objectName() : QString()) : QString();
}

void DrillPanel::ShowBest() {
  const QString key = ProgressKey();
  const std::optional<DrillResult> result = key.isEmpty() ? std::nullopt : DrillProgress(SettingsFile()).Result(key);
  best_->setVisible(result.has_value());
  if (!result) return;
  best_->setText(QStringLiteral("★ %1%").arg(result->best));
  best_->setToolTip(QStringLiteral("%1%  /  ★ %2%").arg(result->last).arg(result->best));
  best_->adjustSize();
}

DrillHost* DrillPanel::Host() const { return HostOf(drill_); }

QString DrillPanel::TwoDigits(int number) { return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')); }

void DrillPanel::Start(int itemCount, int toAnswer) {
  const DrillHost* host = Host();
  startPage_ = host ? host->CurrentPage() : -1;
  run_.Start(itemCount, toAnswer);
  controls_.start->setEnabled(false);
  controls_.stop->setEnabled(true);
  ShowCounts();
}

void DrillPanel::Stop() {
  run_.Stop();
  controls_.start->setEnabled(true);
  controls_.stop->setEnabled(false);
}

void DrillPanel::Right() {
  run_.Right();
  ShowCounts();
}

void DrillPanel::Wrong() {
  run_.Wrong();
  ShowCounts();
}

void DrillPanel::ShowCounts() {
  controls_.remaining->setText(TwoDigits(qMax(0, run_.Remaining())));
  controls_.hits->setText(TwoDigits(run_.Hits()));
  controls_.misses->setText(TwoDigits(run_.Misses()));
  controls_.percentage->setText(TwoDigits(run_.Percentage()) + QLatin1Char('%'));
}

void DrillPanel::HoldStop(bool held) { controls_.stop->setEnabled(!held && run_.Running()); }

bool DrillPanel::Closing() const {
  const DrillHost* host = Host();
  return !drill_ || !host || host->Closing();
}

bool DrillPanel::Pause(double seconds) { return WaitWithHost(Host(), seconds, {}); }

bool DrillPanel::Blink(const QList<QWidget*>& widgets, BlinkTiming timing, AfterBlink after) {
  QList<QPointer<QWidget>> guarded;
  for (QWidget* widget : widgets) {
    KeepPlaceWhenHidden(widget);
    guarded.append(widget);
  }
  QElapsedTimer clock;
  clock.start();
  int toggles = 0;
  const bool open = WaitWithHost(Host(), timing.length + 0.5, [&] {
    if (clock.elapsed() >= qint64(toggles * timing.period * 1000.0)) {
      for (const QPointer<QWidget>& widget : guarded) {
        if (widget) widget->setVisible(!widget->isVisible());
      }
      ++toggles;
    }
    return clock.elapsed() > qint64(timing.length * 1000.0);
  });
  if (!open) return false;
  for (const QPointer<QWidget>& widget : guarded) {
    if (widget) widget->setVisible(after == AfterBlink::Shown);
  }
  return true;
}

void DrillPanel::KeepPlaceWhenHidden(QWidget* widget) {
  QSizePolicy policy = widget->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget->setSizePolicy(policy);
}

bool DrillPanel::AnnounceVerdict() {
  QPointer<DrillHost> host = Host();
  // Without a settings file (nothing stored for this learner) there is no progress to keep.
  if (const QString key = ProgressKey(); !key.isEmpty() && SettingsFile()) {
    if (!DrillProgress(SettingsFile()).Record(key, run_.Percentage())) TellSettingsNotSaved(drill_->window());
    ShowBest();
    Q_EMIT resultKept();
  }
  AnnounceResult(run_.Misses(), run_.Hits(), drill_ ? drill_->window() : nullptr);
  return host && !host->Closing() && drill_;
}

bool DrillPanel::OnStartPage() const {
  const DrillHost* host = Host();
  return host && host->CurrentPage() == startPage_;
}
