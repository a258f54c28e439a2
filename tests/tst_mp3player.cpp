#include "mp3decoder.h"
#include "mp3fixtures.h"
#include "mp3player.h"
#include "playerhelpers.h"
#include "testsupport.h"
#include "waiting.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

namespace {

// Everything a player told, with the time since the recording began.
struct Heard {
  QList<int> states;
  QList<int> durations;
  QList<int> pongs;
  QList<int> positions;  // in hundredths
  qint64 endAt = -1;
  QElapsedTimer clock;

  explicit Heard(Mp3Player& player) {
    clock.start();
    QObject::connect(&player, &Mp3Player::NotifyPlayerState, &player, [this](int state) {
      states.append(state);
      if (state == Mp3Player::EndOfStream) endAt = clock.elapsed();
    });
    QObject::connect(&player, &Mp3Player::NotifyStreamDuration, &player, [this](int s) { durations.append(s); });
    QObject::connect(&player, &Mp3Player::NotifyPong, &player, [this](int tag) { pongs.append(tag); });
    QObject::connect(&player, &Mp3Player::NotifyInputTimecode, &player,
                     [this](int h, int m, int s, int f) { positions.append(((h * 60 + m) * 60 + s) * 100 + f); });
  }
  bool WaitForEnd(double seconds) {
    return WaitUntil([this] { return endAt >= 0; }, seconds);
  }
};

}  // namespace

class TestMp3Player : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  QString oneSecondMono_;
  QString stereo44_;
  QString stereo48_;

 private Q_SLOTS:
  void initTestCase() {
    oneSecondMono_ = MakeToneMp3(folder_.path(), "mono22", 1.0, 22050, 1);
    stereo44_ = MakeToneMp3(folder_.path(), "stereo44", 2.4, 44100, 2);
    stereo48_ = MakeToneMp3(folder_.path(), "stereo48", 1.5, 48000, 2, 660.0);
    QVERIFY(!oneSecondMono_.isEmpty() && !stereo44_.isEmpty() && !stereo48_.isEmpty());
  }

  void durationsAreKnownAfterThePong() {
    Mp3Player player;
    SetMp3(&player);
    const QList<QPair<QString, int>> files{{oneSecondMono_, 1}, {stereo44_, 3}, {stereo48_, 2}};
    for (const auto& [path, seconds] : files) {
      player.InputOpen(path);
      Synchronise();
      QCOMPARE(player.StreamDuration(), seconds);
      QVERIFY(player.Idle());
    }
    SetMp3(nullptr);
  }

  void pongsComeInOrder() {
    Mp3Player player;
    SetMp3(&player);
    Heard heard(player);
    player.InputOpen(stereo44_);
    for (int tag : {5, 17, 3, 29999}) player.Ping(tag);
    QVERIFY(WaitUntil([&] { return heard.pongs.size() == 4; }, 5));
    QCOMPARE(heard.pongs, (QList<int>{5, 17, 3, 29999}));
    QCOMPARE(heard.durations.value(0), 3);  // the duration came before the first pong
  }

  void playsToTheEndInRealTime() {
    Mp3Player player;
    SetMp3(&player);
    Heard heard(player);
    player.InputOpen(oneSecondMono_);
    player.SetInputTimecodeGranularity(10);
    player.Play();
    QVERIFY(heard.WaitForEnd(5));
    QVERIFY2(heard.endAt >= 900 && heard.endAt < 1600, qPrintable(QString::number(heard.endAt)));
    QCOMPARE(heard.states.first(), int(Mp3Player::Stopped));
    QVERIFY(heard.states.contains(Mp3Player::Playing));
    QCOMPARE(heard.states.last(), int(Mp3Player::EndOfStream));
    QVERIFY(player.Idle());
    QCOMPARE(player.StreamDuration(), 0);
    // Every tenth of a second was reported, in order, on the granularity.
    QVERIFY2(heard.positions.size() >= 9, qPrintable(QString::number(heard.positions.size())));
    for (int i = 1; i < heard.positions.size(); ++i) {
      QVERIFY(heard.positions[i] > heard.positions[i - 1]);
      QCOMPARE(heard.positions[i] % 10, 0);
    }
  }

  void coarsePositionReports() {
    Mp3Player player;
    SetMp3(&player);
    Heard heard(player);
    player.InputOpen(stereo44_);
    player.Play();
    QVERIFY(heard.WaitForEnd(6));
    // Whole seconds only: 0, 1 and 2 within a stream of 2.4 seconds.
    QCOMPARE(heard.positions, (QList<int>{0, 100, 200}));
  }

  // Playing from a point of the stream, as a click on a drawing of the model
  // asks: the positions count from the stream's start, and only the rest plays.
  void playsFromAPoint() {
    Mp3Player player;
    SetMp3(&player);
    Heard heard(player);
    player.InputOpen(stereo44_);
    player.SetInputTimecodeGranularity(10);
    Synchronise();
    heard.clock.restart();
    player.PlayFrom(1800);
    QVERIFY(heard.WaitForEnd(5));
    QVERIFY2(heard.endAt >= 450 && heard.endAt < 1200, qPrintable(QString::number(heard.endAt)));
    QVERIFY(!heard.positions.isEmpty());
    QCOMPARE(heard.positions.first(), 180);
    QVERIFY(heard.positions.last() >= 230);
    // Beyond the end, it ends at once.
    heard.endAt = -1;
    heard.clock.restart();
    player.PlayFrom(60000);
    QVERIFY(heard.WaitForEnd(5));
    QVERIFY2(heard.endAt < 500, qPrintable(QString::number(heard.endAt)));
  }

  void pauseKeepsThePosition() {
    Mp3Player player;
    SetMp3(&player);
    Heard heard(player);
    player.InputOpen(oneSecondMono_);
    player.Play();
    QTest::qWait(400);
    player.Pause();
    Synchronise();
    QCOMPARE(heard.states.last(), int(Mp3Player::Paused));
    QTest::qWait(700);
    QCOMPARE(heard.endAt, -1);
    player.Play();
    QVERIFY(heard.WaitForEnd(5));
    QVERIFY2(heard.endAt >= 1500 && heard.endAt < 2400, qPrintable(QString::number(heard.endAt)));
  }

  void stopEndsPlayingWithoutEndOfStream() {
    Mp3Player player;
    SetMp3(&player);
    Heard heard(player);
    player.InputOpen(oneSecondMono_);
    player.Play();
    QTest::qWait(200);
    player.Stop();
    Synchronise();
    QVERIFY(player.Idle());
    QTest::qWait(1200);
    QCOMPARE(heard.endAt, -1);
    // Play after Stop starts from the beginning again.
    player.Play();
    QVERIFY(heard.WaitForEnd(5));
  }

  void newInputReplacesTheOldAtOnce() {
    Mp3Player player;
    SetMp3(&player);
    Heard heard(player);
    player.InputOpen(stereo44_);
    player.Play();
    QTest::qWait(300);
    player.InputOpen(oneSecondMono_);
    Synchronise();
    QCOMPARE(player.StreamDuration(), 1);
    player.Play();
    QVERIFY(heard.WaitForEnd(5));
    QVERIFY2(heard.endAt < 1800, qPrintable(QString::number(heard.endAt)));  // not the 2.4 s stream
    QCOMPARE(heard.states.count(Mp3Player::EndOfStream), 1);
  }

  void badFilesNeverPlay_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("exists");
    QFile good(stereo44_);
    good.open(QIODevice::ReadOnly);
    const QByteArray mp3 = good.readAll();
    QByteArray wav = QByteArray("RIFF\x24\x10\x00\x00WAVEfmt ", 16);
    wav += QByteArray(4000, '\x01');
    QByteArray id3 = QByteArray("ID3\x03\x00\x00\x00\x00\x01\x00", 10);
    id3 += QByteArray(128, '\0');
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("text") << QByteArray("Saluton, mi ne estas sono.\n").repeated(50) << true;
    QTest::newRow("WAV named mp3") << wav << true;
    QTest::newRow("ID3 tag only") << id3 << true;
    QTest::newRow("truncated to its header") << mp3.left(40) << true;
    QTest::newRow("zeros") << QByteArray(100000, '\0') << true;
  }
  void badFilesNeverPlay() {
    QFETCH(QByteArray, contents);
    QFETCH(bool, exists);
    const QString path = folder_.filePath(QStringLiteral("bad.mp3"));
    QFile::remove(path);
    if (exists) WriteFileBytes(path, contents);
    Mp3Player player;
    SetMp3(&player);
    Heard heard(player);
    player.InputOpen(path);
    Synchronise();
    QCOMPARE(player.StreamDuration(), 0);
    player.Play();
    Synchronise();
    QTest::qWait(100);
    QVERIFY(!heard.states.contains(Mp3Player::Playing));
    QVERIFY(player.Idle());
    SetMp3(nullptr);
  }

  void cutStreamPlaysWhatItHas() {
    QFile good(stereo44_);
    QVERIFY(good.open(QIODevice::ReadOnly));
    const QString path = folder_.filePath(QStringLiteral("cut.mp3"));
    WriteFileBytes(path, good.readAll().left(9000));
    Mp3Player player;
    SetMp3(&player);
    Heard heard(player);
    player.InputOpen(path);
    Synchronise();
    QVERIFY(player.StreamDuration() >= 1 && player.StreamDuration() <= 3);
    player.Play();
    QVERIFY(heard.WaitForEnd(5));
    SetMp3(nullptr);
  }

  void twoHourFile() {
    const QString path = MakeLongMp3(folder_.path(), QStringLiteral("long"), 720);
    QVERIFY(!path.isEmpty());
    Mp3Player player;
    SetMp3(&player);
    QElapsedTimer clock;
    clock.start();
    player.InputOpen(path);
    Synchronise();
    // Each repeated piece carries the encoder's padding, a little over its ten seconds.
    Mp3Decoder piece;
    QVERIFY(piece.Open(folder_.filePath(QStringLiteral("long-piece.mp3"))));
    const double expected = 720 * piece.LengthSeconds();
    QVERIFY(expected > 7200 && expected < 7300);
    QVERIFY2(qAbs(player.StreamDuration() - expected) <= 1.0, qPrintable(QString::number(player.StreamDuration())));
    QVERIFY2(clock.elapsed() < 8000, qPrintable(QString::number(clock.elapsed())));
    player.Play();
    Synchronise();
    QVERIFY(!player.Idle());
    StopAll();
    QVERIFY(player.Idle());
    QCOMPARE(player.StreamDuration(), 0);
    SetMp3(nullptr);
  }

  void playToTheEndHelper() {
    Mp3Player player;
    SetMp3(&player);
    QElapsedTimer clock;
    clock.start();
    PlayToTheEnd(oneSecondMono_);
    QVERIFY2(clock.elapsed() >= 1000 && clock.elapsed() < 2500, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(player.Idle());
    SetMp3(nullptr);
  }

  void playerDestroyedWhilePlaying() {
    auto player = std::make_unique<Mp3Player>();
    player->InputOpen(stereo44_);
    player->Play();
    QTest::qWait(100);
    player.reset();  // must neither hang nor crash
  }
};

QTEST_MAIN(TestMp3Player)
#include "tst_mp3player.moc"
