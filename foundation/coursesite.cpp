#include "coursesite.h"

#include "programpaths.h"
#include "translationfile.h"

#include <QFileInfo>

namespace {

// The page below the site's folder that an address of the site names, or
// nothing when a part of its name could lead out of that folder.
QString SitePagePath(const QUrl& address) {
  const QString path = address.path();
  QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  for (const QString& part : parts) {
    if (part == QLatin1String(".") || part == QLatin1String("..") || part.contains(QLatin1Char('\\'))) return QString();
  }
  if (parts.isEmpty() || path.endsWith(QLatin1Char('/'))) parts.append(QStringLiteral("index.html"));
  return parts.join(QLatin1Char('/'));
}

QString InstalledFile(const QString& page) {
  const QFileInfo file(ProgramFolder() + QStringLiteral("retejo/") + page);
  return file.isFile() ? file.absoluteFilePath() : QString();
}

}  // namespace

QUrl InstalledSitePage(const QUrl& address, const QString& language) {
  const bool web = address.scheme() == QLatin1String("https") || address.scheme() == QLatin1String("http");
  if (!web || address.host().compare(CourseSiteHost, Qt::CaseInsensitive) != 0) return address;
  const QString page = SitePagePath(address);
  if (page.isEmpty()) return address;
  QString file = language.isEmpty() ? QString() : InstalledFile(language + QLatin1Char('/') + page);
  if (file.isEmpty()) file = InstalledFile(page);
  if (file.isEmpty()) return address;
  QUrl installed = QUrl::fromLocalFile(file);
  installed.setFragment(address.fragment());
  return installed;
}

QString SiteLanguage() {
  const TSharedIniFile* translation = TranslationFile();
  if (!translation) return QString();
  const QString id = QString::fromUtf8(translation->ReadString("Traduko", "LingvoID", QByteArray())).trimmed();
  return id.left(2).toLower();
}
