#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>

// A fresh program folder for one test: the settings and data files a test
// writes there never touch the learner's own.
class TempProgramFolder {
 public:
  TempProgramFolder();
  ~TempProgramFolder();
  QString Path(const QString& relative = QString()) const;
  void Write(const QString& relative, const QByteArray& contents) const;
  QByteArray Read(const QString& relative) const;

 private:
  QTemporaryDir dir_;
};

QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& contents);

#include <QList>
#include <QObject>
#include <QUrl>

class QTimer;

// Receives what the program hands to the desktop (documents, web pages,
// e-mail), once registered with QDesktopServices::setUrlHandler.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public Q_SLOTS:
  void open(const QUrl& url) { urls.append(url); }
};

// Runs `action` on the next modal dialog as soon as it is shown; returns at
// once. Deleting the returned timer cancels the watch.
QTimer* WhenModalShown(const std::function<void(QWidget*)>& action);
