#pragma once

#include "drillhost.h"
#include "ownedcomponents.h"

#include <QIcon>
#include <QList>
#include <QSet>
#include <QString>

#include <memory>

class QLabel;
class QPushButton;
class QTabWidget;
class DrillPanel;
class TFrame6;
class PelanoUiLoader;
struct LessonEntry;
struct PagedLayout;

// How a lesson window builds its pages: all before it is shown (tools,
// tests), or the page it opens on first and the rest once it is on screen
// (the main menu).
enum class PageBuilding { AllAtOnce, FirstPageFirst };

// A recording a lesson window needs: where it lies below the program
// folder, and what it says.
struct LessonRecording {
  QString relativePath;
  QString text;
};

// The shared frame of every lesson window: the page control `Pagxaro`, the
// navigation bar `SubaParto`, speaking buttons, answer fields that enable
// saving, Page Up / Page Down, the remembered page and the closing rules.
// A lesson adds its own drills by overriding the hooks. What sets a window
// apart (layout, colour, sound folder, drill codes) is its catalogue entry.
class TLessonWindow : public DrillHost {
  Q_OBJECT
 public:
  TLessonWindow(const LessonEntry& entry, QWidget* owner);
  ~TLessonWindow() override;

  // Whether the stored layout was read and holds the page control and the
  // navigation bar; a window without them is never shown.
  bool IsComplete() const { return pagxaro_ && subaParto_; }

  // The creation steps; called once right after construction. With
  // FirstPageFirst only the page to open on is built now and the others
  // right after the window has first painted, so that the learner sees the
  // lesson at once; see CompletePages.
  void FormCreate(PageBuilding building = PageBuilding::AllAtOnce);
  // Builds every page not built yet and sets up the lesson's own drills.
  // Whatever needs a page that is not there yet (turning to it, the
  // recordings) completes the window first.
  void CompletePages();
  bool PagesComplete() const { return complete_; }
  bool PageBuilt(int index) const { return index >= 0 && index < built_.size() && built_[index]; }

  QTabWidget* Pagxaro() const { return pagxaro_; }
  TFrame6* SubaParto() const { return subaParto_; }
  const LessonEntry& Entry() const { return entry_; }

  const DrillCodes& Codes() const override;
  QString SoundFolder() const override;
  int CurrentPage() const override;

  void done(int result) override;

  // A double-click on one of the window's plain labels: opens the
  // translator on it (translator mode only).
  void Tradukilo(QLabel* sender);

  // Every recording the window may play: its speaking buttons and the items
  // of its pronunciation and listening drills.
  virtual QList<LessonRecording> Recordings() const;

 protected:
  virtual void LessonSetUp() {}        // pictures and handlers of the window's own drills
  virtual void LessonPageChanged() {}  // stops what must not run on the new page
  virtual void StopPlayback() {}       // the window's own players, before it closes
  // Buttons handled by the lesson itself are not speaking buttons.
  virtual bool IsSpeakingButton(const QPushButton* button) const;

  void showEvent(QShowEvent* event) override;
  // Escape does not close a lesson window: only Eliri and the close box do.
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  template <typename T>
  T* Component(const char* name) const {
    return findChild<T*>(QLatin1String(name));
  }
  // The window's own component of that name; the frames inside hold
  // components of the same names (Edit1, Korekta, Panel2, ...).
  template <typename T>
  T* Own(const char* name) const {
    return qobject_cast<T*>(OwnedComponent(const_cast<TLessonWindow*>(this), QLatin1String(name)));
  }
  // The panel of a drill on one of the window's own pages: start BitBtn1,
  // stop BitBtn3 and the counters Placar1 … Placar4.
  DrillPanel* OwnDrillPanel();

 private:
  void PagxaroChange();
  void StopPronunciationPractice();
  void ButonKlako();
  void Edit2Change();
  // The page the window opens on: the first, or the remembered one.
  int StartPage() const;
  // Builds a page into its empty place; false when it was built already.
  bool BuildPage(int index);
  // What every component needs once built: pictures, translation, stored
  // answers and handlers; `root` is the window or a page built later.
  void PrepareComponents(QWidget* root);
  void WireComponents(const QList<QWidget*>& components);
  void FormShow();
  void CompleteUnlessClosing();
  // Tab goes through a page's answer fields top to bottom, left to right.
  void OrderAnswerFields(QWidget* page);
  // Each drill shows its best result, and the tab of a page whose drill was
  // passed carries a tick.
  void ShowProgress();

  const LessonEntry& entry_;
  const PagedLayout* layout_ = nullptr;
  std::unique_ptr<PelanoUiLoader> loader_;  // kept until every page is built
  QList<bool> built_;
  bool complete_ = false;
  bool completionPosted_ = false;
  QSet<QWidget*> orderedPages_;
  QTabWidget* pagxaro_ = nullptr;
  TFrame6* subaParto_ = nullptr;
  bool shown_ = false;
};

// A tab icon with a tick in its corner: the page's drill was passed.
QIcon WithPassedMark(const QIcon& icon);

// Tab width giving every tab an equal share of the page control's width.
int TabWidth(int pageControlWidth, int pageCount);
