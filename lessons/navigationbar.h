#pragma once

#include "ownedcomponents.h"

class QLabel;
class QTabWidget;
class QToolButton;

// The strip at the bottom of every lesson window: leave, send the written
// exercise to the Monitor, save the answers, and turn the pages. It acts on
// the page control named "Pagxaro" of the window it sits in.
class TFrame6 : public TFrame {
  Q_OBJECT
 public:
  explicit TFrame6(QWidget* parent = nullptr);

  void EliriClick();
  void kovertoClick();
  void SavuClick();
  void MalantauenClick();
  void AntauenClick();
  // Shows or hides the buttons for the active page's kind.
  void PagxaroShangho();

  QToolButton* Eliri() const { return eliri_; }
  QToolButton* koverto() const { return koverto_; }
  QToolButton* Savu() const { return savu_; }
  QLabel* Helpo() const { return helpo_; }

 private:
  QTabWidget* Pagxaro() const;

  QToolButton* eliri_ = nullptr;
  QToolButton* koverto_ = nullptr;
  QToolButton* savu_ = nullptr;
  QLabel* helpo_ = nullptr;
};

// Page tags: the kind of a lesson page.
inline constexpr int WrittenExercisePage = 128;
inline constexpr int TypingPage = 2;
