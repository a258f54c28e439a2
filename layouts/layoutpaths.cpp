#include "layoutpaths.h"

#include <QDir>

QString LayoutPath(const QString& fileName) { return QStringLiteral(":/layouts/") + fileName; }

QStringList AllLayoutPaths() {
  QStringList paths;
  const QStringList names = QDir(QStringLiteral(":/layouts")).entryList({QStringLiteral("*.ui")}, QDir::Files);
  for (const QString& name : names) paths.append(LayoutPath(name));
  return paths;
}
