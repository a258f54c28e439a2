#include "translationfiles.h"

#include "programpaths.h"
#include "settings.h"
#include "storedtext.h"
#include "translationfile.h"
#include "translationpaths.h"

#include <QFileInfo>

QString ReferenceFilePath(const QString& section) {
  return DataPath(QStringLiteral("tradukoj\\") + section + QStringLiteral(".tdf"));
}

QString ReadReference(const TSharedIniFile& reference, const QString& key) {
  return DecodeTranslation(reference.ReadString(key.toLatin1(), "caption", ReferenceNotFound.toUtf8()));
}

bool StoreTranslation(const QString& section, const QString& key, const QString& text) {
  TSharedIniFile* file = TranslationFile();
  if (!file) return false;
  // The translator works on an own copy, so that the shipped file, and a
  // build's or an installation's folder, are never written.
  const QString fileName = QFileInfo(file->Path()).fileName();
  const QString own = UserTranslationCopy(fileName);
  if (own.isEmpty()) return false;
  if (QFileInfo(own).canonicalFilePath() != QFileInfo(file->Path()).canonicalFilePath()) {
    OpenTranslationFile(own);
    file = TranslationFile();
  }
  // A read-only translation is never written, whatever the user may do.
  const QFileInfo info(file->Path());
  if (info.exists() && HasReadOnlyAttribute(file->Path())) return false;
  const QByteArray sectionName = section.toLatin1();
  const QByteArray keyName = key.toLatin1();
  const QByteArray previous = file->ReadString(sectionName, keyName, QByteArray());
  file->WriteString(sectionName, keyName, EncodeTranslation(text));
  if (file->UpdateFile()) return true;
  file->WriteString(sectionName, keyName, previous);
  return false;
}

QString TranslationNotSavedText(const QString& fileName) {
  return QStringLiteral(
             "Ne eblis konservi la tradukon en la dosiero «%1». La dosiero restas senŝanĝa; la tajpita teksto "
             "videblas nur ĝis la fenestro estos denove malfermita.")
      .arg(fileName);
}
