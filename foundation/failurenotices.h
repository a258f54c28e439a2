#pragma once

#include <QString>

class QUrl;
class QWidget;

// What the learner is told when something the course asked of the system did
// not happen, so that no failure passes in silence. Every text comes from the
// message table.

// The settings file could not be written; the box names it.
void TellSettingsNotSaved(QWidget* parent);

// A drill found no items to ask in its exercise data (missing, empty or
// unreadable); the box names the data file of `code`.
void TellExerciseDataMissing(QWidget* parent, const QString& code);

// Hands a help document, web page or e-mail to the desktop. When the desktop
// cannot open it, says what to do instead: for a local document where it
// lies; for an address, `clipboardText` is put on the clipboard and `failure`
// is shown. False when the desktop failed.
bool OpenDocument(QWidget* parent, const QString& path);
void TellDocumentNotOpened(QWidget* parent, const QString& path);
bool OpenAddress(QWidget* parent, const QUrl& address, const QString& failure, const QString& clipboardText);
// A web page, or an e-mail address of a link: a page of the course's own site
// opens from its installed copy; when the desktop cannot open it, the address
// goes to the clipboard and the learner is told.
bool OpenLink(QWidget* parent, const QUrl& address);
