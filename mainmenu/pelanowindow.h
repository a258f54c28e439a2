#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class Mp3Player;
class QDialog;
class QPushButton;
class QUrl;

// The main menu: owner of everything that outlives a lesson (the settings
// file, the translation in force, the custom cursors), it opens one lesson or
// other window at a time, resumes where the learner stopped, opens the help
// documents and switches the translator mode with Ctrl+T.
class TPelano : public QWidget {
  Q_OBJECT
 public:
  // Creates a window to be shown modally; null when there is none to show.
  using WindowFactory = std::function<std::unique_ptr<QDialog>(QWidget* owner)>;

  explicit TPelano(QWidget* parent = nullptr);
  ~TPelano() override;

  // The translation files present in tradukoj, sorted by name.
  const QStringList& TranslationFiles() const { return FileListBox1_; }

  // Re-reads settings, messages and captions (after a change of language or font).
  void LoadSettingsAndMessages();
  // Marks beside the lesson buttons: the drills passed, the exam sent.
  void ShowProgress();

  // The window each lesson number (1 to 13) opens.
  static void SetLessonWindowFactory(int lessonNumber, WindowFactory factory);
  static void SetConfigurationWindowFactory(WindowFactory factory);
  static void SetCreditsWindowFactory(WindowFactory factory);

  // Creates, shows modally and releases a window, with the busy cursor while
  // it is built; `stopSound` silences the player first (lesson windows).
  void OpenModalWindow(const WindowFactory& factory, bool stopSound = false);

  // Whether another copy of the course, started by the same learner, holds
  // the settings file; this one then writes nothing and is not shown.
  bool AnotherCopyRuns() const { return anotherCopy_; }

  // The program's single MP3 player.
  Mp3Player& mp3() const { return *mp3_; }

  // After the window has closed: lets the farewell be heard to its end
  // (a few seconds at most) before the program ends.
  void WaitForFarewell();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void FormCloseQuery();
  void KiuLingvo();
  void ConnectButtons();
  void OpenLesson(int lessonNumber);
  void KieButonoClick();
  void OpenHelpDocument(const QString& builtInFile, const QByteArray& translationKey, const QString& defaultFile);
  void ToggleTranslator();
  void PlayGreeting();
  void PlayFarewell();
  void mp3NotifyPlayerState(int state);
  void mp3NotifyInputTimecode(int hours, int minutes, int seconds, int hundredths);
  QPushButton* Button(const char* name) const;

  QStringList FileListBox1_;
  std::unique_ptr<Mp3Player> mp3_;
  bool greetingPending_ = false;
  bool anotherCopy_ = false;
};

// The address a web link's caption names; a caption without a scheme is an https address.
QUrl WebAddressUrl(const QString& address);

// The full path of the help document `name` in tradukoj: empty unless it
// names, without any folder, an existing document of that folder.
QString HelpDocumentPath(const QString& name);

// Lesson number (1 to 13) of each lesson button, by button name.
int LessonNumberOfButton(const QString& buttonName);
QString LessonButtonOfNumber(int lessonNumber);
