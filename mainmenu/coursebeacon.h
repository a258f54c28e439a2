#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// Lets a second copy of the course, started by the same learner, bring the
// first one forward instead of opening beside it. The first copy listens
// under a name made from its settings file; the second calls that name.
class CourseBeacon : public QObject {
  Q_OBJECT
 public:
  // Starts listening under the name for `settingsPath`.
  explicit CourseBeacon(const QString& settingsPath, QObject* parent = nullptr);

  // Asks the copy listening for `settingsPath` to come forward; false when
  // none answered.
  static bool CallForward(const QString& settingsPath);

 Q_SIGNALS:
  void ForwardRequested();

 private:
  QLocalServer server_;
};

// Raises the window the learner would work in: the modal window open, if
// any, else `mainWindow`.
void BringForward(QWidget* mainWindow);
