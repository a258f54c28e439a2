#include "lec09.h"

#include "memoplayer.h"
#include "ownedcomponents.h"
#include "statictext.h"
#include "uiloader.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPushButton>
#include <QTabWidget>

namespace {

struct Reading {
  const char* page;
  const char* recording;
};
const Reading kReadings[] = {{"EkzTraduko1", "sonoj\\lec09\\memo4.mp3"},
                             {"EkzTraduko2", "sonoj\\lec09\\memo6.mp3"},
                             {"EkzTraduko3", "sonoj\\lec09\\memo8.mp3"}};

}  // namespace

TForm9::TForm9(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}

void TForm9::LessonSetUp() {
  auto trio = [this](const char* play, const char* pause, const char* stop, const char* recording) {
    return new MemoPlayer(this, Component<QPushButton>(play), Component<QPushButton>(pause),
                          Component<QPushButton>(stop), QLatin1String(recording));
  };
  bitBtn10Trio_ = trio("BitBtn10", "BitBtn11", "BitBtn12", kReadings[0].recording);
  bitBtn7Trio_ = trio("BitBtn7", "BitBtn8", "BitBtn9", kReadings[1].recording);
  butono1Trio_ = trio("Butono1", "Butono2", "Butono3", kReadings[2].recording);
}

void TForm9::EndRunOnReturn(const QString& pageName, const QString& frameName) {
  const QWidget* page = Pagxaro()->currentWidget();
  if (!page || page->objectName() != pageName) return;
  QWidget* frame = OwnedComponent(this, frameName);
  auto* stop = frame ? frame->findChild<QAbstractButton*>(QStringLiteral("BitBtn5")) : nullptr;
  if (!stop || !stop->isEnabled()) return;
  stop->click();
  QCoreApplication::processEvents();
}

void TForm9::LessonPageChanged() {
  // A gap-filling run goes on while the learner looks elsewhere and ends
  // without a verdict on coming back to its page.
  EndRunOnReturn(QStringLiteral("EkzVerbajFinajhoj"), QStringLiteral("TFrame41"));
  EndRunOnReturn(QStringLiteral("EkzPronomoj"), QStringLiteral("Frame42"));
  StopPlayback();
}

void TForm9::StopPlayback() {
  for (MemoPlayer* trio : {butono1Trio_, bitBtn7Trio_, bitBtn10Trio_}) {
    if (trio) trio->StopIfOpen();
  }
}

QString TForm9::ReadingText(const QString& pageName) const {
  const QWidget* page = Pagxaro()->findChild<QWidget*>(pageName);
  if (!page) return QString();
  for (const StaticText* text : page->findChildren<StaticText*>()) {
    if (ComponentTag(text) == 1) return text->text();
  }
  return QString();
}

QList<LessonRecording> TForm9::Recordings() const {
  QList<LessonRecording> recordings = TLessonWindow::Recordings();
  for (const Reading& reading : kReadings) {
    recordings.append({QLatin1String(reading.recording), ReadingText(QLatin1String(reading.page))});
  }
  return recordings;
}
