#include "mp3fixtures.h"
#include "mp3player.h"
#include "playerhelpers.h"
#include "pronunciation.h"
#include "pulseserver.h"
#include "recordedsound.h"
#include "testsupport.h"
#include "voicerecorder.h"
#include "waiting.h"
#include "wavfile.h"

#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {
constexpr double kMp3Amplitude = 12000;  // of the tones the fixtures encode
}

// The MP3 player on a real sound server: what it plays arrives at the sink,
// and the voice recorder, listening to that sink, hears it.
class TestMp3Sound : public QObject {
  Q_OBJECT

 private:
  PrivatePulseServer server_;
  QTemporaryDir folder_;
  bool haveServer_ = false;

  // Records `milliseconds` while `play` runs; the recording as saved.
  std::optional<WavAudio> RecordWhile(int milliseconds, const std::function<void()>& play) {
    VoiceRecorder recorder;
    if (!recorder.Record(milliseconds)) return std::nullopt;
    WaitUntil([&] { return recorder.PositionMs() > 100; }, 5);
    play();
    WaitUntil([&] { return !recorder.IsRecording(); }, milliseconds / 1000.0 + 5);
    const QString path = folder_.filePath(QStringLiteral("heard.wav"));
    if (!recorder.SaveWav(path)) return std::nullopt;
    return ParseWavFile(ReadFileBytes(path));
  }

 private Q_SLOTS:
  void initTestCase() {
    if (!PrivatePulseServer::Available()) QSKIP("pulseaudio is not installed");
    QVERIFY2(server_.Start(), qPrintable(server_.ErrorString()));
    haveServer_ = true;
  }
  void cleanupTestCase() { server_.Stop(); }

  void playedFileArrivesWhole() {
    const QString tone = MakeToneMp3(folder_.path(), QStringLiteral("tone"), 1.0, 22050, 1);
    QVERIFY(!tone.isEmpty());
    Mp3Player player;
    SetMp3(&player);
    bool ended = false;
    connect(&player, &Mp3Player::NotifyPlayerState, this, [&](int state) { ended |= state == Mp3Player::EndOfStream; });
    player.InputOpen(tone);
    Synchronise();
    QElapsedTimer clock;
    qint64 endedAfter = -1;
    const auto audio = RecordWhile(2000, [&] {
      clock.start();
      player.Play();
      WaitUntil([&] { return ended; }, 5);
      endedAfter = clock.elapsed();
    });
    QVERIFY(audio);
    const RecordedSound heard(*audio, kMp3Amplitude);
    const int first = heard.FirstLoud();
    const int last = heard.LastLoud();
    QVERIFY2(first >= 0, "nothing arrived at the sink");
    const int toneMs = (last + 1 - first) * kWindowMs;
    const double hz = heard.Frequency(first + 2, last - 2);
    qInfo("tone heard for %d ms at %.1f Hz; end of stream reported %lld ms after Play", toneMs, hz, endedAfter);
    QVERIFY2(qAbs(toneMs - 1000) <= 60, qPrintable(QString::number(toneMs)));
    QVERIFY2(qAbs(hz - 440) <= 5, qPrintable(QString::number(hz)));
    for (int w = last + 3; w < heard.Windows(); ++w) QVERIFY(heard.Silent(w));
    // The end is reported once the sound has been heard, not long before or after.
    QVERIFY2(endedAfter >= 950 && endedAfter <= 1600, qPrintable(QString::number(endedAfter)));
    SetMp3(nullptr);
  }

  void pronunciationPracticeOnTheLoop();

  void stopSilencesTheSink() {
    const QString tone = MakeToneMp3(folder_.path(), QStringLiteral("long"), 2.4, 44100, 2);
    QVERIFY(!tone.isEmpty());
    Mp3Player player;
    SetMp3(&player);
    player.InputOpen(tone);
    Synchronise();
    const auto audio = RecordWhile(2000, [&] {
      player.Play();
      WaitSeconds(0.6);
      player.Stop();
      Synchronise();
    });
    QVERIFY(audio);
    const RecordedSound heard(*audio, kMp3Amplitude);
    const int first = heard.FirstLoud();
    const int last = heard.LastLoud();
    QVERIFY(first >= 0);
    const int toneMs = (last + 1 - first) * kWindowMs;
    QVERIFY2(toneMs >= 400 && toneMs <= 900, qPrintable(QString::number(toneMs)));
    for (int w = last + 10; w < heard.Windows(); ++w) QVERIFY(heard.Silent(w));
    SetMp3(nullptr);
  }
};

void TestMp3Sound::pronunciationPracticeOnTheLoop() {
  TempProgramFolder folder;
  folder.Write("ekzercoj/ekz09.dat", "[0901D]\r\n1=domo\r\n");
  QDir().mkpath(folder.Path("sonoj/lec09"));
  QVERIFY(!MakeToneMp3(folder.Path("sonoj/lec09"), QStringLiteral("domo"), 1.0, 22050, 1).isEmpty());
  Mp3Player player;
  SetMp3(&player);
  TestDrillHost window;
  window.codes.pronunciation = "0901";
  window.soundFolder = QStringLiteral("09");
  auto* pages = new QTabWidget(&window);
  window.pages = pages;
  pages->setObjectName(QStringLiteral("Pagxaro"));
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("PP_Pagxo"));
  auto* practice = new TFrame2(page);
  pages->addTab(page, QStringLiteral("1"));
  window.show();

  // The whole practice as the sink hears it: the model, a silent recording
  // of four seconds (nobody speaks into the loop), then the model again and
  // the recording played back.
  QElapsedTimer clock;
  qint64 practiceMs = 0;
  const auto heard = RecordWhile(9000, [&] {
    clock.start();
    practice->findChild<QPushButton*>(QStringLiteral("PP_Startu"))->click();
    practiceMs = clock.elapsed();
  });
  QVERIFY(heard);
  const RecordedSound sound(*heard, kMp3Amplitude);
  int toneWindows = 0;
  for (int w = 0; w < sound.Windows(); ++w) toneWindows += sound.Loud(w) ? 1 : 0;
  qInfo("practice took %lld ms; the model was heard for %d ms in all", practiceMs, toneWindows * kWindowMs);
  QVERIFY2(qAbs(toneWindows * kWindowMs - 2000) <= 150, "the model, twice");

  const auto recording = ParseWavFile(ReadFileBytes(practice->RecordingPath(1)));
  QVERIFY(recording);
  QVERIFY2(qAbs(WavDurationMs(*recording) - 4000) <= 400, qPrintable(QString::number(WavDurationMs(*recording))));
  QVERIFY(practice->findChild<QToolButton*>(QStringLiteral("PP_Aud_Re"))->isEnabled());
  SetMp3(nullptr);
}

QTEST_MAIN(TestMp3Sound)
#include "tst_mp3sound.moc"
