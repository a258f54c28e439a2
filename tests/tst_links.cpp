// Every link of the course leads to a page that exists: the pages of the course's own site open from the copy
// installed with the course, in the learner's language where the site has it, and the few links to the outside
// world go to long-lived sites.
#include "coursesite.h"
#include "failurenotices.h"
#include "lec11.h"
#include "messages.h"
#include "pelanowindow.h"
#include "programpaths.h"
#include "testsupport.h"
#include "translationfile.h"
#include "weblink.h"

#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kInstalledSite = QStringLiteral(PELANO_PROGRAM_DIR "retejo");
const QStringList kSiteLanguages{QString(), QStringLiteral("en"), QStringLiteral("es")};
// The outside world: associations and references that have stood for decades.
const QStringList kOutsideHosts{QStringLiteral("www.esperanto.org.br"), QStringLiteral("uea.org"),
                                QStringLiteral("lernu.net"), QStringLiteral("vortaro.net")};

// The caption of a component in a stored layout, read as the window would show it.
QString LayoutCaption(const QString& layout, const QString& component) {
  QFile file(QStringLiteral(":/layouts/") + layout);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  QXmlStreamReader xml(&file);
  bool inside = false;
  bool text = false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() == QLatin1String("widget")) inside = xml.attributes().value(QLatin1String("name")) == component;
    if (inside && xml.name() == QLatin1String("property")) {
      text = xml.attributes().value(QLatin1String("name")) == QLatin1String("text");
    }
    if (inside && text && xml.name() == QLatin1String("string")) return xml.readElementText();
  }
  return QString();
}

struct CourseLink {
  const char* where;
  QUrl address;
};

QList<CourseLink> CourseLinks() {
  const auto caption = [](const char* layout, const char* name) {
    return LayoutCaption(QLatin1String(layout), QLatin1String(name));
  };
  return {
      {"main menu", WebAddressUrl(caption("pelano.ui", "Ligilo"))},
      {"settings", CaptionAddress(caption("konfig.ui", "StaticText2"))},
      {"credits, licence", CaptionAddress(caption("credits.ui", "StaticText10"))},
      {"credits, author", CaptionAddress(caption("credits.ui", "StaticText9"))},
      {"lesson 2", CaptionAddress(caption("lec02.ui", "StaticText16"))},
      {"lesson 12, association", QUrl::fromUserInput(caption("lec11.ui", "StaticText5"))},
      {"lesson 12, band", QUrl::fromUserInput(caption("lec11.ui", "StaticText6"))},
      {"lesson 12, songs", TForm11::ShopAddress()},
  };
}

bool IsWeb(const QUrl& url) { return url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"); }

// What is wrong with a web or e-mail address the course shows; empty when it leads somewhere.
QString AddressFault(const QUrl& address) {
  if (address.scheme() == QLatin1String("mailto")) {
    static const QRegularExpression mailbox(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[a-z]{2,}$"));
    return mailbox.match(address.path()).hasMatch() ? QString() : QStringLiteral("not an e-mail address");
  }
  if (!IsWeb(address)) return QStringLiteral("neither a web nor an e-mail address");
  if (address.host() != CourseSiteHost) {
    return kOutsideHosts.contains(address.host()) ? QString() : QStringLiteral("an outside site not known to last");
  }
  for (const QString& language : kSiteLanguages) {
    const QUrl installed = InstalledSitePage(address, language);
    if (!installed.isLocalFile()) return QStringLiteral("no installed page for \"%1\"").arg(language);
    const QString page = QDir(kInstalledSite).relativeFilePath(installed.toLocalFile());
    if (!language.isEmpty() && !page.startsWith(language + QLatin1Char('/'))) {
      return QStringLiteral("no version in \"%1\"").arg(language);
    }
  }
  return QString();
}

}  // namespace

class TestLinks : public QObject {
  Q_OBJECT

 private:
  UrlCatcher catcher_;

 private Q_SLOTS:
  void initTestCase() { SetBuiltInMessages(); }
  void init() { catcher_.urls.clear(); }

  void everyLinkOfTheCourseLeadsToAPage() {
    SetProgramFolder(QStringLiteral(PELANO_PROGRAM_DIR));
    int ownPages = 0;
    for (const CourseLink& link : CourseLinks()) {
      const QString fault = AddressFault(link.address);
      QVERIFY2(
          fault.isEmpty(),
          qPrintable(QStringLiteral("%1: %2 (%3)").arg(QLatin1String(link.where), link.address.toString(), fault)));
      if (link.address.host() == CourseSiteHost) ++ownPages;
    }
    QCOMPARE(ownPages, 6);
    // The author is reached by e-mail.
    QCOMPARE(CaptionAddress(LayoutCaption(QStringLiteral("credits.ui"), QStringLiteral("StaticText9"))).scheme(),
             QStringLiteral("mailto"));
  }

  void everyLinkOfTheSiteLeadsToAPage() {
    SetProgramFolder(QStringLiteral(PELANO_PROGRAM_DIR));
    static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
    const QDir site(kInstalledSite);
    QStringList pages;
    for (QDirIterator it(kInstalledSite, {QStringLiteral("*.html")}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
      pages.append(site.relativeFilePath(it.next()));
    }
    pages.sort();
    QCOMPARE(pages.size(), 12);
    for (const QString& page : pages) {
      // Each page in Portuguese, English and Spanish.
      const QString name = QFileInfo(page).fileName();
      for (const QString& language : kSiteLanguages) {
        QVERIFY2(site.exists(language.isEmpty() ? name : language + QLatin1Char('/') + name), qPrintable(name));
      }
      QFile file(site.filePath(page));
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QString html = QString::fromUtf8(file.readAll());
      QVERIFY2(html.startsWith(QLatin1String("<!DOCTYPE html>")), qPrintable(page));
      int links = 0;
      for (auto match = reference.globalMatch(html); match.hasNext(); ++links) {
        const QString target = match.next().captured(1);
        const QUrl url(target);
        const QString where = page + QStringLiteral(": ") + target;
        if (!url.scheme().isEmpty()) {
          const QString fault = AddressFault(url);
          QVERIFY2(fault.isEmpty(), qPrintable(where + QStringLiteral(" (") + fault + QLatin1Char(')')));
          continue;
        }
        const QString local =
            QDir::cleanPath(QFileInfo(site.filePath(page)).absolutePath() + QLatin1Char('/') + url.path());
        QVERIFY2(QFileInfo(local).isFile(), qPrintable(where));
        QVERIFY2(!site.relativeFilePath(local).startsWith(QLatin1String("..")), qPrintable(where));
      }
      QVERIFY2(links >= 6, qPrintable(page));
    }
  }

  void installedPages() {
    TempProgramFolder folder;
    folder.Write("retejo/index.html", "<!DOCTYPE html>");
    folder.Write("retejo/monitor.html", "<!DOCTYPE html>");
    folder.Write("retejo/en/monitor.html", "<!DOCTYPE html>");
    folder.Write("konfig.ini", "[Ĝenerala]\r\n");
    const auto local = [&](const QString& page) { return QUrl::fromLocalFile(folder.Path(page)); };
    const QString site = QStringLiteral("https://") + CourseSiteHost;

    QCOMPARE(InstalledSitePage(QUrl(site), QString()), local(QStringLiteral("retejo/index.html")));
    QCOMPARE(InstalledSitePage(QUrl(site + QStringLiteral("/")), QStringLiteral("en")),
             local(QStringLiteral("retejo/index.html")));  // no English home page: the Portuguese one
    QCOMPARE(InstalledSitePage(QUrl(site + QStringLiteral("/monitor.html")), QStringLiteral("en")),
             local(QStringLiteral("retejo/en/monitor.html")));
    QCOMPARE(InstalledSitePage(QUrl(site + QStringLiteral("/monitor.html")), QStringLiteral("es")),
             local(QStringLiteral("retejo/monitor.html")));
    // The host is matched without regard to case, and a part of the page stays.
    QUrl part = local(QStringLiteral("retejo/monitor.html"));
    part.setFragment(QStringLiteral("envio"));
    QCOMPARE(
        InstalledSitePage(QUrl(QStringLiteral("http://Pelano-de-Esperanto.GitHub.io/monitor.html#envio")), QString()),
        part);

    // What the installed site does not hold stays a web address, and nothing outside its folder is ever opened.
    for (const QString& address :
         {site + QStringLiteral("/kantoj.html"), site + QStringLiteral("/../konfig.ini"),
          site + QStringLiteral("/%2E%2E/konfig.ini"), site + QStringLiteral("/retejo/../../konfig.ini"),
          QStringLiteral("https://example.org/monitor.html"), QStringLiteral("mailto:ana@example.org"),
          QStringLiteral("ftp://pelano-de-esperanto.github.io/monitor.html")}) {
      QCOMPARE(InstalledSitePage(QUrl(address), QString()), QUrl(address));
    }
  }

  void linksOpenTheInstalledPageInTheLearnersLanguage() {
    TempProgramFolder folder;
    folder.Write("retejo/monitor.html", "<!DOCTYPE html>");
    folder.Write("retejo/es/monitor.html", "<!DOCTYPE html>");
    folder.Write("tradukoj/hispana.trd", "[Traduko]\r\nLingvo=Español\r\nLingvoID=ESN\r\n");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher_, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher_, "open");
    const QUrl monitor(QStringLiteral("https://") + CourseSiteHost + QStringLiteral("/monitor.html"));
    QCOMPARE(SiteLanguage(), QString());
    QVERIFY(OpenLink(nullptr, monitor));
    OpenTranslationFile(folder.Path("tradukoj/hispana.trd"));
    QCOMPARE(SiteLanguage(), QStringLiteral("es"));
    QVERIFY(OpenLink(nullptr, monitor));
    CloseTranslationFile();
    // A page the installed course lacks is looked up on the web.
    QVERIFY(OpenLink(nullptr, QUrl(QStringLiteral("https://") + CourseSiteHost + QStringLiteral("/novajxoj.html"))));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher_.urls.size(), 3);
    QCOMPARE(catcher_.urls[0], QUrl::fromLocalFile(folder.Path("retejo/monitor.html")));
    QCOMPARE(catcher_.urls[1], QUrl::fromLocalFile(folder.Path("retejo/es/monitor.html")));
    QCOMPARE(catcher_.urls[2].host(), CourseSiteHost);
  }
};

QTEST_MAIN(TestLinks)
#include "tst_links.moc"
