#include "lec02.h"

#include "coursesounds.h"
#include "failurenotices.h"
#include "mp3player.h"
#include "ownedcomponents.h"
#include "playeractions.h"
#include "playerhelpers.h"
#include "programpaths.h"
#include "songlyrics.h"
#include "storedpictures.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>

#include <array>
#include <cmath>

namespace {

constexpr double kBeatHundredths = 85.6;

constexpr std::array<const char*, TForm2::PictureCount> kPictureFiles{
    "enkon00.png",       "enkon01.png",   "enkon02.png", "enkon03.png",          "enkon04.png",        "suno.png",
    "luno.png",          "suno_luno.png", "vikingo.png", "urbano.png",           "vikingo_urbano.png", "vi_mi.png",
    "akvo_oleo.png",     "mandrilo.png",  "shakalo.png", "mandrilo_shakalo.png", "kastelo.png",        "igluo.png",
    "kastelo_igluo.png", "pomsuko.png",   "veneno.png",  "pomsuko_veneno.png",   "vinil.png"};

// The song's pictures as runs of beats: each run shows its picture from its first beat to the next run.
struct Run {
  int firstBeat;
  int picture;
};
constexpr std::array<Run, 36> kRuns{{
    {0, 0},   {5, 1},   {6, 2},   {7, 3},    {8, 4},    {9, 5},    {13, 6},   {17, 7},   {25, 8},
    {30, 9},  {33, 10}, {40, 11}, {44, 12},  {48, 11},  {52, 12},  {58, 13},  {62, 14},  {66, 15},
    {74, 16}, {78, 17}, {82, 18}, {88, 11},  {92, 12},  {97, 11},  {101, 12}, {106, 22}, {130, 1},
    {131, 2}, {132, 3}, {133, 4}, {134, 19}, {138, 20}, {142, 21}, {148, 11}, {152, 12}, {158, 22},
}};

void EndOfSong(QWidget* activeWindow) {
  if (auto* form = qobject_cast<TForm2*>(activeWindow)) form->SongEnded();
}

}  // namespace

TForm2::TForm2(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}

TForm2::~TForm2() { SetTimecodeListener({}); }

int TForm2::BeatAt(int hundredths) { return static_cast<int>(std::nearbyint(hundredths / kBeatHundredths)); }

int TForm2::PictureOfBeat(int beat) {
  int picture = kRuns.front().picture;
  for (const Run& run : kRuns) {
    if (run.firstBeat > beat) break;
    picture = run.picture;
  }
  return picture;
}

QString TForm2::PicturePath(int picture) {
  return QStringLiteral("figuroj\\") + QLatin1String(kPictureFiles.at(picture));
}

QString TForm2::SongRecording() { return QStringLiteral("sonoj\\lec02\\jen_kanz.mp3"); }

void TForm2::LessonSetUp() {
  // By the window's own components: the pronunciation frame has an Image7 of its own.
  play_ = qobject_cast<QPushButton*>(OwnedComponent(this, QStringLiteral("Butono1")));
  stop_ = qobject_cast<QPushButton*>(OwnedComponent(this, QStringLiteral("Butono3")));
  image_ = qobject_cast<QLabel*>(OwnedComponent(this, QStringLiteral("Image7")));
  link_ = qobject_cast<QLabel*>(OwnedComponent(this, QStringLiteral("StaticText16")));
  lyrics_ = qobject_cast<QLabel*>(OwnedComponent(this, QStringLiteral("Kantoteksto")));
  sungLines_ = SungLinesOf(SongRecording());
  connect(play_, &QPushButton::clicked, this, &TForm2::Butono1Click);
  connect(stop_, &QPushButton::clicked, this, &TForm2::Butono3Click);
  ShowPicture(0);

  QPointer<TForm2> self = this;
  SetTimecodeListener([self](int, int minutes, int seconds, int hundredths) {
    // Only while this window's song plays: the play picture is then disabled.
    if (self && self->play_ && !self->play_->isHidden() && !self->play_->isEnabled()) {
      self->Karaokeo(minutes, seconds, hundredths);
    }
  });
  RegisterEndOfStreamAction(objectName(), EndOfSong);
}

bool TForm2::SongPlaying() const { return play_ && !play_->isEnabled(); }

void TForm2::ShowPicture(int picture) {
  pictureShown_ = picture;
  if (image_) image_->setPixmap(LoadCoursePicture(PicturePath(picture)));
}

QString TForm2::SungLineShown() const { return lyrics_ ? lyrics_->text() : QString(); }

void TForm2::ShowSungLine(const QString& line) {
  if (lyrics_ && lyrics_->text() != line) lyrics_->setText(line);
}

void TForm2::Butono1Click() {
  if (!DataFileExists(SongRecording())) {
    ShowNoSoundMessage(this);
    return;
  }
  play_->setEnabled(false);
  stop_->setEnabled(true);
  // After a song that ran to its end the last picture is still up; the song starts on its first one.
  ShowPicture(0);
  ShowSungLine(QString());
  if (Mp3Player* player = Mp3()) {
    player->InputOpen(DataPath(SongRecording()));
    player->SetInputTimecodeGranularity(10);
    Synchronise();
    player->Play();
  }
}

void TForm2::Karaokeo(int minutes, int seconds, int hundredths) {
  const int position = hundredths + 100 * seconds + 6000 * minutes;
  const int picture = PictureOfBeat(BeatAt(position));
  if (picture != pictureShown_) ShowPicture(picture);
  ShowSungLine(LineSungAt(sungLines_, position));
}

void TForm2::SongEnded() {
  if (!play_ || play_->isEnabled()) return;
  ShowSungLine(QString());
  stop_->setEnabled(false);
  play_->setEnabled(true);
}

void TForm2::Butono3Click() {
  play_->setEnabled(true);
  stop_->setEnabled(false);
  ShowPicture(0);
  ShowSungLine(QString());
  if (Mp3Player* player = Mp3()) {
    player->Stop();
    player->SetInputTimecodeGranularity(100);
  }
  Synchronise();
}

void TForm2::LessonPageChanged() {
  QWidget* page = Pagxaro()->currentWidget();
  if ((!page || page->objectName() != QLatin1String("Muziko")) && stop_ && stop_->isEnabled()) Butono3Click();
}

void TForm2::StopPlayback() {
  if (stop_ && stop_->isEnabled()) Butono3Click();
  QCoreApplication::processEvents();
}

void TForm2::XButton1Click() {
  if (!link_) return;
  // The caption is written as people write a web address, without its scheme.
  const QString address = link_->text().trimmed();
  const QUrl url(address);
  OpenLink(this, url.scheme().isEmpty() ? QUrl(QStringLiteral("https://") + address) : url);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  if (watched == link_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    XButton1Click();
  }
  return TLessonWindow::eventFilter(watched, event);
}
