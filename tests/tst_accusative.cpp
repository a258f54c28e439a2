#include "accusative.h"
#include "drillpanel.h"
#include "lessonwindows.h"
#include "messages.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "translationfile.h"
#include "verdicts.h"

#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

// A lesson window with a text page and the accusative page; sentences from
// the fixture data.
struct AccusativeWindow : DrillTestWindow {
  TempProgramFolder folder;
  TFrame5* frame = nullptr;

  AccusativeWindow(const QString& code, const QString& textsCode) {
    folder.Write("ekzercoj/ekz09.dat", ReadFileBytes(QStringLiteral(PELANO_TEST_FIXTURES "accusative-ekz09.dat")));
    window.codes.accusative = window.Keep(code);
    window.codes.accusativeTexts = window.Keep(textsCode);
    AddPage(QStringLiteral("Teksto"));
    frame = AddFrame<TFrame5>(QStringLiteral("EkzAkuzativo"), QStringLiteral("TFrame51"));
  }
  template <typename T = QWidget>
  T* Get(const QString& name) {
    return frame->findChild<T*>(name);
  }
  QString Text(const QString& name) { return Get<QLabel>(name)->text(); }
  QPushButton* Button(const char* name) { return Get<QPushButton>(QLatin1String(name)); }
  StaticText* Word(int place) { return Get<StaticText>(QStringLiteral("Vorto%1").arg(10 + place)); }
  int Place(const QString& caption) {
    for (int place = 0; place < TFrame5::Places; ++place) {
      if (Word(place)->text() == caption) return place;
    }
    return -1;
  }
  void Click(int place) { QTest::mouseClick(Word(place), Qt::LeftButton); }
  void Click(const QString& caption) { Click(Place(caption)); }
  void Start() { Button("BitBtn1")->click(); }
  void Confirm() { Button("BitBtn2")->click(); }
  // Starts until the sentence that begins with `firstWord` is on display.
  bool StartOn(const QString& firstWord) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      Start();
      if (Word(0)->text() == firstWord) return true;
      Button("BitBtn3")->click();
    }
    return false;
  }
  QColor Colour(int place) { return Word(place)->palette().color(QPalette::WindowText); }
};

// The words of the fixture sentences that take the ending.
const QStringList kObjects{"hundo", "bela", "libro", "pomoj"};

QString Explanation(int index) { return TFrame5::BuiltInExplanations().at(index); }

}  // namespace

class TestAccusative : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    SetBuiltInMessages();
    SoundsEnabled() = false;
    CurrentSettings() = Settings();
  }
  void cleanup() {
    CloseTranslationFile();
    CurrentSettings().Lingvo = Portuguese;
  }

  void theBuiltInExplanations() {
    const QStringList texts = TFrame5::BuiltInExplanations();
    QCOMPARE(texts.size(), 13);
    QCOMPARE(texts[0],
             QStringLiteral("Este é o sujeito da oração, e o sujeito NUNCA pode receber a terminação \"n\"."));
    QCOMPARE(texts[4],
             QStringLiteral("Parabéns! Este é o objeto direto da oração e deve receber a terminação \"n\" !"));
    QVERIFY(texts[12].endsWith(QStringLiteral("(\"Mi diras saluton al vi\", \"Mi diras dankon al vi\", etc.).")));
  }

  void theSentenceIsCentred() {
    AccusativeWindow w(QStringLiteral("0911"), QStringLiteral("0921"));
    w.Start();
    QCOMPARE(w.Text("Placar11"), QStringLiteral("01"));
    QVERIFY(w.Get<QGroupBox>("Vortoj")->isVisible());
    QVERIFY(w.Get<StaticText>("Traduko1")->isVisible());
    QVERIFY(!w.Get<QLabel>("Klarigo")->isVisible());
    QCOMPARE(w.Text("Traduko1"), QStringLiteral("Eu vejo o cachorro."));
    const QStringList words{"Mi", "vidas", "la", "hundo"};
    int total = 0;
    for (int place = 0; place < TFrame5::Places; ++place) {
      QCOMPARE(w.Word(place)->text(), words.value(place));
      if (place >= words.size()) QCOMPARE(w.Word(place)->width(), 0);
      QCOMPARE(w.Colour(place), QColor(Qt::black));
      total += w.Word(place)->width();
    }
    total += 6 * int(words.size());
    QCOMPARE(w.Word(0)->x(), (w.Get<QGroupBox>("Vortoj")->width() - total) / 2);
    for (int place = 1; place < TFrame5::Places; ++place) {
      QCOMPARE(w.Word(place)->x(), w.Word(place - 1)->x() + w.Word(place - 1)->width() + 6);
    }
  }

  void clickingWords() {
    AccusativeWindow w(QStringLiteral("0912"), QStringLiteral("0922"));
    QVERIFY(w.StartOn(QStringLiteral("La")));
    QCOMPARE(w.Text("Traduko1"), QStringLiteral("A menina lê um livro bonito."));
    // The subject, twice: two misses, the same explanation both times.
    for (int click = 1; click <= 2; ++click) {
      QElapsedTimer clock;
      clock.start();
      w.Click(QStringLiteral("knabino"));
      QVERIFY(clock.elapsed() >= 950);
      QCOMPARE(w.Text("Placar13"), DrillPanel::TwoDigits(click));
      QVERIFY(w.Get<QLabel>("Klarigo")->isVisible());
      QCOMPARE(w.Text("Klarigo"), Explanation(1));
    }
    QCOMPARE(w.Colour(1), QColor(QStringLiteral("#c00000")));
    QCOMPARE(w.Text("Placar14"), QStringLiteral("00%"));
    // Part of the object, twice: one "n", the explanation both times.
    const int libroX = w.Word(4)->x();
    w.Click(QStringLiteral("bela"));
    QCOMPARE(w.Word(3)->text(), QStringLiteral("belan"));
    QCOMPARE(w.Colour(3), QColor(QStringLiteral("green")));
    QCOMPARE(w.Word(4)->x(), libroX + 8);
    QCOMPARE(w.Text("Klarigo"), Explanation(5));
    w.Get<QLabel>("Klarigo")->hide();
    w.Click(3);
    QCOMPARE(w.Word(3)->text(), QStringLiteral("belan"));
    QCOMPARE(w.Word(4)->x(), libroX + 8);
    QVERIFY(w.Get<QLabel>("Klarigo")->isVisible());
    QCOMPARE(w.Text("Klarigo"), Explanation(5));
    QCOMPARE(w.Text("Placar13"), QStringLiteral("02"));
    QCOMPARE(w.Text("Placar12"), QStringLiteral("00"));
    // Confirming with "libro" unmarked: it flashes, the others stay.
    bool flashed = false, othersStayed = true, locked = true;
    QTimer probe;
    connect(&probe, &QTimer::timeout, [&] {
      flashed |= !w.Word(4)->isVisible();
      othersStayed &= w.Word(3)->isVisible() && w.Word(1)->isVisible();
      locked &= !w.Button("BitBtn2")->isEnabled() && !w.Button("BitBtn3")->isEnabled();
      w.Click(0);  // no clicks on a sentence being judged
    });
    probe.start(50);
    QElapsedTimer clock;
    clock.start();
    w.Confirm();
    probe.stop();
    QVERIFY(clock.elapsed() >= 2900);
    QVERIFY(flashed);
    QVERIFY(othersStayed);
    QVERIFY(locked);
    QCOMPARE(w.Text("Placar13"), QStringLiteral("03"));
    QCOMPARE(w.Text("Placar11"), QStringLiteral("02"));  // the sentence was not answered
    QVERIFY(w.Button("BitBtn2")->isEnabled() && w.Button("BitBtn3")->isEnabled());
    // The next sentence starts plain.
    QCOMPARE(w.Place(QStringLiteral("belan")), -1);
    for (int place = 0; place < TFrame5::Places; ++place) QCOMPARE(w.Colour(place), QColor(Qt::black));
  }

  void aSentenceWithoutAccusative() {
    AccusativeWindow w(QStringLiteral("0912"), QStringLiteral("0922"));
    QVERIFY(w.StartOn(QStringLiteral("Petro")));
    w.Confirm();
    QCOMPARE(w.Text("Placar12"), QStringLiteral("01"));
    QCOMPARE(w.Text("Placar11"), QStringLiteral("01"));
    QCOMPARE(w.Text("Placar14"), QStringLiteral("100%"));
    QCOMPARE(w.Word(0)->text(), QStringLiteral("La"));  // only the other sentence is left
  }

  void percentages_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("textsCode");
    QTest::addColumn<int>("wrongClicks");
    QTest::addColumn<QString>("percentage");
    QTest::newRow("2 hits, 1 miss") << "0912"
                                    << "0922" << 1 << "67%";
    QTest::newRow("1 hit, 7 misses") << "0911"
                                     << "0921" << 7 << "12%";
    QTest::newRow("3 hits, 5 misses") << "0913"
                                      << "0923" << 5 << "38%";
  }
  void percentages() {
    QFETCH(QString, code);
    QFETCH(QString, textsCode);
    QFETCH(int, wrongClicks);
    QFETCH(QString, percentage);
    AccusativeWindow w(code, textsCode);
    w.Start();
    for (int i = 0; i < wrongClicks; ++i) w.Click(0);  // the subject
    QString verdict;
    WhenModalShown([&](QWidget* modal) {
      verdict = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    for (int sentence = 0; sentence < 3 && w.Button("BitBtn3")->isEnabled(); ++sentence) {
      for (const QString& object : kObjects) {
        if (w.Place(object) >= 0) w.Click(object);
      }
      w.Confirm();
    }
    QCOMPARE(w.Text("Placar14"), percentage);
    QCOMPARE(w.Text("Placar13"), DrillPanel::TwoDigits(wrongClicks));
    QCOMPARE(w.Text("Placar11"), QStringLiteral("00"));
    QCOMPARE(verdict, Messages().smDenove);
    QVERIFY(w.Button("BitBtn1")->isEnabled());
    QVERIFY(!w.Get<QGroupBox>("Vortoj")->isVisible());
    QVERIFY(!w.Get<StaticText>("Traduko1")->isVisible());
  }

  void stopDuringThePraisePause() {
    AccusativeWindow w(QStringLiteral("0912"), QStringLiteral("0922"));
    QVERIFY(w.StartOn(QStringLiteral("Petro")));
    QTimer::singleShot(300, [&] { w.Button("BitBtn3")->click(); });
    w.Confirm();
    QVERIFY(w.Button("BitBtn1")->isEnabled());
    QVERIFY(!w.Button("BitBtn2")->isEnabled());
    QVERIFY(!w.Get<QGroupBox>("Vortoj")->isVisible());
    QCOMPARE(w.Word(0)->text(), QStringLiteral("Petro"));  // no new sentence was built
    QCOMPARE(w.Text("Placar12"), QStringLiteral("01"));
  }

  void closingTheWindowEndsTheWaitAtOnce_data() {
    QTest::addColumn<int>("what");
    QTest::newRow("after a click") << 0;
    QTest::newRow("during the correction") << 1;
    QTest::newRow("during the praise before the verdict") << 2;
  }
  void closingTheWindowEndsTheWaitAtOnce() {
    QFETCH(int, what);
    AccusativeWindow w(QStringLiteral("0911"), QStringLiteral("0921"));
    w.Start();
    if (what == 2) w.Click(QStringLiteral("hundo"));
    bool modalShown = false;
    QTimer* watch = WhenModalShown([&](QWidget* modal) {
      modalShown = true;
      modal->close();
    });
    QTimer::singleShot(300, [&] {
      w.window.StartClosing();
      w.window.close();
    });
    QElapsedTimer clock;
    clock.start();
    if (what == 0) {
      w.Click(0);
    } else {
      w.Confirm();
    }
    QVERIFY(clock.elapsed() < 1500);
    QTest::qWait(200);
    QVERIFY(!modalShown);
    delete watch;
    if (what == 1) QVERIFY(!w.Button("BitBtn3")->isEnabled());  // the drill touched nothing after the window closed
  }

  void closingARealLessonWindowDuringTheCorrection() {
    TempProgramFolder folder;
    // Lesson 2's accusative drill asks the fixture's sentences.
    const QByteArray fixture = ReadFileBytes(QStringLiteral(PELANO_TEST_FIXTURES "accusative-ekz09.dat"));
    folder.Write("ekzercoj/ekz02.dat", QByteArray(fixture).replace("[0911", "[0202").replace("[0921", "[0204"));
    OpenSettingsFile();
    RegisterLessonWidgets();
    std::unique_ptr<QDialog> window = CreateLessonWindow(2, nullptr);
    QVERIFY(window);
    auto* frame = window->findChild<TFrame5*>(QStringLiteral("TFrame51"));
    QVERIFY(frame);
    window->show();
    window->findChild<QTabWidget*>(QStringLiteral("Pagxaro"))->setCurrentWidget(frame->parentWidget());
    frame->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    bool modalShown = false;
    QTimer* watch = WhenModalShown([&](QWidget* modal) {
      modalShown = true;
      modal->close();
    });
    QTimer::singleShot(300, window.get(), [&] { window->close(); });
    QElapsedTimer clock;
    clock.start();
    frame->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();  // "hundo" is not marked
    QVERIFY(clock.elapsed() < 1500);
    QVERIFY(!window->isVisible());
    window.reset();  // the frame and all it waited on are gone now
    QTest::qWait(200);
    QVERIFY(!modalShown);
    delete watch;
    CloseSettingsFile();
  }

  void explanationsOfATranslation() {
    AccusativeWindow w(QStringLiteral("0911"), QStringLiteral("0921"));
    w.folder.Write("tradukoj/angla.trd",
                   "[Ekzerco-Klarigoj]\r\n0=This is the subject of the sentence.\r\n1=Part of the subject.\r\n"
                   "3=This is the verb.\r\n[Ekzerco-0921]\r\n0=I see the dog.\r\n");
    CurrentSettings().Lingvo = QStringLiteral("English");
    OpenTranslationFile(w.folder.Path("tradukoj/angla.trd"));
    w.Start();
    QCOMPARE(w.Text("Traduko1"), QStringLiteral("I see the dog."));
    w.Click(QStringLiteral("Mi"));
    QCOMPARE(w.Text("Klarigo"), QStringLiteral("This is the subject of the sentence."));
    w.Click(QStringLiteral("la"));
    QCOMPARE(w.Text("Klarigo"), NotTranslated);  // key 2 is missing
    QVERIFY(w.Get<QLabel>("Klarigo")->isVisible());
  }

  void untidyData() {
    {
      AccusativeWindow w(QStringLiteral("0914"), QStringLiteral("0924"));
      w.Start();
      QCOMPARE(w.Text("Placar11"), QStringLiteral("01"));  // the row without words is not asked
      QCOMPARE(w.Word(0)->text(), QStringLiteral("Kara"));
      QCOMPARE(w.Word(10)->text(), QStringLiteral("h"));  // the places end the row
      QVERIFY(w.Text("Traduko1").isEmpty());
      QLabel* klarigo = w.Get<QLabel>("Klarigo");
      // "x" is no ending; a blank or a word is no explanation number.
      w.Click(QStringLiteral("Kara"));
      QVERIFY(!klarigo->isVisible());
      w.Click(QStringLiteral("amiko"));
      QVERIFY(!klarigo->isVisible());
      QCOMPARE(w.Text("Placar13"), QStringLiteral("02"));
      // A "1" with blanks around it is an ending.
      w.Click(QStringLiteral("saluto"));
      QCOMPARE(w.Word(2)->text(), QStringLiteral("saluton"));
      QCOMPARE(w.Text("Klarigo"), Explanation(12));
      for (const char* word : {"a", "b"}) {  // explanation numbers -1 and 101
        w.Click(QLatin1String(word));
        QVERIFY(!klarigo->isVisible());
      }
      QString verdict;
      WhenModalShown([&](QWidget* modal) {
        verdict = qobject_cast<QMessageBox*>(modal)->text();
        modal->close();
      });
      w.Confirm();  // only "saluto" needed the ending
      QCOMPARE(w.Text("Placar12"), QStringLiteral("01"));
      QCOMPARE(w.Text("Placar14"), QStringLiteral("20%"));
      QCOMPARE(verdict, Messages().smDenove);
    }
    {
      AccusativeWindow w(QStringLiteral("0999"), QStringLiteral("0999"));  // no such exercise
      QCOMPARE(MessageShownBy([&] { w.Start(); }), MissingData("0999"));
      QVERIFY(w.Button("BitBtn1")->isEnabled());
      QVERIFY(!w.Button("BitBtn2")->isEnabled());
      QVERIFY(!w.Get<QGroupBox>("Vortoj")->isVisible());
    }
  }
};

QTEST_MAIN(TestAccusative)
#include "tst_accusative.moc"
