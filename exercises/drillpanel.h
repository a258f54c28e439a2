#pragma once

#include "drillkeys.h"
#include "drillrun.h"

#include <QList>
#include <QObject>
#include <QPointer>

class DrillHost;
class QAbstractButton;
class QLabel;
class QWidget;

// How long the feedback of each drill lasts, all in one place. A blink
// toggles the correction every `period` seconds, the first at once.
struct BlinkTiming {
  double period;
  double length;
};
namespace DrillTimings {
inline constexpr BlinkTiming WordChoice{1.0 / 3.0, 4.0};     // the right box of the word game
inline constexpr BlinkTiming HeardWord{1.0 / 3.0, 3.0};      // the right button of lesson 1's listening game
inline constexpr BlinkTiming Correction{1.0 / 3.0, 4.0};     // a typed answer's correction (sentence, number, time)
inline constexpr BlinkTiming QuestionParts{1.0 / 3.0, 3.0};  // "Ĉu" and "?" put right
inline constexpr BlinkTiming Endings{1.0 / 3.0, 3.0};        // the words that lacked the accusative ending
inline constexpr BlinkTiming Gaps{1.0 / 6.0, 4.0};           // the gaps answered wrong
inline constexpr double AfterPraise = 2.0;                   // a right answer before the next item
inline constexpr double AfterRightSentence = 1.0;            // the accusative drill's shorter pause
inline constexpr double AfterExplanation = 1.0;              // a clicked word's explanation
}  // namespace DrillTimings

// The one view of a drill run: its start and stop buttons, the four
// counters (remaining, hits, misses, percentage, always two digits), the
// pauses and blinks of its feedback, and the verdict at the end. Every wait
// ends at once when the host window starts closing; the drill must then
// return without touching anything.
class DrillPanel : public QObject {
  Q_OBJECT
 public:
  struct Controls {
    QAbstractButton* start = nullptr;
    QAbstractButton* stop = nullptr;
    QLabel* remaining = nullptr;
    QLabel* hits = nullptr;
    QLabel* misses = nullptr;
    QLabel* percentage = nullptr;
  };
  // The controls by component name below `drill`: the start and stop
  // buttons and the counters `counter` + first … first + 3.
  static Controls FindControls(const QWidget* drill, const QString& start, const QString& stop, const QString& counter,
                               int first);

  // `drill` is the drill's own widget, inside a page of its host window;
  // `kind` names its results in the learner's progress.
  DrillPanel(QWidget* drill, const Controls& controls, DrillKind kind, DrillRun::Random random = {});

  DrillRun& Run() { return run_; }
  const DrillRun& Run() const { return run_; }

  // A new run: start disabled, stop enabled, counters reset; remembers the
  // page on show.
  void Start(int itemCount, int toAnswer = -1);
  // Back to idle, the counters keeping the score.
  void Stop();
  bool Running() const { return run_.Running(); }

  // The current item judged, and the counters shown.
  void Right();
  void Wrong();
  void ShowCounts();
  // The stop button during feedback: disabled while a correction blinks.
  void HoldStop(bool held);

  // Waits with window events going on; false when the host closed meanwhile.
  bool Pause(double seconds);
  // Blinks the widgets, keeping their room in their rows so nothing around
  // them moves; at the end they are shown, or hidden when they are hidden at
  // rest (a correction). False when the host closed.
  enum class AfterBlink { Shown, Hidden };
  bool Blink(const QList<QWidget*>& widgets, BlinkTiming timing, AfterBlink after = AfterBlink::Shown);

  // The verdict of the run: its result kept in the learner's progress, the
  // spoken result and its box. False when the host closed while the box
  // was up.
  bool AnnounceVerdict();
  // The learner's best result of this drill beside the counters ("★ 85%"),
  // hidden before the drill was ever finished.
  void ShowBest();
  // The drill's key in the progress; empty outside a host that has it.
  QString ProgressKey() const;
  // The start button, on the drill's page.
  QAbstractButton* StartButton() const { return controls_.start; }

  bool Closing() const;
  // Whether the page the run started on is still on show: only then may
  // the drill take the keyboard focus.
  bool OnStartPage() const;

  static QString TwoDigits(int number);
  // A widget hidden at rest that still keeps its room in its row, so that
  // showing it moves nothing around it.
  static void KeepPlaceWhenHidden(QWidget* widget);

 Q_SIGNALS:
  // A run ended with its verdict and its result is kept.
  void resultKept();

 private:
  DrillHost* Host() const;

  QPointer<QWidget> drill_;
  Controls controls_;
  DrillKind kind_;
  QLabel* best_ = nullptr;
  DrillRun run_;
  int startPage_ = -1;
};
