#include "drillrun.h"

#include "verdicts.h"

#include <QRandomGenerator>

DrillRun::DrillRun(Random random) : random_(std::move(random)) {
  if (!random_) random_ = [](int bound) { return int(QRandomGenerator::global()->bounded(bound)); };
}

void DrillRun::Start(int itemCount, int toAnswer) {
  const int count = qMax(0, itemCount);
  answered_.fill(false, count);
  toAnswer_ = toAnswer < 0 || toAnswer > count ? count : toAnswer;
  hits_ = misses_ = 0;
  current_ = -1;
  running_ = true;
}

void DrillRun::Stop() { running_ = false; }

int DrillRun::Draw() {
  const int left = int(answered_.count(false));
  if (left == 0) return current_ = -1;
  // The n-th item still open, so that every draw ends at once.
  int n = random_(left);
  for (int item = 0; item < answered_.size(); ++item) {
    if (answered_[item]) continue;
    if (n-- == 0) return current_ = item;
  }
  return current_ = -1;
}

void DrillRun::Right() {
  ++hits_;
  if (current_ >= 0 && current_ < answered_.size()) answered_[current_] = true;
}

void DrillRun::Wrong() { ++misses_; }

int DrillRun::Percentage() const { return ResultPercentage(misses_, hits_); }

bool DrillRun::Passed() const { return Percentage() >= PassMark; }
