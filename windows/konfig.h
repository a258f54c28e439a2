#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QGroupBox;
class QLineEdit;
class QToolButton;

// The configuration window: the interface language and its font, the
// learner's Monitor (name and e-mail address), the letter system of the
// messages to the Monitor and whether they carry the drill results, and hat
// typing. Changes wait in the window until the learner saves them; a changed
// language or font then takes effect in the whole program at once. Erasing
// the progress in the drills, after a question, is done at once. Created
// afresh for every opening.
class TForm13 : public QDialog {
  Q_OBJECT
 public:
  // `translationFiles`: the translation files in tradukoj, as the main menu
  // lists them; `reloadSettings` re-reads the settings, the messages and the
  // main menu's captions; `mainWindow` is the main menu (position, caption of
  // its configuration button, picture of its exit button) and the owner.
  TForm13(QStringList translationFiles, std::function<void()> reloadSettings, QWidget* mainWindow);

  // Writes the pending settings; false, with the learner told, when the
  // settings file could not be written (the changes then stay pending).
  bool SavuClick();
  // Leaves the window, asking first about unsaved changes.
  void EliriClick();
  // Erases the progress in the drills once the learner has said yes; a
  // failed save is told and leaves it as it was.
  void RestarigiClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void LingvoChange();
  void TiparoChange();
  void KorektantoClick();
  void SistemoClick(QCheckBox* clicked);
  void CxapeligoClick();
  void SenduRezultojnClick();
  void ShowWhetherProgressIsKept();
  void Edit1Change();
  void Button1Click();
  void TradukuCxion(const QByteArray& section);
  void FillLanguageLists();
  void ShowFont(const QString& family, bool firstWhenMissing);
  void ShowSampleFont(const QString& family);
  void EnableMonitorFields(bool enabled);
  void TickLetterSystem(int system);

  QWidget* mainWindow_;
  std::function<void()> reloadSettings_;
  QStringList translationFiles_;

  // The three lists, index for index: what each installed translation file
  // names as its language and font, and the file itself.
  QStringList languageNames_;
  QStringList fontNames_;
  QStringList fileNames_;

  struct Pending {
    QString language;
    QString font;
    QString file;
    bool monitor = false;
    bool hatTyping = true;
    int letterSystem = 0;
    bool sendResults = false;
  } pending_;

  QComboBox* Lingvo_ = nullptr;
  QFontComboBox* Tiparo_ = nullptr;
  QLineEdit* Edit1_ = nullptr;
  QLineEdit* Edit2_ = nullptr;
  QLineEdit* Edit3_ = nullptr;
  QCheckBox* Korektanto_ = nullptr;
  QCheckBox* Cxapeligo_ = nullptr;
  QCheckBox* SenduRezultojn_ = nullptr;
  QToolButton* Restarigi_ = nullptr;
  QGroupBox* Sistemo_ = nullptr;
  QList<QCheckBox*> sistemoBoxes_;
  QToolButton* Savu_ = nullptr;
};
