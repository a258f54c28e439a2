#include "memoplayer.h"

#include "coursesounds.h"
#include "mp3player.h"
#include "playeractions.h"
#include "programpaths.h"

#include <QPushButton>

namespace {

// The end of a recording resets every open trio of the active window.
void ResetOpenTrios(QWidget* activeWindow) {
  for (MemoPlayer* trio : activeWindow->findChildren<MemoPlayer*>()) trio->StopIfOpen();
}

}  // namespace

MemoPlayer::MemoPlayer(QWidget* window, QPushButton* play, QPushButton* pauseResume, QPushButton* stop,
                       QString recording)
    : QObject(window),
      window_(window),
      play_(play),
      pauseResume_(pauseResume),
      stop_(stop),
      recording_(std::move(recording)) {
  if (play_) {
    play_->setEnabled(true);
    connect(play_, &QPushButton::clicked, this, &MemoPlayer::Play);
  }
  if (pauseResume_) {
    pauseResume_->setEnabled(false);
    connect(pauseResume_, &QPushButton::clicked, this, &MemoPlayer::PauseOrResume);
  }
  if (stop_) {
    stop_->setEnabled(false);
    connect(stop_, &QPushButton::clicked, this, &MemoPlayer::Stop);
  }
  RegisterEndOfStreamAction(window->objectName(), ResetOpenTrios);
}

void MemoPlayer::Play() {
  if (!DataFileExists(recording_)) {
    ShowNoSoundMessage(window_);
    return;
  }
  if (play_) play_->setEnabled(false);
  if (pauseResume_) pauseResume_->setEnabled(true);
  if (stop_) stop_->setEnabled(true);
  if (Mp3Player* player = Mp3()) {
    player->InputOpen(DataPath(recording_));
    player->Play();
  }
}

void MemoPlayer::PauseOrResume() {
  Mp3Player* player = Mp3();
  if (stop_ && stop_->isEnabled()) {
    stop_->setEnabled(false);
    if (player) player->Pause();
  } else {
    if (stop_) stop_->setEnabled(true);
    if (player) player->Play();
  }
}

void MemoPlayer::Stop() {
  if (play_) play_->setEnabled(true);
  if (pauseResume_) pauseResume_->setEnabled(false);
  if (stop_) stop_->setEnabled(false);
  if (Mp3Player* player = Mp3()) player->Stop();
}

bool MemoPlayer::IsOpen() const { return play_ && !play_->isEnabled(); }

void MemoPlayer::StopIfOpen() {
  if (IsOpen()) Stop();
}
