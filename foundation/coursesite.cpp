#include "coursesite.h"

#include "programpaths.h"
#include "translationfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The page below the site's folder that an address of the site names, or
// nothing when the address leaves that folder.
QString SitePagePath(const QUrl& address) {
  QString path = QDir::cleanPath(QStringLiteral("/") + address.path());
  if (path.endsWith(QLatin1Char('/'))) path += QStringLiteral("index.html");
  path = path.mid(1);
  if (path.isEmpty()) return QStringLiteral("index.html");
  if (path.startsWith(QLatin1String("..")) || path.contains(QLatin1Char('\\'))) return QString();
  return path;
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
