#pragma once

#include <QDialog>
#include <QString>

#include <array>

// A gap-filling frame of a window and the exercise it asks.
struct GapDrill {
  const char* frame = "";
  const char* code = "";
};

// The exercise codes of the drills a window holds; empty: the window has no
// such drill.
struct DrillCodes {
  const char* wordGame = "";
  const char* pronunciation = "";
  const char* listening = "";
  const char* accusative = "";
  const char* accusativeTexts = "";  // the translations shown under the accusative sentences
  std::array<GapDrill, 2> gaps{};
  const char* own = "";  // the window's own drill on one of its pages
};

// What a drill needs of the window that holds it: its exercise codes, its
// sound folder, the page on show and the news that it is closing. Every
// lesson window is a host; a drill's host is its window.
class DrillHost : public QDialog {
  Q_OBJECT
 public:
  using QDialog::QDialog;

  virtual const DrillCodes& Codes() const = 0;
  // The folder of the window's recordings below "sonoj\lec" ("01", "5A").
  virtual QString SoundFolder() const = 0;
  virtual int CurrentPage() const = 0;

  // True from the moment the window starts closing.
  bool Closing() const { return closing_; }

 Q_SIGNALS:
  // Every wait of a drill ends at once: no verdict, no sound, no widget
  // touched after it.
  void closing();

 protected:
  void BeginClosing() {
    if (closing_) return;
    closing_ = true;
    Q_EMIT closing();
  }

 private:
  bool closing_ = false;
};

// The exercise of the gap-filling frame of that name; empty when none.
inline QString GapCodeOf(const DrillCodes& codes, const QString& frameName) {
  for (const GapDrill& gaps : codes.gaps) {
    if (frameName == QLatin1String(gaps.frame)) return QLatin1String(gaps.code);
  }
  return QString();
}

// The host of a drill widget: its window, when that window is one.
inline DrillHost* HostOf(const QWidget* drill) { return drill ? qobject_cast<DrillHost*>(drill->window()) : nullptr; }
