#include "lec11.h"

#include "failurenotices.h"
#include "memoplayer.h"
#include "mp3player.h"
#include "statictext.h"
#include "uiloader.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QString kSongRecording = QStringLiteral("sonoj\\lec11\\fragoj.mp3");
const QString kArticleRecording = QStringLiteral("sonoj\\lec11\\memo10.mp3");

bool IsPage(const QWidget* page, const char* name) { return page && page->objectName() == QLatin1String(name); }

}  // namespace

TForm11::TForm11(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}

// The band's songs are the course's own: their page on the course's site, installed with the course.
QUrl TForm11::ShopAddress() { return QUrl(QStringLiteral("https://pelano-de-esperanto.github.io/kantoj.html")); }

void TForm11::LessonSetUp() {
  songPlayer_ = new MemoPlayer(this, Component<QPushButton>("Butono1"), Component<QPushButton>("Butono2"),
                               Component<QPushButton>("Butono3"), kSongRecording);
  articlePlayer_ = new MemoPlayer(this, Component<QPushButton>("BitBtn4"), Component<QPushButton>("BitBtn5"),
                                  Component<QPushButton>("BitBtn6"), kArticleRecording);
  // Their clicks reach eventFilter, since the window filters every event of the application.
  for (const char* link : {"StaticText5", "StaticText6", "StaticText7"}) {
    if (auto* text = Component<StaticText>(link)) links_.append(text);
  }
}

bool TForm11::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* link = qobject_cast<QLabel*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (link && links_.contains(link) && mouse->button() == Qt::LeftButton &&
        link->rect().contains(mouse->position().toPoint())) {
      if (link->objectName() == QLatin1String("StaticText7")) {
        XButton3Click();
      } else {
        XButton1Click(link);
      }
      return true;
    }
  }
  return TLessonWindow::eventFilter(watched, event);
}

void TForm11::XButton1Click(const QLabel* link) {
  // The caption is the address; one written without its scheme still opens as a web page.
  const QUrl address = QUrl::fromUserInput(link->text().trimmed());
  if (address.isValid()) OpenLink(this, address);
}

void TForm11::XButton3Click() { OpenLink(this, ShopAddress()); }

void TForm11::LessonPageChanged() {
  if (!songPlayer_ || !articlePlayer_) return;
  const QWidget* page = Pagxaro()->currentWidget();
  if (!IsPage(page, "EkzTraduko")) articlePlayer_->StopIfOpen();
  // The song goes on while the learner reads its lyrics.
  if (!IsPage(page, "Muziko") && !IsPage(page, "Muziko1")) songPlayer_->StopIfOpen();
}

void TForm11::StopPlayback() {
  // The window is going: the sound stops, the buttons are left as they are.
  if ((songPlayer_ && songPlayer_->IsOpen()) || (articlePlayer_ && articlePlayer_->IsOpen())) {
    if (Mp3Player* player = Mp3()) player->Stop();
  }
}

QString TForm11::ArticleText() const {
  const QWidget* page = Pagxaro()->findChild<QWidget*>(QStringLiteral("EkzTraduko"));
  if (!page) return QString();
  for (const StaticText* text : page->findChildren<StaticText*>()) {
    if (ComponentTag(text) == 1) return text->text();
  }
  return QString();
}

QList<LessonRecording> TForm11::Recordings() const {
  QList<LessonRecording> recordings = TLessonWindow::Recordings();
  recordings.append({kArticleRecording, ArticleText()});
  return recordings;
}
