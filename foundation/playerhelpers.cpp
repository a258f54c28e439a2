#include "playerhelpers.h"

#include "mp3player.h"
#include "waiting.h"

#include <QPointer>
#include <QRandomGenerator>

namespace {
// A player that stopped answering must not hang the program.
constexpr double kAnswerSeconds = 10.0;
}  // namespace

void Synchronise() {
  QPointer<Mp3Player> player = Mp3();
  if (!player) return;
  const int tag = QRandomGenerator::global()->bounded(30000);
  player->Ping(tag);
  WaitUntil([&player, tag] { return !player || player->LastPong() == tag; }, kAnswerSeconds);
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
