#include "translationpaths.h"

#include "inilines.h"
#include "programpaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// The translation files of a folder, known by their ending. A name filter
// would build a pattern first, which costs more than the listing itself
// when the main menu is made.
QStringList TranslationFilesIn(const QString& folder) {
  QStringList names = QDir(folder).entryList(QDir::Files);
  names.removeIf([](const QString& name) { return !name.endsWith(QLatin1String(".trd"), Qt::CaseInsensitive); });
  return names;
}

QString gUserFolder;
}  // namespace

QString UserTranslationFolder() {
  if (!gUserFolder.isEmpty()) return gUserFolder;
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/pelano/tradukoj/");
}

void SetUserTranslationFolder(const QString& folder) {
  gUserFolder = folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString TranslationFilePath(const QString& fileName) {
  const QString own = UserTranslationFolder() + fileName;
  if (!fileName.isEmpty() && QFileInfo(own).isFile()) return own;
  return DataPath(QStringLiteral("tradukoj\\") + fileName);
}

QStringList TranslationFileNames() {
  QStringList names = TranslationFilesIn(DataPath(QStringLiteral("tradukoj")));
  for (const QString& name : TranslationFilesIn(UserTranslationFolder())) {
    if (!names.contains(name, Qt::CaseInsensitive)) names.append(name);
  }
  std::sort(names.begin(), names.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  return names;
}

QString UserTranslationCopy(const QString& fileName) {
  const QString own = UserTranslationFolder() + fileName;
  if (QFileInfo(own).isFile()) return own;
  QByteArray contents;
  if (!IniLines::ReadFile(TranslationFilePath(fileName), contents)) return QString();
  if (!QDir().mkpath(UserTranslationFolder()) || !IniLines::WriteFileAtomically(own, contents)) return QString();
  return own;
}
