#include "messages.h"
#include "mp3fixtures.h"
#include "mp3player.h"
#include "pronunciation.h"
#include "pulseserver.h"
#include "settings.h"
#include "testsupport.h"
#include "verdicts.h"

#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

// A lesson window with a phrase button and the pronunciation frame on the
// page PP_Pagxo; the models are short tones made by lame.
struct PracticeWindow : DrillTestWindow {
  TempProgramFolder folder;
  TFrame2* frame = nullptr;
  Mp3Player player;

  explicit PracticeWindow(const QByteArray& data, bool soundFolder = true) {
    folder.Write("ekzercoj/ekz09.dat", data);
    if (soundFolder) {
      const QString models = folder.Path("sonoj/lec09");
      QDir().mkpath(models);
      MakeToneMp3(models, QStringLiteral("Btn7"), 1.6, 22050, 1);
      MakeToneMp3(models, QStringLiteral("domo"), 0.5, 22050, 1);
      MakeToneMp3(models, QStringLiteral("auh"), 0.5, 22050, 1);
      MakeToneMp3(models, QStringLiteral("kato"), 0.5, 22050, 1);
    }
    SetMp3(&player);
    window.codes.pronunciation = "0901";
    window.soundFolder = QStringLiteral("09");
    AddButton(AddPage(), 7, QStringLiteral("Bonan tagon!"));
    frame = AddFrame<TFrame2>(QStringLiteral("PP_Pagxo"), QStringLiteral("TFrame21"));
  }
  ~PracticeWindow() { SetMp3(nullptr); }
  template <typename T>
  T* Get(const char* name) {
    return frame->findChild<T*>(QLatin1String(name));
  }
  QString Placar() { return Get<QLabel>("PP_Placar")->text(); }
  void Choose(int words) { Get<QRadioButton>(qPrintable(QStringLiteral("PP_Kiomope%1").arg(words)))->setChecked(true); }
};

}  // namespace

class TestPronunciation : public QObject {
  Q_OBJECT

 private:
  // The practice records from a microphone of the suite's own sound server;
  // the machine's own devices are never used.
  PrivatePulseServer server_;
  // The shared temporary folder of this run, where the recordings once lay.
  QTemporaryDir temp_;

  // Only the microphone goes: the speakers stay, as on many machines.
  // The server has taken the change once its control program returns.
  bool MicrophoneGone() { return server_.RemoveMicrophone(); }
  bool MicrophoneBack() { return server_.AddDevices(); }
  // Runs the practice until its first message box, which it answers; returns its text.
  static QString StartAndReadTheMessage(PracticeWindow& w) {
    QString shown;
    WhenModalShown([&shown](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    w.Get<QPushButton>("PP_Startu")->click();
    return shown;
  }
  static void VerifyIdle(PracticeWindow& w) {
    QCOMPARE(w.Placar(), QStringLiteral("00"));
    QVERIFY(w.Get<QPushButton>("PP_Startu")->isEnabled());
    QVERIFY(!w.Get<QPushButton>("PP_Haltu")->isEnabled());
    QVERIFY(!w.Get<QToolButton>("PP_Aud_Re")->isEnabled());
    QVERIFY(!w.Get<QToolButton>("PP_Mik_Re")->isEnabled());
    QVERIFY(!w.Get<QToolButton>("PP_Antauen")->isEnabled());
  }

 private Q_SLOTS:
  void initTestCase() {
    SetBuiltInMessages();
    SoundsEnabled() = true;
    QVERIFY(temp_.isValid());
    qputenv("TMPDIR", QFile::encodeName(temp_.path()));
    QVERIFY2(server_.Start(), qPrintable(server_.ErrorString()));
    QVERIFY(MicrophoneBack());
  }
  void cleanupTestCase() { server_.Stop(); }

  void batchesAndTheLastShortOne() {
    PracticeWindow w("[0901D]\r\n1=domo\r\n2=kato\r\n3=a\xC5\xAD\r\n");
    w.Choose(4);
    w.Get<QPushButton>("PP_Startu")->click();
    // Three items left with four chosen: one batch of three, then nothing left.
    QCOMPARE(w.frame->Batch().size(), 3);
    QCOMPARE(w.Placar(), QStringLiteral("0"));
    QSet<QString> texts;
    for (const auto& entry : w.frame->Batch()) texts.insert(entry.text);
    QCOMPARE(texts, (QSet<QString>{"domo", "kato", "aŭ"}));
    bool auh = false;
    for (const auto& entry : w.frame->Batch()) auh |= entry.modelSound.endsWith(QStringLiteral("sonoj/lec09/auh.mp3"));
    QVERIFY(auh);
    QVERIFY(w.Get<QToolButton>("PP_Antauen")->isEnabled());
    QVERIFY(w.Get<QGroupBox>("PP_Kiomope")->isEnabled());
    w.Get<QToolButton>("PP_Antauen")->click();
    QCOMPARE(w.Placar(), QStringLiteral("00"));
    QVERIFY(w.Get<QPushButton>("PP_Startu")->isEnabled());
  }

  void recordingLengthFollowsTheModel() {
    PracticeWindow w("[0901D]\r\n1=7\r\n2=domo\r\n");
    w.Get<QPushButton>("PP_Startu")->click();
    const auto& entry = w.frame->Batch().first();
    if (entry.text == QStringLiteral("Bonan tagon!")) {
      QVERIFY(entry.modelSound.endsWith(QStringLiteral("sonoj/lec09/Btn7.mp3")));
      QCOMPARE(entry.recordingSeconds, 5);  // a model of 2 seconds
    } else {
      QCOMPARE(entry.recordingSeconds, 4);
    }
    QCOMPARE(w.Placar(), QStringLiteral("1"));
    // Recording again keeps the batch and the counter.
    const QString before = entry.text;
    w.Get<QToolButton>("PP_Mik_Re")->click();
    QCOMPARE(w.frame->Batch().first().text, before);
    QCOMPARE(w.Placar(), QStringLiteral("1"));
  }

  void stoppedFromOutsideAtOnce() {
    PracticeWindow w("[0901D]\r\n1=7\r\n2=domo\r\n");
    QTimer::singleShot(300, [&] { w.frame->HaltigasPrononcon(); });
    QElapsedTimer clock;
    clock.start();
    w.Get<QPushButton>("PP_Startu")->click();
    QVERIFY2(clock.elapsed() < 1200, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(w.Placar(), QStringLiteral("00"));
    QVERIFY(w.Get<QPushButton>("PP_Startu")->isEnabled());
    QVERIFY(!w.Get<QPushButton>("PP_Haltu")->isEnabled());
    QVERIFY(!w.Get<QLabel>("PP_Orelo")->isVisible());
    QVERIFY(w.Get<QLabel>("PP_Mikrofono")->isVisible());
    QVERIFY(w.Get<QLabel>("PP_Vorto")->text().isEmpty());
  }

  void closingTheWindowEndsThePractice() {
    PracticeWindow w("[0901D]\r\n1=7\r\n");
    QTimer::singleShot(300, [&] { w.window.StartClosing(); });
    QElapsedTimer clock;
    clock.start();
    w.Get<QPushButton>("PP_Startu")->click();
    QVERIFY(clock.elapsed() < 1200);
  }

  // The learner's recordings lie in a folder of the frame alone, never under
  // fixed names in the shared temporary folder, and go with the frame.
  void recordingsArePrivate() {
    QString folder;
    {
      PracticeWindow w("[0901D]\r\n1=domo\r\n");
      w.Get<QPushButton>("PP_Startu")->click();
      QVERIFY(w.frame->Batch().first().recorded);
      const QFileInfo recording(w.frame->RecordingPath(1));
      QVERIFY(recording.isFile());
      folder = recording.absolutePath();
      QVERIFY(folder.startsWith(temp_.path() + QLatin1Char('/')));
      // Nobody else may look in.
      constexpr auto othersMay = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                 QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
      QVERIFY(!(QFileInfo(folder).permissions() & othersMay));
      QVERIFY(!QFile::exists(temp_.filePath(QStringLiteral("tempa1.wav"))));
    }
    QVERIFY(!QFileInfo::exists(folder));
  }

  // No microphone: the learner is told how to fix it, the batch stops, and a
  // recording left where earlier versions kept theirs is never played.
  void withoutAMicrophoneNothingIsPlayedBack() {
    PracticeWindow w("[0901D]\r\n1=domo\r\n2=kato\r\n");
    const QByteArray stale = "RIFF stale recording of someone else";
    WriteFileBytes(temp_.filePath(QStringLiteral("tempa1.wav")), stale);
    w.folder.Write("tempa1.wav", stale);
    QVERIFY(MicrophoneGone());
    const QString shown = StartAndReadTheMessage(w);
    QVERIFY(MicrophoneBack());
    QCOMPARE(shown, Messages().smNeRegistris);
    VerifyIdle(w);
    QVERIFY(!w.frame->Batch().first().recorded);
    QVERIFY(w.frame->RecordingPath(1) != temp_.filePath(QStringLiteral("tempa1.wav")));
    QVERIFY(!QFile::exists(w.frame->RecordingPath(1)));
    QCOMPARE(ReadFileBytes(temp_.filePath(QStringLiteral("tempa1.wav"))), stale);
  }

  // A recording that cannot be saved (a file stands where its folder was,
  // which holds for root too) is told the same way.
  void aRecordingThatCannotBeSavedIsTold() {
    PracticeWindow w("[0901D]\r\n1=domo\r\n");
    QTimer block;
    block.setInterval(50);
    QObject::connect(&block, &QTimer::timeout, [&] {
      const QString recording = w.frame->RecordingPath(1);
      if (recording.isEmpty() || !w.Get<QSlider>("PP_Prog")->isVisible()) return;
      block.stop();
      const QString folder = QFileInfo(recording).absolutePath();
      QDir(folder).removeRecursively();
      WriteFileBytes(folder, "not a folder");
    });
    block.start();
    const QString shown = StartAndReadTheMessage(w);
    QCOMPARE(shown, Messages().smNeRegistris);
    VerifyIdle(w);
    QVERIFY(!w.frame->Batch().first().recorded);
  }

  void noSoundFolderNoPractice() {
    PracticeWindow w("[0901D]\r\n1=domo\r\n", false);
    QString shown;
    WhenModalShown([&](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    w.Get<QPushButton>("PP_Startu")->click();
    QCOMPARE(shown, Messages().smNeSono);
    QVERIFY(w.Get<QPushButton>("PP_Startu")->isEnabled());
  }
};

QTEST_MAIN(TestPronunciation)
#include "tst_pronunciation.moc"
