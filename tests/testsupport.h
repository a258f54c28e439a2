#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>

// A fresh program folder for one test: the settings and data files a test
// writes there never touch the learner's own.
class TempProgramFolder {
 public:
  TempProgramFolder();
  ~TempProgramFolder();
  QString Path(const QString& relative = QString()) const;
  void Write(const QString& relative, const QByteArray& contents) const;
  QByteArray Read(const QString& relative) const;
  // The translator's own translation files of this program folder's user.
  QString UserTranslations() const;

 private:
  QTemporaryDir dir_;
};

QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& contents);

#include <QList>
#include <QObject>
#include <QUrl>

#include "drillhost.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

// The host window of drills under test: codes and sound folder set by the
// test, the page on show from its page control, and a close as a lesson
// window's.
class TestDrillHost : public DrillHost {
 public:
  DrillCodes codes;
  QString soundFolder;
  QTabWidget* pages = nullptr;

  const DrillCodes& Codes() const override { return codes; }
  QString SoundFolder() const override { return soundFolder; }
  int CurrentPage() const override;
  // What a lesson window does when it starts closing.
  void StartClosing() { BeginClosing(); }
  // Keeps a code as long as the host, for the fields of `codes`.
  const char* Keep(const QString& code);

 private:
  QList<QByteArray> kept_;
};

// A lesson window as the drills see it: a dialog named like a lesson window
// holding the page control `Pagxaro`, with pages, speaking buttons, labels
// and frames added by the test.
class DrillTestWindow {
 public:
  DrillTestWindow();
  TestDrillHost window;
  QTabWidget* pages = nullptr;

  QWidget* AddPage(const QString& name = QString());
  QPushButton* AddButton(QWidget* page, int number, const QString& caption);
  QLabel* AddLabel(QWidget* page, int number, const QString& text);
  // Puts a frame of class T, named `frameName`, alone on a new page and makes that page active.
  template <typename T>
  T* AddFrame(const QString& pageName, const QString& frameName) {
    QWidget* page = AddPage(pageName);
    auto* frame = new T(page);
    frame->setObjectName(frameName);
    ShowPage(page);
    return frame;
  }

 private:
  void ShowPage(QWidget* page);
};

// Receives what the program hands to the desktop (documents, web pages,
// e-mail), once registered with QDesktopServices::setUrlHandler.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public Q_SLOTS:
  void open(const QUrl& url) { urls.append(url); }
};

// Runs `action` on the next modal dialog as soon as it is shown; returns at
// once. Deleting the returned timer cancels the watch.
QTimer* WhenModalShown(const std::function<void(QWidget*)>& action);

// The message a drill shows when the data of exercise `code` cannot be used.
QString MissingData(const QString& code);

// Runs `action` and closes the first message box it shows; returns that
// box's text, empty when it showed none.
QString MessageShownBy(const std::function<void()>& action);
