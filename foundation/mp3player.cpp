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
  // The engine's thread ends once the last command has run.
  engine_->Queue([](Mp3Engine& engine) {
    engine.Shutdown();
    QThread::currentThread()->quit();
  });
  thread_->wait();
  delete engine_;
  if (gPlayer == this) gPlayer = nullptr;
}

void Mp3Player::InputOpen(const QString& path) {
  engine_->Queue([path](Mp3Engine& engine) { engine.InputOpen(path); });
}
void Mp3Player::Play() { engine_->Queue(&Mp3Engine::Play); }
void Mp3Player::PlayFrom(qint64 milliseconds) {
  engine_->Queue([milliseconds](Mp3Engine& engine) { engine.PlayFrom(milliseconds); });
}
void Mp3Player::Pause() { engine_->Queue(&Mp3Engine::Pause); }
void Mp3Player::Stop() { engine_->Queue(&Mp3Engine::Stop); }
void Mp3Player::InputClose() { engine_->Queue(&Mp3Engine::InputClose); }
void Mp3Player::Ping(int tag) {
  engine_->Queue([tag](Mp3Engine& engine) { engine.Ping(tag); });
}
// Player mode and equaliser belong to the library the course was first built
// on; nothing in the course depends on them, and the decoder here needs neither.
void Mp3Player::SetPlayerMode(int) {}
void Mp3Player::SetCodecEqualizer() {}
void Mp3Player::SetInputTimecodeGranularity(int hundredths) {
  engine_->Queue([hundredths](Mp3Engine& engine) { engine.SetInputTimecodeGranularity(hundredths); });
}
