#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class TSharedIniFile;

// The translator's dialog "Traduku la frazon": shows the source text of a
// label, lets the translator type its translation while the label follows
// every keystroke, and saves it to the translation file in force. Created
// once at program start and reused; OpenTranslator shows it.
class TForm19 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm19(QWidget* owner = nullptr);
  ~TForm19() override;

  // The one dialog of the program; null before it is created.
  static TForm19* Instance();

  // Opens the dialog modally on `object` when a translation is in force, the
  // translator switch is on and the dialog is not showing already.
  void Open(QLabel* object, const QString& windowName);

  QString Section() const { return section_; }
  QString Key() const { return key_; }

  void Button1Click();  // "Savu la modifojn"
  void Button2Click();  // "Nuligu la modifojn"

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void KeepCaptionsApart(const char* captionName, const char* valueName);
  void FormShow();
  void TajpuChange();
  QString TypedText() const;

  QPlainTextEdit* tajpu_ = nullptr;
  QPlainTextEdit* legu_ = nullptr;
  QPointer<QLabel> object_;
  QString windowName_;
  QString key_;
  QString section_;
  QString savedCaption_;
  std::unique_ptr<TSharedIniFile> reference_;
  bool filling_ = false;
};

// Tradukilo: what a double-click on a translatable label does. `windowName`
// is the component name of the window or frame that handles it.
void OpenTranslator(QLabel* object, const QString& windowName);

// The translation key of a label and its section, as the translator stores
// them: a frame's fixed labels are keyed by their frame ("TFrame1.Label7")
// and belong to "Gheneralaj", the gap-filling instructions to the lesson.
QString TranslatorKey(const QLabel* object);
QString TranslatorSection(const QLabel* object, const QString& windowName);

// Wires Tradukilo to the double-click of the translatable labels owned by
// `owner`: every plain label of a window, the fixed labels of an exercise
// frame ("Label7", "Label84" …). Without a handler of the owner's own, the
// double-click opens the translator with the owner's component name as the
// window name. Windows call it once they are built, frames in their
// constructor.
void WireTranslatorLabels(QWidget* owner, std::function<void(QLabel*)> tradukilo = {});
