#pragma once

#include <QList>
#include <QString>
#include <QUrl>

class QTabWidget;
class QWidget;

// Written exercises: the answer fields of a lesson window (its plain edits
// and editable memos with a Tag above 0) kept in the settings file, one
// section per window named after it, one key per field; and the active
// exercise sent by e-mail to the Monitor.
//
// Stored answers that are not UTF-8 were written by older versions in their
// 8-bit code page and are read as Windows-1252.
void LoadWrittenAnswers(QTabWidget* pagxaro);
// The same for some of the window's components: those of a page built after
// the window. A field not built yet keeps its stored answer, since saving
// writes only the fields there are.
void LoadWrittenAnswers(QTabWidget* pagxaro, const QList<QWidget*>& components);
// Replaces the settings file once, with every field of the window in it.
// False when it could not be written; the file is then as it was.
bool SaveWrittenAnswers(QTabWidget* pagxaro);
// Saves the answers of a window about to be left. When that fails the
// learner is told, naming the file, and asked whether to leave anyway and
// lose them; false means the window stays open.
bool SaveBeforeLeaving(QTabWidget* pagxaro);
void SendToMonitor(QTabWidget* pagxaro);

// The e-mail to the Monitor for the active page: its body, and the address
// with the subject "<caption> - Pagxo <page>".
struct MonitorMessage {
  QString body;
  QString subject;
  QUrl address;
};
MonitorMessage BuildMonitorMessage(QTabWidget* pagxaro);

// "mailto:" + address + "?subject=" + subject, each part percent-encoded so
// that nothing in them can add recipients or headers.
QUrl MonitorMailUrl(const QString& address, const QString& subject);
