#include "failurenotices.h"

#include "exercisedata.h"
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
  QMessageBox::warning(parent, ApplicationTitle, MessageNaming(Messages().smNeSalvis, QDir::toNativeSeparators(path)));
}

void TellExerciseDataMissing(QWidget* parent, const QString& code) {
  QMessageBox::information(parent, ApplicationTitle,
                           MessageNaming(Messages().smNeEkzerco, QDir::toNativeSeparators(ExerciseDataFile(code))));
}

bool OpenDocument(QWidget* parent, const QString& path) {
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return true;
  TellDocumentNotOpened(parent, path);
  return false;
}

void TellDocumentNotOpened(QWidget* parent, const QString& path) {
  QMessageBox::information(parent, ApplicationTitle,
                           MessageNaming(Messages().smNeDokumento, QDir::toNativeSeparators(path)));
}

bool OpenAddress(QWidget* parent, const QUrl& address, const QString& failure, const QString& clipboardText) {
  if (QDesktopServices::openUrl(address)) return true;
  QApplication::clipboard()->setText(clipboardText);
  QMessageBox::information(parent, ApplicationTitle, failure);
  return false;
}
