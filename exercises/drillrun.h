#pragma once

#include <QVector>

#include <functional>

// One run of a drill, without any widget: the items drawn at random without
// repeats, the hits and misses, what remains to be answered, and the result
// against the pass mark. Every drill of the course keeps its state here.
class DrillRun {
 public:
  // A source of random numbers in [0, bound); tests give their own.
  using Random = std::function<int(int bound)>;
  explicit DrillRun(Random random = {});

  // A new run over `itemCount` items that ends after `toAnswer` right
  // answers (all the items when negative or larger).
  void Start(int itemCount, int toAnswer = -1);
  // Back to idle; the counts keep the score of the run that ended.
  void Stop();
  bool Running() const { return running_; }

  // An item not yet answered right, which becomes the current one; -1 when
  // none is left.
  int Draw();
  int Current() const { return current_; }

  // The current item judged: a right one is done and never drawn again, a
  // wrong one stays to come again.
  void Right();
  void Wrong();

  int ItemCount() const { return int(answered_.size()); }
  int Hits() const { return hits_; }
  int Misses() const { return misses_; }
  int Remaining() const { return toAnswer_ - hits_; }
  // Every answer the run asks for was given right.
  bool Complete() const { return running_ && Remaining() <= 0; }
  // The share of right answers, rounded as the verdict rounds it.
  int Percentage() const;
  bool Passed() const;

 private:
  Random random_;
  QVector<bool> answered_;
  int toAnswer_ = 0;
  int hits_ = 0;
  int misses_ = 0;
  int current_ = -1;
  bool running_ = false;
};
