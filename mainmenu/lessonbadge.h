#pragma once

#include <QWidget>

// The small mark beside a lesson button of the main menu: how many of the
// lesson's drills are passed ("2/4"), a tick once all are, and beside the
// final exam a tick once it was sent to the Monitor. Nothing is shown before
// there is something to show.
class LessonBadge : public QWidget {
  Q_OBJECT
 public:
  explicit LessonBadge(QWidget* parent = nullptr);

  // A lesson with `drills` scored drills, `passed` of them passed.
  void ShowDrills(int passed, int drills);
  // The final exam, sent to the Monitor or not.
  void ShowExamSent(bool sent);

  // What the badge says: "2/4", "✓" or nothing while it is hidden.
  QString Text() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool complete_ = false;
  QString count_;
};
