#pragma once

#include <QString>
#include <QUrl>

// The course's own site, published on the web and installed with the course
// in the folder "retejo" beside the program, so that every link the course
// shows still works without a connection.
inline const QString CourseSiteHost = QStringLiteral("pelano-de-esperanto.github.io");

// The installed copy of a page of the course's site: the version in
// `language` ("en", "es") when the site has one, else the Portuguese page.
// Any other address, an address that would leave the site's folder, and a
// page the installed site lacks stay as they are.
QUrl InstalledSitePage(const QUrl& address, const QString& language);

// The language of the site that suits the translation in force, from its
// `LingvoID` ("ENU" and "EN" give "en"); empty for Portuguese.
QString SiteLanguage();
