#include "drillhost.h"
#include "messages.h"
#include "mp3fixtures.h"
#include "mp3player.h"
#include "pronunciation.h"
#include "pulseserver.h"
#include "testsupport.h"
#include "verdicts.h"
#include "voicedrawing.h"
#include "wavfile.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <numbers>
#include <random>

namespace {

using Lane = VoiceDrawing::Lane;

// "do-mo" as a voice says it: two voiced syllables, the first higher and
// louder, with a short quiet between them; as the learner says it, in a
// room whose quiet noise the microphone hears before and after.
QByteArray SpokenWordWav(double roomBefore = 0, double roomAfter = 0) {
  constexpr int rate = 22050;
  struct Part {
    double seconds, from, to, loudness;
  };
  const Part parts[] = {
      {roomBefore, 0, 0, 0}, {0.24, 190, 205, 0.5}, {0.06, 0, 0, 0}, {0.28, 165, 140, 0.35}, {roomAfter, 0, 0, 0}};
  WavAudio audio;
  audio.sampleRate = rate;
  audio.channels = 1;
  double phase = 0;
  std::mt19937 generator(3);
  std::normal_distribution<double> room(0.0, 0.002);
  for (const Part& part : parts) {
    const int count = static_cast<int>(part.seconds * rate);
    for (int i = 0; i < count; ++i) {
      phase += 2 * std::numbers::pi * (part.from + (part.to - part.from) * i / count) / rate;
      const double swell = std::sin(std::numbers::pi * i / count);
      const double voice =
          part.loudness * swell * (0.6 * std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.1 * std::sin(3 * phase));
      char bytes[2];
      qToLittleEndian(static_cast<qint16>((voice + room(generator)) * 32767), bytes);
      audio.samples.append(bytes, 2);
    }
  }
  return WriteWavFile(audio);
}

// A lesson window with the pronunciation practice alone; its one item is
// the word above, which is also what the learner says.
class PracticeWindow : public DrillHost {
 public:
  PracticeWindow() {
    codes_.pronunciation = "0901";
    folder.Write("ekzercoj/ekz09.dat", "[0901D]\r\n1=domo\r\n");
    const QString models = folder.Path("sonoj/lec09");
    QDir().mkpath(models);
    model = EncodeMp3(models, QStringLiteral("domo"), SpokenWordWav());
    learner = EncodeMp3(folder.Path(QString()), QStringLiteral("learner"), SpokenWordWav(0.6, 0.6));
    SetMp3(&player);
    frame = new TFrame2(this);
    frame->setObjectName(QStringLiteral("TFrame21"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
    show();
  }
  ~PracticeWindow() override { SetMp3(nullptr); }
  const DrillCodes& Codes() const override { return codes_; }
  QString SoundFolder() const override { return QStringLiteral("09"); }
  int CurrentPage() const override { return 0; }

  template <typename T>
  T* Get(const char* name) {
    return frame->findChild<T*>(QLatin1String(name));
  }
  VoiceDrawing* Voices() { return frame->Voices(); }

  TempProgramFolder folder;
  Mp3Player player;
  TFrame2* frame = nullptr;
  QString model;
  QString learner;

 private:
  DrillCodes codes_;
};

// Where a lane shows the loudness band: its first and last column.
struct Extent {
  int first = -1;
  int last = -1;
};
Extent BandOf(const QImage& image, const QRectF& lane, const QColor& colour) {
  Extent extent;
  const int middle = int(lane.center().y());
  for (int x = 0; x < image.width(); ++x) {
    if (image.pixelColor(x, middle) != colour) continue;
    if (extent.first < 0) extent.first = x;
    extent.last = x;
  }
  return extent;
}

// The column of the playing cursor in a lane; -1 when none is drawn.
int CursorIn(const QImage& image, const QRectF& lane) {
  const int y = int(lane.top() + 4);
  for (int x = 0; x < image.width(); ++x) {
    const QColor pixel = image.pixelColor(x, y);
    if (pixel.red() > 180 && pixel.green() < 90 && pixel.blue() < 90) return x;
  }
  return -1;
}

}  // namespace

class TestVoiceDrawing : public QObject {
  Q_OBJECT

 private:
  // Recording goes through a sound server of the suite's own; its
  // microphone hears what is played.
  PrivatePulseServer server_;
  QTemporaryDir temp_;

  // Runs one batch of the practice; the learner, when `speaks`, says the
  // model a while into the recording. Returns the highest input level shown.
  static int PractiseOnce(PracticeWindow& w, bool speaks) {
    Mp3Player learner;
    int highest = -1;
    bool started = false;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      auto* level = w.Get<QProgressBar>("PP_Nivelo");
      if (!w.Get<QSlider>("PP_Prog")->isVisible()) return;
      if (level->isVisible()) highest = std::max(highest, level->value());
      if (speaks && !started) {
        started = true;
        learner.InputOpen(w.learner);
        learner.Play();
      }
    });
    watch.start();
    w.Get<QPushButton>("PP_Startu")->click();
    return highest;
  }

 private Q_SLOTS:
  void initTestCase() {
    SetBuiltInMessages();
    SoundsEnabled() = true;
    QVERIFY(temp_.isValid());
    qputenv("TMPDIR", QFile::encodeName(temp_.path()));
    QVERIFY2(server_.Start(), qPrintable(server_.ErrorString()));
  }
  void cleanupTestCase() { server_.Stop(); }

  // The learner says the model well into the recording, as learners do:
  // the drawn recording begins where the model begins and ends where it
  // ends, its pitch where the model's is, and a click plays it from there.
  void theRecordingLinesUpWithTheModel() {
    PracticeWindow w;
    QVERIFY(!w.model.isEmpty());
    const int level = PractiseOnce(w, true);
    QVERIFY(w.frame->Batch().first().recorded);
    QVERIFY2(level > 50, qPrintable(QString::number(level)));
    QVERIFY(!w.Get<QProgressBar>("PP_Nivelo")->isVisible());

    VoiceDrawing* voices = w.Voices();
    QTRY_VERIFY(voices->Drawn().model && voices->Drawn().recording);
    const VoiceTrace& model = *voices->Drawn().model;
    const VoiceTrace& recording = *voices->Drawn().recording;
    QVERIFY(!recording.IsSilent());
    QVERIFY2(recording.startSeconds > model.startSeconds + 0.4, qPrintable(QString::number(recording.startSeconds)));
    QVERIFY2(std::abs(recording.Seconds() - model.Seconds()) < 0.05,
             qPrintable(QStringLiteral("%1 against %2").arg(recording.Seconds()).arg(model.Seconds())));
    QCOMPARE(model.syllableBoundaries.size(), std::size_t(1));
    QCOMPARE(recording.syllableBoundaries.size(), std::size_t(1));
    QVERIFY(std::abs(recording.syllableBoundaries[0] - model.syllableBoundaries[0]) <= 3);
    QVERIFY(voices->ShowsSyllables());
    QVERIFY(!voices->findChild<QLabel*>(QStringLiteral("PP_Silento"))->isVisible());

    // As drawn: both bands span the same columns.
    const QImage image = voices->grab().toImage();
    const Extent top = BandOf(image, voices->LaneArea(Lane::Model), VoiceDrawing::LoudnessColour(Lane::Model));
    const Extent bottom =
        BandOf(image, voices->LaneArea(Lane::Recording), VoiceDrawing::LoudnessColour(Lane::Recording));
    QVERIFY(top.first >= 0 && bottom.first >= 0);
    const double pixelsPerSecond = (top.last - top.first) / model.Seconds();
    QVERIFY2(std::abs(top.first - bottom.first) <= 3,
             qPrintable(QStringLiteral("%1 %2").arg(top.first).arg(bottom.first)));
    QVERIFY2(std::abs(top.last - bottom.last) <= 0.05 * pixelsPerSecond,
             qPrintable(QStringLiteral("%1 %2").arg(top.last).arg(bottom.last)));

    // A click in the middle of the recording plays it from there: the cursor
    // starts where the click was and moves on.
    const QRectF lane = voices->LaneArea(Lane::Recording);
    const QPoint click((bottom.first + bottom.last) / 2, int(lane.center().y()));
    QList<int> cursor;
    QTimer look;
    look.setInterval(30);
    QObject::connect(&look, &QTimer::timeout, [&] {
      const int x = CursorIn(voices->grab().toImage(), lane);
      if (x >= 0) cursor.append(x);
    });
    look.start();
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(voices, Qt::LeftButton, {}, click);
    look.stop();
    QVERIFY2(cursor.size() >= 3, qPrintable(QString::number(cursor.size())));
    QVERIFY2(cursor.first() >= click.x() - 3 && cursor.first() <= click.x() + 0.15 * pixelsPerSecond,
             qPrintable(QStringLiteral("%1 after a click at %2").arg(cursor.first()).arg(click.x())));
    QVERIFY(cursor.last() > cursor.first() && cursor.last() <= bottom.last + 3);
    // The rest of the voice is played, not the seconds of silence after it.
    const double afterClick = recording.EndSeconds() - (recording.startSeconds + recording.Seconds() / 2);
    QVERIFY2(recording.totalSeconds - recording.EndSeconds() > 2.0,
             qPrintable(QString::number(recording.totalSeconds)));
    QVERIFY2(clock.elapsed() < 1000 * (afterClick + 1.0), qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(CursorIn(voices->grab().toImage(), lane), -1);
  }

  // A microphone that hears nothing shows at once, and is said so beside the drawing.
  void aSilentMicrophoneIsSeen() {
    PracticeWindow w;
    const int level = PractiseOnce(w, false);
    QVERIFY2(level >= 0 && level < 10, qPrintable(QString::number(level)));
    VoiceDrawing* voices = w.Voices();
    QTRY_VERIFY(voices->Drawn().recording.has_value());
    QVERIFY(voices->Drawn().recording->IsSilent());
    QVERIFY(voices->Drawn().model && !voices->Drawn().model->IsSilent());
    QVERIFY(voices->findChild<QLabel*>(QStringLiteral("PP_Silento"))->isVisible());
  }
};

QTEST_MAIN(TestVoiceDrawing)
#include "tst_voicedrawing.moc"
