#include "drillpanel.h"
#include "hattypingfilter.h"
#include "listening.h"
#include "messages.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "verdicts.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

namespace {

// A lesson window whose first page holds a speaking button and whose second
// holds the listening frame; its items come from `data`.
struct ListeningWindow : DrillTestWindow {
  TempProgramFolder folder;
  TFrame3* frame = nullptr;

  explicit ListeningWindow(const QByteArray& data, bool soundFolder = true) {
    folder.Write("ekzercoj/ekz09.dat", data);
    if (soundFolder) folder.Write("sonoj/lec09/.keep", "");
    window.codes.listening = "0902";
    window.soundFolder = QStringLiteral("09");
    AddButton(AddPage(), 7, QStringLiteral("Ĉu vi parolas Esperanton?"));
    frame = AddFrame<TFrame3>(QString(), QStringLiteral("TFrame31"));
  }
  template <typename T>
  T* Get(const char* name) {
    return frame->findChild<T*>(QLatin1String(name));
  }
  QString Text(const char* name) { return Get<QLabel>(name)->text(); }
  void Start() { Get<QPushButton>("BitBtn8")->click(); }
  void Answer(const QString& typed) {
    auto* edit = Get<QLineEdit>("Edit1");
    edit->setFocus();
    edit->setText(typed);
    QTest::keyClick(edit, Qt::Key_Return);
  }
};

// Whether a label's text, wrapped at its width, fits its height.
bool LabelShowsWhole(const QLabel* label) {
  const QRect room = label->contentsRect();
  const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
  const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, room.width(), 10000), flags, label->text());
  return needed.width() <= room.width() && needed.height() <= room.height();
}

}  // namespace

class TestListening : public QObject {
  Q_OBJECT

 private:
  HatTypingFilter hatTyping_;

 private Q_SLOTS:
  void initTestCase() {
    SetBuiltInMessages();
    SoundsEnabled() = false;
    qApp->installEventFilter(&hatTyping_);
  }

  void answersAreComparedInTheirNormalForm() {
    ListeningWindow w("[0902D]\r\n1=7\r\n");
    w.Start();
    QCOMPARE(w.Text("placar5"), QStringLiteral("01"));
    QCOMPARE(w.frame->ExpectedAnswer(), QStringLiteral("Ĉu vi parolas Esperanton?"));
    QVERIFY(w.frame->CurrentSound().endsWith(QStringLiteral("sonoj/lec09/Btn7.mp3")));
    QString verdict;
    WhenModalShown([&](QWidget* modal) {
      verdict = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    w.Answer(QStringLiteral("  ĉu  Vi parolas ESPERANTON?. "));
    QCOMPARE(w.Text("StaticText72"), QStringLiteral("ĉu vi parolas esperanton?"));
    QCOMPARE(w.Text("placar6"), QStringLiteral("01"));
    QCOMPARE(w.Text("placar5"), QStringLiteral("00"));
    QCOMPARE(w.Text("placar8"), QStringLiteral("100%"));
    QCOMPARE(verdict, Messages().smGratulon);
    QVERIFY(!w.Get<QLineEdit>("Edit1")->isEnabled());  // the run has ended
  }

  void hatTypingInTheAnswer() {
    ListeningWindow w(
        "[0902D]\r\n1=\xC4\x89"
        "ambro\r\n2=domo\r\n");
    w.Start();
    auto* edit = w.Get<QLineEdit>("Edit1");
    QTRY_VERIFY(edit->hasFocus());
    const bool wantsChambro = w.frame->ExpectedAnswer() == QStringLiteral("ĉambro");
    QTest::keyClicks(edit, wantsChambro ? "cxambro" : "domo");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(w.Text("placar6"), QStringLiteral("01"));
  }

  void emptyAnswerChangesNothing() {
    ListeningWindow w("[0902D]\r\n1=domo\r\n2=kato\r\n");
    w.Start();
    w.Answer(QString());
    QCOMPARE(w.Text("placar6"), QStringLiteral("00"));
    QCOMPARE(w.Text("placar7"), QStringLiteral("00"));
    QCOMPARE(w.Text("placar8"), QStringLiteral("00%"));
  }

  void wrongAnswerShowsTheRightOne() {
    ListeningWindow w("[0902D]\r\n1=domo\r\n2=a\xC5\xAD\r\n");
    w.Start();
    const QString expected = w.frame->ExpectedAnswer();
    bool correctionShown = false;
    bool repeatDisabled = false;
    QTimer probe;
    connect(&probe, &QTimer::timeout, [&] {
      correctionShown |= w.Get<StaticText>("Korekta")->isVisible() && w.Text("Korekta") == expected;
      repeatDisabled |= !w.Get<QPushButton>("BitBtn9")->isEnabled() && !w.Get<QPushButton>("BitBtn10")->isEnabled();
      QTest::keyClick(w.Get<QLineEdit>("Edit1"), Qt::Key_F5);  // nothing: repeat is disabled
    });
    probe.start(100);
    QElapsedTimer clock;
    clock.start();
    w.Answer(QStringLiteral("neniu"));
    probe.stop();
    QVERIFY(clock.elapsed() >= 3900);
    QVERIFY(correctionShown);
    QVERIFY(repeatDisabled);
    QVERIFY(!w.Get<StaticText>("Korekta")->isVisible());
    QCOMPARE(w.Text("placar7"), QStringLiteral("01"));
    QCOMPARE(w.Text("placar8"), QStringLiteral("00%"));
    QVERIFY(w.Get<QPushButton>("BitBtn9")->isEnabled());
    // "aŭ" is spoken from auh.mp3.
    for (int i = 0; i < 20 && !w.frame->CurrentSound().endsWith(QStringLiteral("auh.mp3")); ++i) {
      w.Get<QPushButton>("BitBtn10")->click();
      w.Start();
    }
    QVERIFY(w.frame->CurrentSound().endsWith(QStringLiteral("sonoj/lec09/auh.mp3")));
  }

  // After a right answer the next one is typed at once: the field keeps the
  // focus, and neither the tab bar nor an arrow key takes it.
  void theFieldKeepsTheFocusFromAnswerToAnswer() {
    ListeningWindow w("[0902D]\r\n1=domo\r\n2=kato\r\n3=hundo\r\n");
    w.Start();
    auto* edit = w.Get<QLineEdit>("Edit1");
    edit->setFocus();
    for (int answered = 1; answered <= 2; ++answered) {
      QTest::keyClicks(QApplication::focusWidget(), w.frame->ExpectedAnswer());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      QCOMPARE(QApplication::focusWidget(), edit);
      QCOMPARE(w.Text("placar6"), DrillPanel::TwoDigits(answered));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(w.pages->currentIndex(), 1);
  }

  // A long sentence shows whole in its result line and in its correction.
  void longSentencesShowWhole() {
    const QString sentence = QStringLiteral("la knabino manĝas malgrandan pomon");
    ListeningWindow w("[0902D]\r\n1=" + sentence.toUtf8() + "\r\n2=kato\r\n");
    w.Start();
    while (w.frame->ExpectedAnswer() != sentence) w.Answer(w.frame->ExpectedAnswer());
    WhenModalShown([](QWidget* modal) { modal->close(); });
    auto* correction = w.Get<QLabel>("Korekta");
    bool correctionWhole = false;
    QTimer probe;
    connect(&probe, &QTimer::timeout, [&] {
      if (correction->isVisible()) correctionWhole |= LabelShowsWhole(correction);
    });
    probe.start(50);
    w.Answer(QStringLiteral("la knabino"));
    probe.stop();
    QVERIFY(correctionWhole);
    // A wrong item comes back later, not always next: the others are answered until it does.
    while (w.frame->ExpectedAnswer() != sentence) w.Answer(w.frame->ExpectedAnswer());
    w.Answer(sentence);
    bool found = false;
    for (auto* line : w.frame->findChildren<StaticText*>(QRegularExpression(QStringLiteral("^StaticText\\d+$")))) {
      if (line->text() != sentence) continue;
      found = true;
      QVERIFY2(LabelShowsWhole(line), qPrintable(line->objectName()));
    }
    QVERIFY(found);
    // The run goes on to its verdict, which the watcher above takes.
    while (w.frame->Score().Running()) w.Answer(w.frame->ExpectedAnswer());
  }

  void runsAreCappedAtFortyEightLines() {
    QByteArray data = "[0902D]\r\n";
    for (int i = 0; i < 60; ++i) data += "k" + QByteArray::number(i) + "=vorto" + QByteArray::number(i) + "\r\n";
    ListeningWindow w(data);
    w.Start();
    QCOMPARE(w.Text("placar5"), QStringLiteral("48"));
    WhenModalShown([](QWidget* modal) { modal->close(); });
    for (int i = 0; i < 48; ++i) w.Answer(w.frame->ExpectedAnswer());
    QCOMPARE(w.Text("placar6"), QStringLiteral("48"));
    QCOMPARE(w.Text("placar5"), QStringLiteral("00"));
    for (int line = 72; line <= 119; ++line)
      QVERIFY(!w.Text(qPrintable(QStringLiteral("StaticText%1").arg(line))).isEmpty());
    QVERIFY(w.Get<QPushButton>("BitBtn8")->isEnabled());
  }

  void noSoundFolderNoRun() {
    ListeningWindow w("[0902D]\r\n1=domo\r\n", false);
    QString shown;
    WhenModalShown([&](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    w.Start();
    QCOMPARE(shown, Messages().smNeSono);
    QVERIFY(w.Get<QPushButton>("BitBtn8")->isEnabled());
  }

  void closingDuringTheCorrection() {
    ListeningWindow w("[0902D]\r\n1=domo\r\n2=kato\r\n");
    w.Start();
    QTimer::singleShot(300, [&] { w.window.StartClosing(); });
    QElapsedTimer clock;
    clock.start();
    w.Answer(QStringLiteral("malĝusta"));
    QVERIFY(clock.elapsed() < 1500);
  }
};

QTEST_MAIN(TestListening)
#include "tst_listening.moc"
