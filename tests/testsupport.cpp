#include "testsupport.h"

#include "programpaths.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <QtTest>

TempProgramFolder::TempProgramFolder() {
  QStandardPaths::setTestModeEnabled(true);
  SetProgramFolder(dir_.path());
  SetTempFolder(dir_.path());
}

TempProgramFolder::~TempProgramFolder() { SetProgramFolder(QString()); }

QString TempProgramFolder::Path(const QString& relative) const { return dir_.path() + QLatin1Char('/') + relative; }

void TempProgramFolder::Write(const QString& relative, const QByteArray& contents) const {
  WriteFileBytes(Path(relative), contents);
}

QByteArray TempProgramFolder::Read(const QString& relative) const { return ReadFileBytes(Path(relative)); }

QByteArray ReadFileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

void WriteFileBytes(const QString& path, const QByteArray& contents) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(contents);
}

QTimer* WhenModalShown(const std::function<void(QWidget*)>& action) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action(modal);
  });
  timer->start();
  return timer;
}
