#include "lessonwindows.h"
#include "messages.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "verdicts.h"
#include "wordgame.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

// A lesson window with six vocabulary pairs on its first page and the word
// game on its second; the data file points at them.
struct GameWindow : DrillTestWindow {
  TempProgramFolder folder;
  TFrame1* game = nullptr;

  explicit GameWindow(const QByteArray& data) {
    folder.Write("ekzercoj/ekz09.dat", data);
    window.codes.wordGame = "0903";
    QWidget* words = AddPage();
    const QStringList esperanto{"domo", "hundo", "kato", "libro", "akvo", "pano"};
    const QStringList portuguese{"casa", "cachorro", "gato", "livro", "água", "pão"};
    for (int i = 0; i < esperanto.size(); ++i) {
      AddButton(words, i + 1, esperanto[i]);
      AddLabel(words, i + 1, portuguese[i]);
    }
    game = AddFrame<TFrame1>(QString(), QStringLiteral("TFrame11"));
  }
  template <typename T>
  T* Get(const char* name) {
    return game->findChild<T*>(QLatin1String(name));
  }
  QString Text(const char* counter) { return Get<StaticText>(counter)->text(); }
  QCheckBox* Box(int position) { return Get<QCheckBox>(qPrintable(QStringLiteral("Grupo%1").arg(position))); }
  QCheckBox* RightBox() { return Box(game->RightPosition()); }
  QCheckBox* WrongBox() { return Box((game->RightPosition() + 1) % 5); }
};

const QByteArray kSixItems =
    "[0903D]\r\n1=1\r\n2=2\r\n3=3\r\n4=4\r\n5=5\r\n6=6\r\n"
    "[0903R]\r\n1=1\r\n2=2\r\n3=3\r\n4=4\r\n5=5\r\n6=6\r\n";

}  // namespace

class TestWordGame : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    SetBuiltInMessages();
    SoundsEnabled() = false;
  }

  void questionsPointAtTheWindow() {
    GameWindow w(kSixItems);
    w.Get<QPushButton>("BitBtn18")->click();
    QCOMPARE(w.Text("Placar15"), QStringLiteral("06"));
    QCOMPARE(w.Text("Placar16"), QStringLiteral("00"));
    QCOMPARE(w.Text("Placar18"), QStringLiteral("00%"));
    QVERIFY(w.Get<QGroupBox>("Grupo")->isVisible());
    const QStringList words{"domo", "hundo", "kato", "libro", "akvo", "pano"};
    const QStringList meanings{"casa", "cachorro", "gato", "livro", "água", "pão"};
    const int asked = int(words.indexOf(w.Get<StaticText>("Vorto")->text()));
    QVERIFY(asked >= 0);
    QCOMPARE(w.RightBox()->text(), meanings[asked]);
    QSet<QString> shown;
    for (int i = 0; i < 5; ++i) shown.insert(w.Box(i)->text());
    QCOMPARE(shown.size(), 5);  // five different answers
  }

  void scoringAndPercentages() {
    GameWindow w(kSixItems);
    w.Get<QPushButton>("BitBtn18")->click();
    for (int miss = 0; miss < 2; ++miss) {
      bool stopDisabled = false;
      QTimer probe;
      connect(&probe, &QTimer::timeout, [&] { stopDisabled |= !w.Get<QPushButton>("BitBtn20")->isEnabled(); });
      probe.start(100);
      QElapsedTimer clock;
      clock.start();
      w.WrongBox()->click();
      QVERIFY(clock.elapsed() >= 3900);  // the right answer blinks for four seconds
      QVERIFY(stopDisabled);
    }
    QCOMPARE(w.Text("Placar17"), QStringLiteral("02"));
    QCOMPARE(w.Text("Placar18"), QStringLiteral("00%"));  // no hit yet
    w.RightBox()->click();
    QCOMPARE(w.Text("Placar16"), QStringLiteral("01"));
    QCOMPARE(w.Text("Placar15"), QStringLiteral("05"));
    QCOMPARE(w.Text("Placar18"), QStringLiteral("33%"));
    for (int i = 0; i < 5; ++i) QVERIFY(!w.Box(i)->isChecked());  // the next question starts unticked
  }

  void answeredWordsNeverComeBack() {
    GameWindow w(kSixItems);
    w.Get<QPushButton>("BitBtn18")->click();
    QSet<QString> answered;
    QString verdict;
    WhenModalShown([&](QWidget* modal) {
      verdict = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    for (int hit = 0; hit < 6; ++hit) {
      const QString word = w.Get<StaticText>("Vorto")->text();
      QVERIFY2(!answered.contains(word), qPrintable(word));
      answered.insert(word);
      w.RightBox()->click();
    }
    QCOMPARE(verdict, Messages().smGratulon);
    QVERIFY(w.Get<QPushButton>("BitBtn18")->isEnabled());
    QVERIFY(!w.Get<QGroupBox>("Grupo")->isVisible());
    QCOMPARE(w.Text("Placar16"), QStringLiteral("06"));
    QCOMPARE(w.Text("Placar18"), QStringLiteral("100%"));
  }

  void stopDuringThePraisePauseEndsTheRun() {
    GameWindow w(kSixItems);
    w.Get<QPushButton>("BitBtn18")->click();
    QTimer::singleShot(500, [&] { w.Get<QPushButton>("BitBtn20")->click(); });
    const QString before = w.Get<StaticText>("Vorto")->text();
    w.RightBox()->click();
    QVERIFY(!w.Get<QGroupBox>("Grupo")->isVisible());
    QVERIFY(!w.Get<StaticText>("Vorto")->isVisible());
    QCOMPARE(w.Get<StaticText>("Vorto")->text(), before);  // no new question was built
    QCOMPARE(w.Text("Placar16"), QStringLiteral("01"));
  }

  void closingTheWindowEndsTheWaitAtOnce() {
    GameWindow w(kSixItems);
    w.Get<QPushButton>("BitBtn18")->click();
    QTimer::singleShot(300, [&] { w.window.StartClosing(); });
    QElapsedTimer clock;
    clock.start();
    w.WrongBox()->click();
    QVERIFY(clock.elapsed() < 1500);
  }

  // Data the game cannot use is told to the learner, naming the data file.
  void unusableDataIsTold_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("readable");
    QTest::newRow("too few items") << QByteArray("[0903D]\r\n1=1\r\n2=2\r\n[0903R]\r\n1=1\r\n2=2\r\n") << true;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("other sections only") << QByteArray("[0901D]\r\n1=a\r\n") << true;
    QTest::newRow("unreadable: a folder in its place") << QByteArray() << false;
  }
  void unusableDataIsTold() {
    QFETCH(QByteArray, data);
    QFETCH(bool, readable);
    GameWindow w(data);
    if (!readable) {
      QFile::remove(w.folder.Path("ekzercoj/ekz09.dat"));
      QDir().mkpath(w.folder.Path("ekzercoj/ekz09.dat"));
    }
    QString shown;
    WhenModalShown([&](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    w.Get<QPushButton>("BitBtn18")->click();
    QVERIFY(shown.startsWith(QStringLiteral("Os dados deste exercício")));
    QVERIFY2(shown.contains(QStringLiteral("ekzercoj/ekz09.dat")), qPrintable(shown));
    QVERIFY(w.Get<QPushButton>("BitBtn18")->isEnabled());
    QVERIFY(!w.Get<QGroupBox>("Grupo")->isVisible());
  }

  void itemsThatAreNotButtons() {
    GameWindow w(
        "[0903D]\r\n1=0\r\n2=-3\r\n3=amiko\r\n4=99\r\n5=5\r\n[0903R]\r\n1=1\r\n2= 2 \r\n3=x\r\n4=4\r\n5=5\r\n");
    QCOMPARE(ButtonCaptionOrText(&w.window, QStringLiteral("0")), QStringLiteral("0"));
    QCOMPARE(ButtonCaptionOrText(&w.window, QStringLiteral("-3")), QStringLiteral("-3"));
    QCOMPARE(ButtonCaptionOrText(&w.window, QStringLiteral("2")), QStringLiteral("hundo"));
    QCOMPARE(ButtonCaptionOrText(&w.window, QStringLiteral("99")), QString());  // names nothing
    w.Get<QPushButton>("BitBtn18")->click();
    QVERIFY(!w.Get<QPushButton>("BitBtn18")->isEnabled());
  }
};

QTEST_MAIN(TestWordGame)
#include "tst_wordgame.moc"
