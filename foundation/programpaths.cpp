#include "programpaths.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString gProgramFolder;

QString WithTrailingSeparator(QString folder) {
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}

}  // namespace

const QString& ProgramFolder() { return gProgramFolder; }
void SetProgramFolder(const QString& folder) { gProgramFolder = WithTrailingSeparator(folder); }

QString DataPath(const QString& relativePath) {
  QString relative = relativePath;
  relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
  const QString exact = ProgramFolder() + relative;
  if (QFileInfo::exists(exact)) return exact;

  QString current = ProgramFolder();
  const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  for (const QString& part : parts) {
    QDir dir(current);
    QString match;
    if (dir.exists(part)) {
      match = part;
    } else {
      const QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
      for (const QString& name : names) {
        if (name.compare(part, Qt::CaseInsensitive) == 0) {
          match = name;
          break;
        }
      }
    }
    if (match.isEmpty()) return exact;
    current = dir.filePath(match);
  }
  return current;
}

bool DataFileExists(const QString& relativePath) { return QFileInfo::exists(DataPath(relativePath)); }
