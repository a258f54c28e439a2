#include "languagechoice.h"

#include "failurenotices.h"
#include "inifile.h"
#include "layoutpaths.h"
#include "programpaths.h"
#include "settings.h"
#include "storedtext.h"
#include "translationpaths.h"
#include "uiloader.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

namespace {
const QByteArray kTraduko = QByteArrayLiteral("Traduko");
}

int PreselectedLanguage(const QStringList& identifiers, const QString& systemAbbreviation) {
  const QString system = systemAbbreviation.trimmed().toUpper();
  for (int i = 0; i < identifiers.size(); ++i) {
    if (identifiers[i].compare(system, Qt::CaseInsensitive) == 0) return i;
  }
  for (int i = 0; i < identifiers.size(); ++i) {
    if (identifiers[i].size() >= 2 && system.size() >= 2 &&
        identifiers[i].left(2).compare(system.left(2), Qt::CaseInsensitive) == 0) {
      return i;
    }
  }
  for (int i = 0; i < identifiers.size(); ++i) {
    if (identifiers[i] == QLatin1String("EN")) return i;
  }
  return -1;
}

TForm17::TForm17(const QStringList& translationFiles, const QString& systemAbbreviation, QWidget* parent)
    : QDialog(parent), translationFiles_(translationFiles) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("languagechoice.ui")));
  setFixedSize(size());
  Tradukoj_ = findChild<QListWidget*>(QStringLiteral("Tradukoj"));
  Tradukoj_->setFont(QApplication::font());
  connect(findChild<QPushButton*>(QStringLiteral("Button1")), &QPushButton::clicked, this, &QDialog::accept);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  FillList(systemAbbreviation);
  Tradukoj_->setFocus();
}

void TForm17::FillList(const QString& systemAbbreviation) {
  for (const QString& fileName : translationFiles_) {
    const TIniFile file(TranslationFilePath(fileName));
    identifiers_.append(file.ReadString(kTraduko, "LingvoID", QStringLiteral("EN")).toUpper());
    Tradukoj_->addItem(DecodeTranslation(file.ReadBytes(kTraduko, "Lingvo", QByteArrayLiteral("....."))));
  }
  identifiers_.append(QStringLiteral("PTB"));
  Tradukoj_->addItem(BuiltInLanguageEntry);
  const int preselected = PreselectedLanguage(identifiers_, systemAbbreviation);
  if (preselected >= 0) Tradukoj_->setCurrentRow(preselected);
}

int TForm17::SelectedIndex() const {
  const QList<QListWidgetItem*> selected = Tradukoj_->selectedItems();
  return selected.isEmpty() ? -1 : Tradukoj_->row(selected.first());
}

void TForm17::done(int result) {
  if (!written_) {
    written_ = true;
    WriteChoice();
  }
  QDialog::done(result);
}

void TForm17::WriteChoice() {
  using namespace SettingsKeys;
  TIniFile* settings = SettingsFile();
  const int index = SelectedIndex();
  bool written = false;
  if (index >= 0 && index < translationFiles_.size()) {
    const QString fileName = translationFiles_[index];
    const TIniFile file(TranslationFilePath(fileName));
    QByteArray language = file.ReadBytes(kTraduko, "Lingvo", QByteArray());
    if (language.isEmpty()) language = Portuguese.toUtf8();
    QString font = file.ReadString(kTraduko, "Tiparo", QString());
    if (font.isEmpty()) font = QApplication::font().family();
    written = settings->WriteAll(
        {{General, Dosiero, fileName.toUtf8()}, {General, Lingvo, language}, {General, Tiparo, font.toUtf8()}});
  } else {
    written = settings->WriteAll({{General, Dosiero, QByteArray()},
                                  {General, Lingvo, Portuguese.toUtf8()},
                                  {General, Tiparo, QByteArrayLiteral("Arial")}});
  }
  if (!written) TellSettingsNotSaved(this);
}
