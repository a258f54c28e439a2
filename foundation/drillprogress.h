#pragma once

#include "verdicts.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class TIniFile;

// A drill's standing: the percentage of its last run and its best one.
struct DrillResult {
  static constexpr int kPassMark = PassMark;
  int last = 0;
  int best = 0;
  bool Passed() const { return best >= kPassMark; }
  friend bool operator==(const DrillResult&, const DrillResult&) = default;
};

// The learner's progress, kept in the settings file in a section of its own
// that earlier versions of the course ignore: one key per drill (its code
// and kind, "0204.kompletigo=65,80": last, best), and whether the final exam
// was sent. The file is the only copy: every read goes to it, and every
// change is one atomic replacement of it, so a change that could not be
// saved leaves the progress exactly as it was and returns false (the caller
// tells the learner).
class DrillProgress {
 public:
  // Without a settings file nothing is read and nothing can be saved.
  explicit DrillProgress(TIniFile* file);

  // Nothing when the drill never ran (or what is stored cannot be read).
  std::optional<DrillResult> Result(const QString& drill) const;
  // A run of the drill ended with `percentage` (taken to 0 .. 100): it is the
  // last result, and the best when it beats the best so far.
  bool Record(const QString& drill, int percentage);
  // How many of `drills` have been passed.
  int PassedCount(const QStringList& drills) const;

  bool ExamSent() const;
  bool MarkExamSent();

  // Whether anything is stored at all.
  bool IsEmpty() const;
  // Forgets every result and the exam's sending.
  bool Reset();

  static const QByteArray Section;

 private:
  TIniFile* file_;
};

// A drill's line in the message to the Monitor.
struct DrillRow {
  QString name;
  std::optional<DrillResult> result;  // nothing when never run
};
// The lesson's drill results as a short table for the end of the message to
// the Monitor: the heading, then one line per drill with its name, last and
// best percentage and a tick when passed ("—" for a drill never run), lines
// ending in CR LF. Empty when there are no drills.
QString DrillResultsTable(const QString& heading, const QList<DrillRow>& rows);
