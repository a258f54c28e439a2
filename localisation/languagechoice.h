#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

// The choice of the interface language on a first start: the installed
// translation files and the built-in Portuguese, preselected from the
// system's language. Closing the window, by its button or its close box,
// stores the choice in the settings file.
class TForm17 : public QDialog {
  Q_OBJECT
 public:
  // `translationFiles`: bare file names in tradukoj, sorted as the main
  // window lists them; `systemAbbreviation`: such as "PTB".
  TForm17(const QStringList& translationFiles, const QString& systemAbbreviation, QWidget* parent = nullptr);

  int SelectedIndex() const;

  void done(int result) override;

 private:
  void FillList(const QString& systemAbbreviation);
  void WriteChoice();

  QListWidget* Tradukoj_ = nullptr;
  QStringList translationFiles_;
  QStringList identifiers_;
  bool written_ = false;
};

// The entry to preselect among the identifiers, or -1.
int PreselectedLanguage(const QStringList& identifiers, const QString& systemAbbreviation);

inline const QString BuiltInLanguageEntry = QStringLiteral("Português (Portugala)");
