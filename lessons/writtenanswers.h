#pragma once

#include <QString>
#include <QUrl>

class QTabWidget;
class QWidget;

// Written exercises: the answer fields of a lesson window (its plain edits
// and editable memos with a Tag above 0) kept in the settings file, one
// section per window named after it, one key per field; and the active
// exercise sent by e-mail to the Monitor.
void LoadWrittenAnswers(QTabWidget* pagxaro);
void SaveWrittenAnswers(QTabWidget* pagxaro);
void SendToMonitor(QTabWidget* pagxaro);

// The e-mail to the Monitor for the active page: its body, and the address
// with the subject "<caption> - Pagxo <page>".
struct MonitorMessage {
  QString body;
  QUrl address;
};
MonitorMessage BuildMonitorMessage(QTabWidget* pagxaro);

// "mailto:" + address + "?subject=" + subject, each part percent-encoded so
// that nothing in them can add recipients or headers.
QUrl MonitorMailUrl(const QString& address, const QString& subject);
