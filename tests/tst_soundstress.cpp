#include "lec01.h"
#include "lessonwindows.h"
#include "listening.h"
#include "messages.h"
#include "mp3fixtures.h"
#include "mp3player.h"
#include "playerhelpers.h"
#include "pulseserver.h"
#include "recordedsound.h"
#include "settings.h"
#include "testsupport.h"
#include "verdicts.h"
#include "voicerecorder.h"
#include "waiting.h"
#include "wavfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QtTest>

namespace {

constexpr int kReplacements = 2000;
constexpr int kCheckEvery = 100;

// The course's own recordings: those of the built program, or of the folder
// PELANO_COURSE_DIR names (a build without recordings of its own, such as
// the thread-checking one, borrows another build's).
QString CourseFolder() {
  const QString named = qEnvironmentVariable("PELANO_COURSE_DIR");
  return named.isEmpty() ? QStringLiteral(PELANO_PROGRAM_DIR) : named + QLatin1Char('/');
}

// The player answers a ping within a few seconds.
bool Answers(Mp3Player& player) {
  const int tag = QRandomGenerator::global()->bounded(30000);
  player.Ping(tag);
  return WaitUntil([&] { return player.LastPong() == tag; }, 5);
}

}  // namespace

// The player on a real sound server, driven as hard as a learner can and
// harder: sounds replacing each other at any moment, a whole listening drill
// answered at machine speed, and the server dying in the middle of a sound.
class TestSoundStress : public QObject {
  Q_OBJECT

 private:
  PrivatePulseServer server_;
  QTemporaryDir folder_;
  QStringList recordings_;

  // Plays `path` and waits for its end; the milliseconds it took, or -1 when
  // no end was reported.
  qint64 PlayedToItsEnd(Mp3Player& player, const QString& path, double limitSeconds) {
    bool ended = false;
    const auto connection = connect(&player, &Mp3Player::NotifyPlayerState, this,
                                    [&](int state) { ended |= state == Mp3Player::EndOfStream; });
    QElapsedTimer clock;
    clock.start();
    player.InputOpen(path);
    player.Play();
    WaitUntil([&] { return ended; }, limitSeconds);
    disconnect(connection);
    return ended ? clock.elapsed() : -1;
  }

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY2(PrivatePulseServer::Available(), "pulseaudio is part of the course's test packages");
    QVERIFY2(server_.Start(), qPrintable(server_.ErrorString()));
    const QDir lesson(CourseFolder() + QStringLiteral("sonoj/lec01"));
    for (const QString& name : lesson.entryList({QStringLiteral("*.mp3")}, QDir::Files, QDir::Name)) {
      recordings_.append(lesson.filePath(name));
    }
    QVERIFY2(recordings_.size() >= 20, qPrintable(lesson.path()));
    RegisterLessonWidgets();
    SetBuiltInMessages();
  }

  void cleanupTestCase() { server_.Stop(); }

  // Random replacements, pauses, resumptions and stops, 0 to 300 ms apart;
  // every hundred commands the player must still answer and play a sound to
  // its reported end.
  void replacementsAtRandomMoments() {
    Mp3Player player;
    SetMp3(&player);
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    qInfo("seed %u, %lld recordings", seed, qint64(recordings_.size()));
    QElapsedTimer clock;
    clock.start();
    int replacements = 0;
    int endsReported = 0;
    for (int command = 1; replacements < kReplacements; ++command) {
      const int choice = random.bounded(10);
      if (choice < 7) {
        player.InputOpen(recordings_[random.bounded(recordings_.size())]);
        player.Play();
        ++replacements;
      } else if (choice == 7) {
        player.Pause();
      } else if (choice == 8) {
        player.Play();
      } else {
        player.Stop();
      }
      WaitSeconds(random.bounded(301) / 1000.0);
      if (command % kCheckEvery == 0) {
        QVERIFY2(Answers(player), qPrintable(QStringLiteral("no answer after %1 commands").arg(command)));
        const QString& path = recordings_[random.bounded(recordings_.size())];
        QVERIFY2(PlayedToItsEnd(player, path, 10) >= 0, qPrintable(QStringLiteral("no end of %1").arg(path)));
        ++endsReported;
        if (command % (kCheckEvery * 5) == 0) qInfo("%d replacements, %.0f s", replacements, clock.elapsed() / 1000.0);
      }
    }
    QVERIFY(Answers(player));
    qInfo("%d replacements survived in %.1f s; %d ends reported of %d played to their end", replacements,
          clock.elapsed() / 1000.0, endsReported, endsReported);
    SetMp3(nullptr);
  }

  // Lesson 1's listening comprehension, every item answered right at once,
  // each answer replacing the sound of the item before.
  void listeningDrillToItsVerdict() {
    TempProgramFolder program;
    QVERIFY(QFile::link(CourseFolder() + QStringLiteral("sonoj"), program.Path(QStringLiteral("sonoj"))));
    program.Write("ekzercoj/ekz01.dat", ReadFileBytes(CourseFolder() + QStringLiteral("ekzercoj/ekz01.dat")));
    OpenSettingsFile();
    SoundsEnabled() = true;
    Mp3Player player;
    SetMp3(&player);
    {
      std::unique_ptr<QDialog> window = CreateLessonWindow(1, nullptr);
      QVERIFY(window);
      window->show();
      auto* pages = window->findChild<QTabWidget*>(QStringLiteral("Pagxaro"));
      pages->setCurrentIndex(pages->indexOf(window->findChild<QWidget*>(QStringLiteral("EkzAudKompreno2"))));
      auto* drill = window->findChild<TFrame3*>(QStringLiteral("TFrame31"));
      QVERIFY(drill);
      QString verdict;
      WhenModalShown([&](QWidget* modal) {
        verdict = qobject_cast<QMessageBox*>(modal)->text();
        modal->close();
      });
      drill->findChild<QPushButton*>(QStringLiteral("BitBtn8"))->click();
      auto* edit = drill->findChild<QLineEdit*>(QStringLiteral("Edit1"));
      int answered = 0;
      while (drill->Score().Running() && answered < TFrame3::ResultLines) {
        edit->setText(drill->ExpectedAnswer());
        QTest::keyClick(edit, Qt::Key_Return);
        ++answered;
      }
      QTRY_VERIFY_WITH_TIMEOUT(!verdict.isEmpty(), 10000);
      qInfo("%d items answered; verdict \"%s\"", answered, qPrintable(verdict));
      QCOMPARE(verdict, Messages().smGratulon);
      QVERIFY(Answers(player));
    }
    SetMp3(nullptr);
    CloseSettingsFile();
  }

  // The server killed in the middle of a sound: the sound ends silently at
  // its time, and once a server is back the course is heard again.
  void serverKilledMidSound() {
    const QString tone = MakeToneMp3(folder_.path(), QStringLiteral("tone"), 3.0, 22050, 1);
    QVERIFY(!tone.isEmpty());
    Mp3Player player;
    SetMp3(&player);
    QTimer::singleShot(800, [this] { server_.Kill(); });
    const qint64 endedAfter = PlayedToItsEnd(player, tone, 10);
    qInfo("a 3 s sound whose server died at 0.8 s ended after %lld ms", endedAfter);
    QVERIFY2(endedAfter >= 2800 && endedAfter <= 6000, qPrintable(QString::number(endedAfter)));
    QVERIFY(Answers(player));
    // Without a server the course goes on in silence, in real time.
    QVERIFY(PlayedToItsEnd(player, tone, 10) >= 2900);

    QVERIFY2(server_.Start(), qPrintable(server_.ErrorString()));
    const QString shortTone = MakeToneMp3(folder_.path(), QStringLiteral("short"), 0.5, 22050, 1);
    bool heard = false;
    for (int attempt = 0; attempt < 5 && !heard; ++attempt) {
      VoiceRecorder recorder;
      if (!recorder.Record(1500)) {
        WaitSeconds(0.5);
        continue;
      }
      WaitUntil([&] { return recorder.PositionMs() > 100; }, 5);
      PlayedToItsEnd(player, shortTone, 5);
      WaitUntil([&] { return !recorder.IsRecording(); }, 5);
      const QString path = folder_.filePath(QStringLiteral("heard.wav"));
      QVERIFY(recorder.SaveWav(path));
      const auto audio = ParseWavFile(ReadFileBytes(path));
      QVERIFY(audio);
      heard = RecordedSound(*audio, 12000).FirstLoud() >= 0;
    }
    QVERIFY2(heard, "the course is heard on the new server");
    SetMp3(nullptr);
  }
};

QTEST_MAIN(TestSoundStress)
#include "tst_soundstress.moc"
