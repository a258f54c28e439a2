#include "mp3player.h"

#include "mp3engine.h"

#include <QThread>

namespace {
Mp3Player* gPlayer = nullptr;
}

Mp3Player* Mp3() { return gPlayer; }
void SetMp3(Mp3Player* player) { gPlayer = player; }

Mp3Player::Mp3Player(QObject* parent) : QObject(parent), thread_(new QThread(this)), engine_(new Mp3Engine) {
  thread_->setObjectName(QStringLiteral("Mp3Player"));
  engine_->moveToThread(thread_);
  connect(engine_, &Mp3Engine::PlayerState, this, [this](int state) {
    if (state != Playing) streamDuration_ = 0;
    idle_ = state != Playing;
    Q_EMIT NotifyPlayerState(state);
  });
  connect(engine_, &Mp3Engine::OutputState, this, [this](int state) {
    outputOpen_ = state == 1;
    Q_EMIT NotifyOutputState(state);
  });
  connect(engine_, &Mp3Engine::StreamDuration, this, [this](int seconds) {
    streamDuration_ = seconds;
    Q_EMIT NotifyStreamDuration(seconds);
  });
  connect(engine_, &Mp3Engine::InputTimecode, this, &Mp3Player::NotifyInputTimecode);
  connect(engine_, &Mp3Engine::Pong, this, [this](int tag) {
    lastPong_ = tag;
    Q_EMIT NotifyPong(tag);
  });
  thread_->start();
}

Mp3Player::~Mp3Player() {
  QMetaObject::invokeMethod(engine_, &Mp3Engine::Shutdown, Qt::BlockingQueuedConnection);
  thread_->quit();
  thread_->wait();
  delete engine_;
  if (gPlayer == this) gPlayer = nullptr;
}

void Mp3Player::InputOpen(const QString& path) {
  QMetaObject::invokeMethod(
      engine_, [engine = engine_, path] { engine->InputOpen(path); }, Qt::QueuedConnection);
}
void Mp3Player::Play() { QMetaObject::invokeMethod(engine_, &Mp3Engine::Play, Qt::QueuedConnection); }
void Mp3Player::Pause() { QMetaObject::invokeMethod(engine_, &Mp3Engine::Pause, Qt::QueuedConnection); }
void Mp3Player::Stop() { QMetaObject::invokeMethod(engine_, &Mp3Engine::Stop, Qt::QueuedConnection); }
void Mp3Player::InputClose() { QMetaObject::invokeMethod(engine_, &Mp3Engine::InputClose, Qt::QueuedConnection); }
void Mp3Player::Ping(int tag) {
  QMetaObject::invokeMethod(
      engine_, [engine = engine_, tag] { engine->Ping(tag); }, Qt::QueuedConnection);
}
// Player mode and equaliser belong to the library the course was first built
// on; nothing in the course depends on them, and the decoder here needs neither.
void Mp3Player::SetPlayerMode(int) {}
void Mp3Player::SetCodecEqualizer() {}
void Mp3Player::SetInputTimecodeGranularity(int hundredths) {
  QMetaObject::invokeMethod(
      engine_, [engine = engine_, hundredths] { engine->SetInputTimecodeGranularity(hundredths); },
      Qt::QueuedConnection);
}
