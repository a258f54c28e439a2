#pragma once

#include "drillhost.h"
#include "ownedcomponents.h"

#include <QIcon>
#include <QSet>
#include <QString>

class QLabel;
class QPushButton;
class QTabWidget;
class DrillPanel;
class TFrame6;
struct LessonEntry;

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

  // Whether the stored layout was read and holds the page control and the
  // navigation bar; a window without them is never shown.
  bool IsComplete() const { return pagxaro_ && subaParto_; }

  // The creation steps; called once right after construction.
  void FormCreate();

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
  void WireComponents();
  void FormShow();
  // Tab goes through a page's answer fields top to bottom, left to right.
  void OrderAnswerFields(QWidget* page);
  // Each drill shows its best result, and the tab of a page whose drill was
  // passed carries a tick.
  void ShowProgress();

  const LessonEntry& entry_;
  QSet<QWidget*> orderedPages_;
  QTabWidget* pagxaro_ = nullptr;
  TFrame6* subaParto_ = nullptr;
  bool shown_ = false;
};

// A tab icon with a tick in its corner: the page's drill was passed.
QIcon WithPassedMark(const QIcon& icon);

// Tab width giving every tab an equal share of the page control's width.
int TabWidth(int pageControlWidth, int pageCount);
