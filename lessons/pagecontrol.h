#pragma once

#include <QTabWidget>

// The page control `Pagxaro` of a lesson window. The window has a fixed
// size, so the control never needs the size its pages would like; a plain
// tab widget asks every page for it when the window is first shown, which
// lays out every word-wrapped text of the whole lesson and made opening a
// lesson several times slower. Here only the page on screen is laid out.
class PageControl : public QTabWidget {
  Q_OBJECT
 public:
  explicit PageControl(QWidget* parent);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  bool hasHeightForWidth() const override { return false; }
};
