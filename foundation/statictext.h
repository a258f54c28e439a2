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

// Sizes a label to its caption, keeping its height; an empty one takes no
// room. Drills lay their words out one after the other this way.
void FitToCaption(QLabel* label);
