#pragma once

#include <QLabel>

// A static text: a label with its own frame and background that the layouts
// use for lesson text, counters and prompts. It is a class of its own because
// translation and sending to the Monitor treat it differently from a plain
// label.
class StaticText : public QLabel {
  Q_OBJECT
 public:
  explicit StaticText(QWidget* parent = nullptr);
};
