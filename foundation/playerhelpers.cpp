#include "playerhelpers.h"

#include "mp3player.h"
#include "waiting.h"

#include <QEventLoop>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>

namespace {
// A player that stopped answering must not hang the program.
constexpr double kAnswerSeconds = 10.0;
}  // namespace

void Synchronise() {
  QPointer<Mp3Player> player = Mp3();
  if (!player) return;
  const int tag = QRandomGenerator::global()->bounded(30000);
  // Returns as soon as the answer arrives, with window events going on meanwhile.
  QEventLoop loop;
  QObject::connect(player, &Mp3Player::NotifyPong, &loop, [&loop, tag](int pong) {
    if (pong == tag) loop.quit();
  });
  QObject::connect(player, &QObject::destroyed, &loop, &QEventLoop::quit);
  QTimer::singleShot(static_cast<int>(kAnswerSeconds * 1000), &loop, &QEventLoop::quit);
  player->Ping(tag);
  loop.exec();
}

void StopAll() {
  Mp3Player* player = Mp3();
  if (!player) return;
  player->Stop();
  Synchronise();
  if (Mp3()) Mp3()->ClearStreamDuration();
}

void PlayToTheEnd(const QString& path) {
  Mp3Player* player = Mp3();
  if (!player) return;
  player->InputOpen(path);
  Synchronise();
  if (!Mp3()) return;
  Mp3()->Play();
  WaitSeconds(Mp3()->StreamDuration());
  if (!Mp3()) return;
  Mp3()->Stop();
  Synchronise();
}

void StartPlaying(const QString& path) {
  Mp3Player* player = Mp3();
  if (!player) return;
  player->InputOpen(path);
  player->Play();
}
