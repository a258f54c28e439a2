#pragma once

#include <QObject>

// Installed on the application, it hands every typed character to
// ApplyHatKey before the focused control of any window or dialog sees it.
class HatTypingFilter : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
