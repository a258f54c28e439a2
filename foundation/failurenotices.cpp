#include "failurenotices.h"

#include "coursesite.h"
#include "exercisedata.h"
#include "messagebox.h"
#include "messages.h"
#include "settings.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QUrl>

void TellSettingsNotSaved(QWidget* parent) {
  const QString path = SettingsFile() ? SettingsFile()->FileName() : SettingsFileName;
  ShowMessage(parent, QMessageBox::Warning, MessageNaming(Messages().smNeSalvis, QDir::toNativeSeparators(path)));
}

void TellExerciseDataMissing(QWidget* parent, const QString& code) {
  ShowMessage(parent, QMessageBox::Information,
              MessageNaming(Messages().smNeEkzerco, QDir::toNativeSeparators(ExerciseDataFile(code))));
}

bool OpenDocument(QWidget* parent, const QString& path) {
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return true;
  TellDocumentNotOpened(parent, path);
  return false;
}

void TellDocumentNotOpened(QWidget* parent, const QString& path) {
  ShowMessage(parent, QMessageBox::Information,
              MessageNaming(Messages().smNeDokumento, QDir::toNativeSeparators(path)));
}

bool OpenLink(QWidget* parent, const QUrl& address) {
  const QString text = address.scheme() == QLatin1String("mailto") ? address.path() : address.toString();
  return OpenAddress(parent, InstalledSitePage(address, SiteLanguage()), MessageNaming(Messages().smNeRetejo, text),
                     text);
}

bool OpenAddress(QWidget* parent, const QUrl& address, const QString& failure, const QString& clipboardText) {
  if (QDesktopServices::openUrl(address)) return true;
  QApplication::clipboard()->setText(clipboardText);
  ShowMessage(parent, QMessageBox::Information, failure);
  return false;
}
