#include "testsupport.h"

#include "exercisedata.h"
#include "messages.h"
#include "programpaths.h"
#include "translationpaths.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

TempProgramFolder::TempProgramFolder() {
  QStandardPaths::setTestModeEnabled(true);
  SetProgramFolder(dir_.path());
  SetUserTranslationFolder(UserTranslations());
}

TempProgramFolder::~TempProgramFolder() {
  SetProgramFolder(QString());
  SetUserTranslationFolder(QString());
}

QString TempProgramFolder::UserTranslations() const { return dir_.path() + QStringLiteral("/user-data/tradukoj/"); }

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
    // A waiting action may let the deferred delete of the timer run, and this
    // lambda and its captures go with it: the action runs from a copy.
    const std::function<void(QWidget*)> run = action;
    timer->deleteLater();
    run(modal);
  });
  timer->start();
  return timer;
}

QString MissingData(const QString& code) {
  return MessageNaming(Messages().smNeEkzerco, QDir::toNativeSeparators(ExerciseDataFile(code)));
}

QString MessageShownBy(const std::function<void()>& action) {
  QString shown;
  QPointer<QTimer> watch = WhenModalShown([&shown](QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) shown = box->text();
    modal->close();
  });
  action();
  delete watch.data();
  return shown;
}

int TestDrillHost::CurrentPage() const { return pages ? pages->currentIndex() : -1; }

const char* TestDrillHost::Keep(const QString& code) {
  kept_.append(code.toLatin1());
  return kept_.last().constData();
}

DrillTestWindow::DrillTestWindow() : pages(new QTabWidget(&window)) {
  window.pages = pages;
  window.setObjectName(QStringLiteral("Form8"));
  pages->setObjectName(QStringLiteral("Pagxaro"));
  window.resize(640, 480);
}

QWidget* DrillTestWindow::AddPage(const QString& name) {
  auto* page = new QWidget;
  page->setObjectName(name);
  new QVBoxLayout(page);
  pages->addTab(page, QString::number(pages->count() + 1));
  return page;
}

QPushButton* DrillTestWindow::AddButton(QWidget* page, int number, const QString& caption) {
  auto* button = new QPushButton(caption, page);
  button->setObjectName(QStringLiteral("Button%1").arg(number));
  page->layout()->addWidget(button);
  return button;
}

QLabel* DrillTestWindow::AddLabel(QWidget* page, int number, const QString& text) {
  auto* label = new QLabel(text, page);
  label->setObjectName(QStringLiteral("Label%1").arg(number));
  page->layout()->addWidget(label);
  return label;
}

void DrillTestWindow::ShowPage(QWidget* page) {
  pages->setCurrentWidget(page);
  window.show();
  QApplication::setActiveWindow(&window);
}
