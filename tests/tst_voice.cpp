#include "pulseserver.h"
#include "recordedsound.h"
#include "testsupport.h"
#include "voicerecorder.h"
#include "wavfile.h"
#include "wavplayer.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QWidget>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <ctime>
#include <numbers>

namespace {

constexpr int kRate = 22050;
constexpr int kToneHz = 440;
constexpr int kAmplitude = 8000;
const double kToneRms = kAmplitude / std::numbers::sqrt2;

WavAudio Tone(int milliseconds, int channels = 1, int bits = 16) {
  WavAudio audio;
  audio.sampleRate = kRate;
  audio.channels = channels;
  audio.bitsPerSample = bits;
  const int frames = kRate * milliseconds / 1000;
  for (int i = 0; i < frames; ++i) {
    const double value = std::sin(2 * std::numbers::pi * kToneHz * i / kRate);
    for (int c = 0; c < channels; ++c) {
      if (bits == 8) {
        audio.samples.append(char(128 + std::lround(value * kAmplitude / 256)));
      } else {
        char sample[2];
        qToLittleEndian(qint16(std::lround(value * kAmplitude)), sample);
        audio.samples.append(sample, 2);
      }
    }
  }
  return audio;
}

QString WriteWav(const QTemporaryDir& folder, const QString& name, const WavAudio& audio) {
  const QString path = folder.filePath(name);
  WriteFileBytes(path, WriteWavFile(audio));
  return path;
}

qint64 CpuMs() { return qint64(std::clock()) * 1000 / CLOCKS_PER_SEC; }

}  // namespace

class TestVoice : public QObject {
  Q_OBJECT

 private:
  PrivatePulseServer server_;
  bool haveServer_ = false;
  QString whyNoServer_;
  QTemporaryDir folder_;
  QTemporaryDir noServerFolder_;

  // The machine's own speakers and microphone are never used: the suite runs
  // on its own server, or on none at all.
  bool DevicesGone() { return !haveServer_ || server_.RemoveDevices(); }
  bool DevicesBack() { return server_.AddDevices(); }
  // Starts recording and waits until sound arrives, so that what is played
  // next lies inside the recording.
  bool RecordingRuns(VoiceRecorder& recorder, int milliseconds) {
    return recorder.Record(milliseconds) && QTest::qWaitFor([&] { return recorder.PositionMs() > 0; }, 5000);
  }
  std::optional<WavAudio> Saved(const VoiceRecorder& recorder, const QString& name) {
    const QString path = folder_.filePath(name);
    if (!recorder.SaveWav(path)) return std::nullopt;
    return ParseWavFile(ReadFileBytes(path));
  }

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    if (qEnvironmentVariable("PELANO_TEST_SOUND_SERVER") == QLatin1String("none")) {
      whyNoServer_ = QStringLiteral("this run has no sound server");
    } else if (!PrivatePulseServer::Available()) {
      whyNoServer_ = QStringLiteral("pulseaudio is not installed");
    } else {
      QVERIFY2(server_.Start(), qPrintable(server_.ErrorString()));
      haveServer_ = true;
    }
    if (!haveServer_) qputenv("PULSE_SERVER", "unix:" + noServerFolder_.filePath(QStringLiteral("none")).toLocal8Bit());
  }

  void cleanupTestCase() { server_.Stop(); }

  void cleanup() { StopWavPlayback(); }

  // The drill's loop on a real server: the model plays while the microphone
  // (the sink's monitor) records; the recording holds the tone where it was
  // played and silence after it.
  void toneIsRecordedWhereItWasPlayed() {
    if (!haveServer_) QSKIP(qPrintable(whyNoServer_));
    QVERIFY(DevicesBack());
    const QString tone = WriteWav(folder_, QStringLiteral("tone.wav"), Tone(1000));
    VoiceRecorder recorder;
    QSignalSpy finished(&recorder, &VoiceRecorder::Finished);
    QVERIFY(RecordingRuns(recorder, 1500));
    const qint64 playedAt = recorder.PositionMs();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(PlayWavToEnd(tone));
    const qint64 playingMs = clock.elapsed();
    const qint64 returnedAt = recorder.PositionMs();
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.IsRecording(), 10000);
    QTRY_COMPARE(finished.count(), 1);

    const auto audio = Saved(recorder, QStringLiteral("tempa1.wav"));
    QVERIFY(audio);
    QCOMPARE(audio->bitsPerSample, 16);
    QCOMPARE(audio->channels, 1);
    QCOMPARE(audio->sampleRate, kRate);
    QVERIFY2(qAbs(WavDurationMs(*audio) - 1500) <= 150, qPrintable(QString::number(WavDurationMs(*audio))));

    const RecordedSound heard(*audio, kAmplitude);
    const int first = heard.FirstLoud();
    const int last = heard.LastLoud();
    QVERIFY2(first >= 0, "the tone is missing from the recording");
    const int toneStartMs = first * kWindowMs;
    const int toneEndMs = (last + 1) * kWindowMs;
    const double hz = heard.Frequency(first + 1, last - 1);
    qInfo(
        "tone heard from %d to %d ms (playing started at %lld, returned at %lld ms of recording), %.1f Hz, "
        "RMS %.0f, PlayWavToEnd took %lld ms",
        toneStartMs, toneEndMs, playedAt, returnedAt, hz, heard.Rms((first + last) / 2), playingMs);

    // Stopping the output on return would cut a tone that had not been heard to its end.
    QVERIFY2(qAbs(toneEndMs - toneStartMs - 1000) <= 40, "the whole tone, once");
    QVERIFY(toneStartMs >= playedAt - kWindowMs);
    QVERIFY2(toneStartMs <= playedAt + 500, "the tone starts soon after playing begins");
    // It returns once the sound has been heard, and not much later.
    QVERIFY2(toneEndMs <= returnedAt + 250, "PlayWavToEnd returned before the end was heard");
    QVERIFY2(toneEndMs >= returnedAt - 500, "PlayWavToEnd went on waiting long after the end");
    QVERIFY(playingMs >= 1000);
    QVERIFY(qAbs(hz - kToneHz) <= kToneHz * 0.03);
    for (int w = first + 1; w < last; ++w) {
      QVERIFY2(qAbs(heard.Rms(w) - kToneRms) <= kToneRms * 0.2,
               qPrintable(QStringLiteral("gap at %1 ms").arg(w * kWindowMs)));
    }
    // The windows at both edges of the tone may hold part of it.
    for (int w = 0; w < first - 1; ++w) QVERIFY2(heard.Silent(w), qPrintable(QString::number(w * kWindowMs)));
    for (int w = last + 2; w < heard.Windows(); ++w)
      QVERIFY2(heard.Silent(w), qPrintable(QString::number(w * kWindowMs)));
    QVERIFY2(heard.Windows() - (last + 2) >= 15, "silence follows the tone");
  }

  // Both sample sizes and channel counts play; eight-bit silence is 128, not 0.
  void formatsOfTheFilePlay_data() {
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("bits");
    QTest::newRow("8-bit mono") << 1 << 8;
    QTest::newRow("16-bit stereo") << 2 << 16;
  }
  void formatsOfTheFilePlay() {
    if (!haveServer_) QSKIP(qPrintable(whyNoServer_));
    QFETCH(int, channels);
    QFETCH(int, bits);
    QVERIFY(DevicesBack());
    const QString tone = WriteWav(folder_, QStringLiteral("format.wav"), Tone(400, channels, bits));
    VoiceRecorder recorder;
    QVERIFY(RecordingRuns(recorder, 1000));
    QVERIFY(PlayWavToEnd(tone));
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.IsRecording(), 10000);
    const auto audio = Saved(recorder, QStringLiteral("format-heard.wav"));
    QVERIFY(audio);
    const RecordedSound heard(*audio, kAmplitude);
    const int first = heard.FirstLoud();
    const int last = heard.LastLoud();
    QVERIFY(first >= 0);
    QVERIFY(qAbs((last + 1 - first) * kWindowMs - 400) <= 60);
    QVERIFY(qAbs(heard.Frequency(first + 1, last - 1) - kToneHz) <= kToneHz * 0.03);
    for (int w = last + 2; w < heard.Windows(); ++w) QVERIFY(heard.Silent(w));
  }

  // Stopping silences the output at once: the recording hears no more tone.
  void stopSilencesRealPlayback() {
    if (!haveServer_) QSKIP(qPrintable(whyNoServer_));
    QVERIFY(DevicesBack());
    const QString tone = WriteWav(folder_, QStringLiteral("long.wav"), Tone(3000));
    VoiceRecorder recorder;
    QVERIFY(RecordingRuns(recorder, 2000));
    QTimer::singleShot(500, &StopWavPlayback);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!PlayWavToEnd(tone));
    QVERIFY(clock.elapsed() < 1500);
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.IsRecording(), 10000);
    const auto audio = Saved(recorder, QStringLiteral("stopped.wav"));
    QVERIFY(audio);
    const RecordedSound heard(*audio, kAmplitude);
    const int first = heard.FirstLoud();
    const int last = heard.LastLoud();
    QVERIFY(first >= 0);
    const int toneMs = (last + 1 - first) * kWindowMs;
    QVERIFY2(toneMs >= 300 && toneMs <= 800, qPrintable(QString::number(toneMs)));
    for (int w = last + 2; w < heard.Windows(); ++w) QVERIFY(heard.Silent(w));
  }

  void recordingEndsByItself() {
    if (!haveServer_) QSKIP(qPrintable(whyNoServer_));
    QVERIFY(DevicesBack());
    VoiceRecorder recorder;
    QSignalSpy finished(&recorder, &VoiceRecorder::Finished);
    QVERIFY(recorder.Record(400));
    QVERIFY(recorder.IsRecording());
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.IsRecording(), 10000);
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(recorder.PositionMs(), qint64(400));
    QTest::qWait(200);
    QCOMPARE(recorder.PositionMs(), qint64(400));
    const auto audio = Saved(recorder, QStringLiteral("short.wav"));
    QVERIFY(audio);
    QCOMPARE(WavDurationMs(*audio), qint64(400));
    QCOMPARE(finished.count(), 1);
  }

  // Stop keeps what was recorded; Close releases the device and keeps it too;
  // a new recording starts from nothing.
  void stopAndCloseKeepTheRecording() {
    if (!haveServer_) QSKIP(qPrintable(whyNoServer_));
    QVERIFY(DevicesBack());
    VoiceRecorder recorder;
    QSignalSpy finished(&recorder, &VoiceRecorder::Finished);
    QVERIFY(recorder.Record(5000));
    QTRY_VERIFY_WITH_TIMEOUT(recorder.PositionMs() >= 300, 10000);
    recorder.Stop();
    QVERIFY(!recorder.IsRecording());
    QCOMPARE(finished.count(), 1);
    const qint64 kept = recorder.PositionMs();
    QVERIFY(kept >= 300 && kept < 5000);
    QTest::qWait(200);
    QCOMPARE(recorder.PositionMs(), kept);
    recorder.Close();
    QCOMPARE(finished.count(), 1);
    const auto audio = Saved(recorder, QStringLiteral("kept.wav"));
    QVERIFY(audio);
    QCOMPARE(WavDurationMs(*audio), kept);

    QVERIFY(recorder.Record(200));
    QVERIFY(recorder.PositionMs() < kept);
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.IsRecording(), 10000);
    QCOMPARE(recorder.PositionMs(), qint64(200));
  }

  void recorderDestroyedWhileRecording() {
    if (!haveServer_) QSKIP(qPrintable(whyNoServer_));
    QVERIFY(DevicesBack());
    auto* early = new VoiceRecorder;
    QVERIFY(early->Record(3000));
    delete early;  // before any sound has arrived
    auto* late = new VoiceRecorder;
    QVERIFY(RecordingRuns(*late, 3000));
    QPointer<VoiceRecorder> watch(late);
    // Deleted by whoever hears that it finished, from inside its own signal.
    QObject::connect(late, &VoiceRecorder::Finished, late, [late] { delete late; });
    late->Stop();
    QVERIFY(watch.isNull());
    auto* closed = new VoiceRecorder;
    QVERIFY(RecordingRuns(*closed, 3000));
    watch = closed;
    QObject::connect(closed, &VoiceRecorder::Finished, closed, [closed] { delete closed; });
    closed->Close();
    QVERIFY(watch.isNull());
    auto* queued = new VoiceRecorder;
    QVERIFY(RecordingRuns(*queued, 3000));
    queued->deleteLater();
    QTest::qWait(300);  // the sanitizer build reports any late access
  }

  // A headset pulled out: recording ends with what it has and playing goes
  // on silently, both without hanging.
  void devicesVanishing() {
    if (!haveServer_) QSKIP(qPrintable(whyNoServer_));
    QVERIFY(DevicesBack());
    VoiceRecorder recorder;
    QVERIFY(RecordingRuns(recorder, 20000));
    QTimer::singleShot(300, [this] { server_.RemoveDevices(); });
    const QString tone = WriteWav(folder_, QStringLiteral("vanishing.wav"), Tone(1500));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(PlayWavToEnd(tone));
    const qint64 playingMs = clock.elapsed();
    qInfo("PlayWavToEnd of 1,500 ms took %lld ms, the recording kept %lld ms", playingMs, recorder.PositionMs());
    QVERIFY2(playingMs >= 1500 && playingMs < 3000, qPrintable(QString::number(playingMs)));
    QVERIFY(!recorder.IsRecording());
    QVERIFY(recorder.PositionMs() < 20000);
    QVERIFY(Saved(recorder, QStringLiteral("vanished.wav")));
    QVERIFY(DevicesBack());
  }

  // Without a microphone nothing starts, nothing is saved and nothing hangs.
  void recorderFailsQuietlyWithoutInput() {
    QVERIFY(DevicesGone());
    const QString path = folder_.filePath(QStringLiteral("nothing.wav"));
    VoiceRecorder recorder;
    QSignalSpy finished(&recorder, &VoiceRecorder::Finished);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!recorder.Record(1000));
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY(!recorder.IsRecording());
    QCOMPARE(recorder.PositionMs(), qint64(0));
    QVERIFY(!recorder.SaveWav(path));
    QVERIFY(!QFile::exists(path));
    recorder.Stop();
    recorder.Close();
    QTest::qWait(100);
    QCOMPARE(finished.count(), 0);
  }

  // A failed recording must not leave the previous one to be saved under the
  // next word's name.
  void failedRecordingDropsThePreviousOne() {
    if (!haveServer_) QSKIP(qPrintable(whyNoServer_));
    QVERIFY(DevicesBack());
    VoiceRecorder recorder;
    QVERIFY(recorder.Record(200));
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.IsRecording(), 10000);
    QVERIFY(DevicesGone());
    QVERIFY(!recorder.Record(200));
    QCOMPARE(recorder.PositionMs(), qint64(0));
    QVERIFY(!recorder.SaveWav(folder_.filePath(QStringLiteral("tempa2.wav"))));
  }

  // Without an output the wait takes the sound's time, at a low CPU cost.
  void silentPlaybackKeepsRealTime_data() {
    QTest::addColumn<int>("milliseconds");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("bits");
    QTest::newRow("16-bit mono") << 800 << 1 << 16;
    QTest::newRow("8-bit stereo") << 500 << 2 << 8;
  }
  void silentPlaybackKeepsRealTime() {
    QFETCH(int, milliseconds);
    QFETCH(int, channels);
    QFETCH(int, bits);
    QVERIFY(DevicesGone());
    const QString path = WriteWav(folder_, QStringLiteral("silent.wav"), Tone(milliseconds, channels, bits));
    QElapsedTimer clock;
    clock.start();
    const qint64 cpuBefore = CpuMs();
    QVERIFY(PlayWavToEnd(path));
    const qint64 elapsed = clock.elapsed();
    const qint64 cpu = CpuMs() - cpuBefore;
    qInfo("%d ms of sound waited %lld ms, %lld ms of CPU", milliseconds, elapsed, cpu);
    QVERIFY(elapsed >= milliseconds);
    QVERIFY(elapsed < milliseconds + 1500);
    QVERIFY2(cpu < elapsed / 4, "the wait keeps the processor busy");
  }

  void badFilesReturnAtOnce_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("exists");
    const QByteArray good = WriteWavFile(Tone(5000));
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("header only") << good.left(20) << true;
    QTest::newRow("text") << QByteArray("Mi parolas Esperanton.\n") << true;
    QTest::newRow("MP3") << QByteArray("ID3\x04\x00\x00\x00\x00\x00\x00", 10) + good.mid(44) << true;
    QByteArray compressed = good;
    compressed[20] = 2;  // ADPCM
    QTest::newRow("compressed") << compressed << true;
  }
  void badFilesReturnAtOnce() {
    QFETCH(QByteArray, contents);
    QFETCH(bool, exists);
    QVERIFY(DevicesGone());
    const QString path = folder_.filePath(QStringLiteral("bad.wav"));
    QFile::remove(path);
    if (exists) WriteFileBytes(path, contents);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!PlayWavToEnd(path));
    QVERIFY(clock.elapsed() < 1000);
  }

  void stopEndsPlaybackAtOnce() {
    QVERIFY(DevicesGone());
    const QString longTone = WriteWav(folder_, QStringLiteral("long.wav"), Tone(5000));
    const QString shortTone = WriteWav(folder_, QStringLiteral("short.wav"), Tone(300));
    StopWavPlayback();  // with nothing playing: no effect on what comes next
    QElapsedTimer clock;
    clock.start();
    QVERIFY(PlayWavToEnd(shortTone));
    QVERIFY(clock.elapsed() >= 300);

    QTimer::singleShot(200, &StopWavPlayback);
    clock.restart();
    QVERIFY(!PlayWavToEnd(longTone));
    QVERIFY(clock.elapsed() < 2500);

    // A stop that came before does not cut the next playing short.
    clock.restart();
    QVERIFY(PlayWavToEnd(shortTone));
    QVERIFY(clock.elapsed() >= 300);
  }

  // A playing started from an event during another one's wait: one stop ends both.
  void nestedPlaybacksStopTogether() {
    QVERIFY(DevicesGone());
    const QString longTone = WriteWav(folder_, QStringLiteral("long.wav"), Tone(5000));
    int inner = -1;
    QTimer::singleShot(100, [&] { inner = PlayWavToEnd(longTone) ? 1 : 0; });
    QTimer::singleShot(400, &StopWavPlayback);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!PlayWavToEnd(longTone));
    QVERIFY(clock.elapsed() < 2500);
    QCOMPARE(inner, 0);
  }

  // Closing the window that waits: the wait touches nothing of it, and a
  // window that stops its sounds when it goes ends the wait at once.
  void windowClosedDuringTheWait() {
    QVERIFY(DevicesGone());
    const QString tone = WriteWav(folder_, QStringLiteral("window.wav"), Tone(600));
    auto* window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    QPointer<QWidget> watch(window);
    QTimer::singleShot(100, window, &QWidget::close);
    QVERIFY(PlayWavToEnd(tone));
    QTRY_VERIFY(watch.isNull());

    const QString longTone = WriteWav(folder_, QStringLiteral("window-long.wav"), Tone(5000));
    auto* lesson = new QWidget;
    lesson->setAttribute(Qt::WA_DeleteOnClose);
    lesson->show();
    QObject::connect(lesson, &QObject::destroyed, &StopWavPlayback);
    QTimer::singleShot(100, lesson, &QWidget::close);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!PlayWavToEnd(longTone));
    QVERIFY(clock.elapsed() < 2500);
  }

  // The program closing during the wait ends it, and that is no full playing.
  // Last of all: once told to exit, the application runs no event loop again.
  void quittingEndsTheWait() {
    QVERIFY(DevicesGone());
    const QString longTone = WriteWav(folder_, QStringLiteral("quit.wav"), Tone(5000));
    QTimer::singleShot(200, [] { QCoreApplication::exit(0); });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!PlayWavToEnd(longTone));
    QVERIFY(clock.elapsed() < 2500);
  }
};

QTEST_MAIN(TestVoice)
#include "tst_voice.moc"
