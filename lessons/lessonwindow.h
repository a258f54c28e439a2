#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTabWidget;
class TFrame6;

// A recording a lesson window needs: where it lies below the program
// folder, and what it says.
struct LessonRecording {
  QString relativePath;
  QString text;
};

// What sets one lesson window apart in the shared frame.
struct LessonWindowDefinition {
  const char* layout;        // stored layout, such as "lec01.ui"
  int lessonValue;           // stored as LastaLeciono when the window closes (1 to 13)
  const char* section;       // translation section, such as "Lec01"
  const char* lessonNumber;  // LessonContext.LessonNumber: the folder sonoj\lecNN; empty: not set
  unsigned colour;           // window colour, choosing the heading strips
};

// The shared frame of every lesson window: the page control `Pagxaro`, the
// navigation bar `SubaParto`, speaking buttons, answer fields that enable
// saving, Page Up / Page Down, the remembered page and the closing rules.
// A lesson adds its own drills by overriding the hooks.
class TLessonWindow : public QDialog {
  Q_OBJECT
 public:
  TLessonWindow(const LessonWindowDefinition& definition, QWidget* owner);

  // Whether the stored layout was read and holds the page control and the
  // navigation bar; a window without them is never shown.
  bool IsComplete() const { return pagxaro_ && subaParto_; }

  // The creation steps; called once right after construction.
  void FormCreate();

  QTabWidget* Pagxaro() const { return pagxaro_; }
  TFrame6* SubaParto() const { return subaParto_; }
  // True from the moment the window starts closing: drills waiting on
  // something end at once, without verdict or sound.
  bool Closing() const { return closing_; }

  void done(int result) override;

  // A double-click on one of the window's plain labels: opens the
  // translator on it (translator mode only).
  void Tradukilo(QLabel* sender);

  // Every recording the window may play: its speaking buttons and the items
  // of its pronunciation and listening drills.
  virtual QList<LessonRecording> Recordings() const;

 protected:
  virtual void SetLessonContext() {}   // the exercise codes of the window's drills
  virtual void LessonSetUp() {}        // pictures and handlers of the window's own drills
  virtual void LessonPageChanged() {}  // stops what must not run on the new page
  virtual void StopPlayback() {}       // the window's own players, before it closes
  // Buttons handled by the lesson itself are not speaking buttons.
  virtual bool IsSpeakingButton(const QPushButton* button) const;

  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  template <typename T>
  T* Component(const char* name) const {
    return findChild<T*>(QLatin1String(name));
  }

 private:
  void PagxaroChange();
  void StopPronunciationPractice();
  void ButonKlako();
  void Edit2Change();
  void WireComponents();
  void FormShow();

  LessonWindowDefinition definition_;
  QTabWidget* pagxaro_ = nullptr;
  TFrame6* subaParto_ = nullptr;
  bool shown_ = false;
  bool closing_ = false;
};

// Tab width giving every tab an equal share of the page control's width.
int TabWidth(int pageControlWidth, int pageCount);
