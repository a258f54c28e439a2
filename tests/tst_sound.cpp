#include "coursesounds.h"
#include "greetings.h"
#include "messages.h"
#include "mp3player.h"
#include "programpaths.h"
#include "testsupport.h"
#include "verdicts.h"

#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestSound : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { SetBuiltInMessages(); }

  void wordRecordingNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("file");
    QTest::newRow("caption with a hat") << "Button3" << 0 << QStringLiteral("Ĉu") << "cxu.mp3";
    QTest::newRow("aŭ is auh") << "Button4" << 0 << QStringLiteral("aŭ") << "auh.mp3";
    QTest::newRow("AŬ is auh too") << "Button4" << 0 << QStringLiteral("AŬ") << "auh.mp3";
    QTest::newRow("aŭto keeps ux") << "Button5" << 0 << QStringLiteral("aŭto") << "auxto.mp3";
    QTest::newRow("phrase button") << "Button7" << 1 << QStringLiteral("Kiel vi fartas?") << "btn7.mp3";
    QTest::newRow("two digits") << "Button12" << 1 << QString() << "btn12.mp3";
    QTest::newRow("three digits") << "Button123" << 2 << QString() << "btn123.mp3";
    QTest::newRow("spaces and marks stay") << "Button9" << 0 << QStringLiteral("Ĝis revido!") << "gxis revido!.mp3";
    QTest::newRow("negative tag uses the caption") << "Button9" << -1 << QStringLiteral("Ŝi") << "sxi.mp3";
  }
  void wordRecordingNames() {
    QFETCH(QString, name);
    QFETCH(int, tag);
    QFETCH(QString, caption);
    QFETCH(QString, file);
    QCOMPARE(WordRecordingFileName(name, tag, caption), file);
  }

  void missingWordRecordingShowsTheMessage() {
    TempProgramFolder folder;
    folder.Write("sonoj/lec03/cxu.mp3", "not really sound");
    QPushButton button(QStringLiteral("Ĉu"));
    // Missing in its window's folder, or a window without recordings: the
    // folder of another lesson is never tried.
    for (const QString& soundFolder : {QStringLiteral("04"), QString()}) {
      QString shown;
      QString title;
      WhenModalShown([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        shown = box->text();
        title = box->windowTitle();
        box->accept();
      });
      SpeakWordButton(&button, soundFolder);
      QCOMPARE(shown, Messages().smNeSono);
      QCOMPARE(title, QStringLiteral("Pelano de Esperanto"));
    }
  }

  void presentWordRecordingIsOpened() {
    TempProgramFolder folder;
    folder.Write("Sonoj/Lec03/CXU.mp3", "not really sound");
    Mp3Player player;
    SetMp3(&player);
    QPushButton button(QStringLiteral("Ĉu"));
    bool boxShown = false;
    QPointer<QTimer> watch = WhenModalShown([&](QWidget* modal) {
      boxShown = true;
      modal->close();
    });
    SpeakWordButton(&button, QStringLiteral("03"));
    QTest::qWait(50);
    QVERIFY(!boxShown);
    delete watch;
    SetMp3(nullptr);
  }

  void normalizeAnswer_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("normal");
    QTest::newRow("spaces and stop") << QStringLiteral("  Mi  vidas la domon. ") << QStringLiteral("Mi vidas la domon");
    QTest::newRow("abbreviation") << QStringLiteral("Sr. Silva") << QStringLiteral("Sr Silva");
    QTest::newRow("lone stop") << QStringLiteral("a . b") << QStringLiteral("a b");
    QTest::newRow("other marks stay") << QStringLiteral("Ĉu vi, amiko?") << QStringLiteral("Ĉu vi, amiko?");
    QTest::newRow("control characters at the ends") << QStringLiteral("\t\nSaluton\r\n") << QStringLiteral("Saluton");
    QTest::newRow("leading space after a stop") << QStringLiteral(". a") << QStringLiteral("a");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("only stops") << QStringLiteral("...") << QString();
  }
  void normalizeAnswer() {
    QFETCH(QString, text);
    QFETCH(QString, normal);
    QCOMPARE(NormalizeAnswer(text), normal);
  }

  void percentages_data() {
    QTest::addColumn<int>("wrong");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("percentage");
    QTest::newRow("7 of 10") << 3 << 7 << 70;
    QTest::newRow("69 of 100") << 31 << 69 << 69;
    QTest::newRow("all right") << 0 << 1 << 100;
    QTest::newRow("half to even, up") << 61 << 139 << 70;
    QTest::newRow("half to even, down") << 63 << 137 << 68;
    QTest::newRow("two thirds") << 1 << 2 << 67;
    QTest::newRow("none right") << 5 << 0 << 0;
    QTest::newRow("one of eight is 12.5") << 7 << 1 << 12;
    QTest::newRow("three of eight is 37.5") << 5 << 3 << 38;
  }
  void percentages() {
    QFETCH(int, wrong);
    QFETCH(int, right);
    QFETCH(int, percentage);
    QCOMPARE(ResultPercentage(wrong, right), percentage);
  }

  void praiseNeverRepeatsAWord() {
    TempProgramFolder folder;
    folder.Write("sonoj/jes2.mp3", "x");
    SoundsEnabled() = true;
    LastPraise() = 0;
    int previous = LastPraise();
    for (int i = 0; i < 200; ++i) {
      PlayPraise();
      QVERIFY(LastPraise() != previous);
      QVERIFY(LastPraise() >= 0 && LastPraise() <= 5);
      previous = LastPraise();
    }
    SoundsEnabled() = false;
    PlayPraise();
    QCOMPARE(LastPraise(), previous);
  }

  void variantsAreFoundAmongThoseThatExist() {
    TempProgramFolder folder;
    QCOMPARE(RandomSharedVariant(QStringLiteral("gratulo")), QString());
    folder.Write("sonoj/gratulo3.mp3", "x");
    folder.Write("sonoj/Gratulo7.MP3", "x");
    QSet<QString> seen;
    for (int i = 0; i < 100; ++i) seen.insert(RandomSharedVariant(QStringLiteral("gratulo")));
    QCOMPARE(seen, (QSet<QString>{"sonoj\\gratulo3.mp3", "sonoj\\gratulo7.mp3"}));
  }

  void verdictShowsItsMessageWithoutSound() {
    SoundsEnabled() = false;
    QStringList shown;
    for (auto [wrong, right] : {std::pair{3, 7}, std::pair{31, 69}}) {
      WhenModalShown([&](QWidget* modal) {
        shown.append(qobject_cast<QMessageBox*>(modal)->text());
        modal->close();
      });
      AnnounceResult(wrong, right, nullptr);
    }
    QCOMPARE(shown, (QStringList{Messages().smGratulon, Messages().smDenove}));
  }

  void greetingByTheHour() {
    QCOMPARE(GreetingWord(17, true), QStringLiteral("vespero"));
    QCOMPARE(GreetingWord(16, false), QStringLiteral("vespero"));
    QCOMPARE(GreetingWord(20, true), QStringLiteral("vespero"));
    QCOMPARE(GreetingWord(4, true), QStringLiteral("nokton"));
    QCOMPARE(GreetingWord(21, false), QStringLiteral("nokton"));
    QCOMPARE(GreetingWord(13, true), QStringLiteral("tagon"));
    QCOMPARE(GreetingWord(5, true), QStringLiteral("matenon"));
    QCOMPARE(GreetingWord(11, false), QStringLiteral("tagon"));
  }

  void greetingFallsBackToSaluton() {
    TempProgramFolder folder;
    QCOMPARE(ChooseGreeting(17), QString());
    folder.Write("sonoj/saluton5.mp3", "x");
    QCOMPARE(ChooseGreeting(17), QStringLiteral("sonoj\\saluton5.mp3"));
    folder.Write("sonoj/vespero2.mp3", "x");
    QCOMPARE(ChooseGreeting(17), QStringLiteral("sonoj\\vespero2.mp3"));
    QCOMPARE(ChooseFarewell(), QString());
    folder.Write("sonoj/adiau1.mp3", "x");
    folder.Write("sonoj/ghis1.mp3", "x");
    folder.Write("sonoj/revido1.mp3", "x");
    folder.Write("sonoj/baldau1.mp3", "x");
    QVERIFY(ChooseFarewell().endsWith(QStringLiteral("1.mp3")));
  }
};

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
