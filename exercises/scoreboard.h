#pragma once

#include <QList>
#include <QPointer>
#include <QVector>

class QAbstractButton;
class QLabel;
class QTabWidget;
class QWidget;

// The common run and score of the drills: a start and a stop button, four
// counters (remaining, hits, misses, percentage), items drawn at random
// without those already answered, and waits that keep the window responsive
// and end at once when the window closes under them.
class Scoreboard {
 public:
  struct Controls {
    QAbstractButton* start = nullptr;
    QAbstractButton* stop = nullptr;
    QLabel* remaining = nullptr;
    QLabel* hits = nullptr;
    QLabel* misses = nullptr;
    QLabel* percentage = nullptr;
  };

  // The controls of a frame's layout by component name: the start and stop
  // buttons and the four counters `counter` + first … first + 3 (remaining,
  // hits, misses, percentage).
  static Controls FindControls(const QWidget* frame, const QString& start, const QString& stop, const QString& counter,
                               int first);

  // `frame` is the drill's own widget, inside a page of the window's `Pagxaro`.
  Scoreboard(QWidget* frame, const Controls& controls);

  // A new run over `itemCount` items: start disabled, stop enabled, counters
  // reset, no item answered; remembers the start page.
  void Start(int itemCount);
  // Back to idle; the counters keep the score.
  void Stop();
  bool Running() const;

  // A random item not yet answered, which becomes the current one; -1 when
  // every item is answered.
  int Draw();
  int Current() const { return current_; }
  int ItemCount() const { return itemCount_; }
  int Hits() const { return hits_; }
  int Misses() const { return misses_; }
  int Remaining() const { return remaining_; }

  // Scores the current item. Both update the counters and the percentage.
  void Right();
  void Wrong();
  // Sets the remaining counter (drills that cap their runs count differently).
  void SetRemaining(int remaining);

  // "67%", with "00%" kept while `zeroAsDoubleDigits` and there is no hit.
  static QString PercentageText(int hits, int misses, bool zeroAsDoubleDigits = false);
  void ShowPercentage(bool zeroAsDoubleDigits = false);

  // Whether the window of the frame is gone or closing: every wait ends then.
  bool WindowClosing() const;
  // Waits `seconds` with window events going on; false when the window
  // closed meanwhile (the drill must then end without touching anything).
  bool Pause(double seconds) const;
  // Toggles the visibility of the controls every `period` seconds for
  // `length` seconds, the first at once; false when the window closed.
  bool Blink(const QList<QWidget*>& controls, double period, double length) const;
  // Whether the page the run started on is still the active page (the
  // keyboard focus moves to the answers only then).
  bool OnStartPage() const;

 private:
  QTabWidget* Pagxaro() const;
  void ShowCounts();

  QPointer<QWidget> frame_;
  Controls controls_;
  QVector<bool> answered_;
  int itemCount_ = 0;
  int current_ = -1;
  int hits_ = 0;
  int misses_ = 0;
  int remaining_ = 0;
  int startPage_ = -1;
};
