#pragma once

#include <QList>
#include <QWidget>

class QTabWidget;
class QToolButton;

// Shows the tabs of a page control in as many rows as their captions need,
// each row filling the page control's width, instead of one scrolling row.
// It takes the place of the page control's own tab bar, above its pages.
class MultiRowTabs : public QWidget {
  Q_OBJECT
 public:
  MultiRowTabs(QTabWidget* pages, int tabHeight);

  // Takes up the captions and the font of the page control's tabs again
  // (after a translation) and lays the rows out anew.
  void Refresh();

  int RowCount() const { return rows_; }
  QToolButton* Tab(int index) const { return tabs_.value(index); }

 private:
  void ShowCurrent(int index);

  QTabWidget* pages_;
  QRect area_;  // the page control's place in the window, tabs included
  int tabHeight_;
  int rows_ = 0;
  QList<QToolButton*> tabs_;
};
