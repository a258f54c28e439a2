#include "gapfilling.h"
#include "hattypingfilter.h"
#include "lessonwindows.h"
#include "messages.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "verdicts.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

// A lesson window with a text page and a gap-filling page; the sentences come
// from the fixture data, one exercise code per case.
struct GapWindow : DrillTestWindow {
  TempProgramFolder folder;
  TFrame4* frame = nullptr;

  explicit GapWindow(const QString& code, const QByteArray& extraData = QByteArray()) {
    const QByteArray fixture = ReadFileBytes(QStringLiteral(PELANO_TEST_FIXTURES "gapfilling-ekz09.dat"));
    folder.Write("ekzercoj/ekz09.dat", fixture + "\r\n" + extraData);
    AddPage(QStringLiteral("Teksto"));
    frame = AddFrame<TFrame4>(QStringLiteral("EkzFinajho"), QStringLiteral("TFrame41"));
    SetCode(frame, code);
  }
  // The exercise of a gap frame of this window.
  void SetCode(TFrame4* gaps, const QString& code) {
    const std::size_t slot = gaps == frame ? 0 : 1;
    window.codes.gaps[slot] = {window.Keep(gaps->objectName()), window.Keep(code)};
  }
  template <typename T = QWidget>
  T* Get(const QString& name, TFrame4* in = nullptr) {
    return (in ? in : frame)->findChild<T*>(name);
  }
  QString Text(const QString& name, TFrame4* in = nullptr) { return Get<QLabel>(name, in)->text(); }
  QLineEdit* Edit(int gap, TFrame4* in = nullptr) { return Get<QLineEdit>(QStringLiteral("Edit%1").arg(gap), in); }
  StaticText* Correction(int gap) { return Get<StaticText>(QStringLiteral("KorektaVorto%1").arg(gap)); }
  QPushButton* Button(const char* name, TFrame4* in = nullptr) { return Get<QPushButton>(QLatin1String(name), in); }
  void Start(TFrame4* in = nullptr) { Button("BitBtn4", in)->click(); }
  void Confirm(TFrame4* in = nullptr) { Button("BitBtn6", in)->click(); }
  // Fills the gaps with the answers the frame expects for the sentence on display.
  void FillRight(TFrame4* in = nullptr) {
    for (int gap = 1; gap <= TFrame4::Gaps; ++gap) {
      Edit(gap, in)->setText(Text(QStringLiteral("KorektaVorto%1").arg(gap), in));
    }
  }
};

Qt::Alignment Horizontal(const QLineEdit* edit) { return edit->alignment() & Qt::AlignHorizontal_Mask; }

// Runs `check` every 50 ms while the test waits.
struct Probe {
  QTimer timer;
  explicit Probe(const std::function<void()>& check) {
    QObject::connect(&timer, &QTimer::timeout, check);
    timer.start(50);
  }
};

}  // namespace

class TestGapFilling : public QObject {
  Q_OBJECT

 private:
  HatTypingFilter hatTyping_;

 private Q_SLOTS:
  void initTestCase() {
    SetBuiltInMessages();
    SoundsEnabled() = false;
    CurrentSettings() = Settings();
    qApp->installEventFilter(&hatTyping_);
  }

  void sentenceLayout() {
    GapWindow w(QStringLiteral("0903"));
    w.Start();
    QVERIFY(w.Get<QGroupBox>("Tajpujo")->isVisible());
    QCOMPARE(w.Text("Traduko"), QStringLiteral("A bela moça comprou maçãs vermelhas e bananas amarelas."));
    QCOMPARE(w.Text("Vorto1"), QStringLiteral("La bel"));
    QCOMPARE(w.Text("Vorto6"), QStringLiteral(" bananojn."));
    const QStringList answers{"a", "o", "ajn", "ojn", "ajn"};
    const QFontMetrics measure(w.Get<StaticText>("Medida1")->font());
    for (int gap = 1; gap <= 5; ++gap) {
      QLineEdit* edit = w.Edit(gap);
      const QString& answer = answers[gap - 1];
      QVERIFY(edit->isVisible());
      QVERIFY(edit->text().isEmpty());
      QCOMPARE(edit->width(), measure.horizontalAdvance(answer) + 12);
      QCOMPARE(edit->maxLength(), answer.size() + 1);
      QCOMPARE(Horizontal(edit), Qt::AlignLeft);  // each completes the word before it
      QCOMPARE(w.Correction(gap)->text(), answer);
      QVERIFY(!w.Correction(gap)->isVisible());
      QCOMPARE(w.Correction(gap)->x(), edit->x());  // the correction stands right above its gap
    }
    // The row is centred and its pieces touch.
    QList<QWidget*> row;
    for (QObject* child : w.Get<QGroupBox>("Tajpujo")->children()) row.append(qobject_cast<QWidget*>(child));
    QCOMPARE(row.size(), 11);
    int total = 0;
    for (QWidget* piece : row) total += piece->width();
    QCOMPARE(row.first()->x(), (w.Get<QGroupBox>("Tajpujo")->width() - total) / 2);
    for (int i = 1; i < row.size(); ++i) QCOMPARE(row[i]->x(), row[i - 1]->x() + row[i - 1]->width());
    QTRY_VERIFY(w.Edit(1)->hasFocus());
  }

  void alignmentFollowsTheWordTheGapBelongsTo() {
    GapWindow w(QStringLiteral("0904"));
    w.Start();
    QCOMPARE(Horizontal(w.Edit(1)), Qt::AlignRight);  // "Ŝi estas " + "mal" + "bela"
    QCOMPARE(Horizontal(w.Edit(2)), Qt::AlignLeft);   // " sidas " + "sur" + " la seĝo."
    for (int gap = 3; gap <= 5; ++gap) {
      QVERIFY(w.Edit(gap)->isHidden());
      QCOMPARE(w.Edit(gap)->width(), 0);
    }
  }

  void enterMovesOnAndConfirms() {
    GapWindow w(QStringLiteral("0902"));
    w.Start();
    QTRY_VERIFY(w.Edit(1)->hasFocus());
    QTest::keyClicks(w.Edit(1), "n");
    QTest::keyClick(w.Edit(1), Qt::Key_Return);
    QVERIFY(w.Edit(2)->hasFocus());
    QCOMPARE(w.Text("Placar26"), QStringLiteral("00"));  // not judged yet
    QString verdict;
    WhenModalShown([&](QWidget* modal) {
      verdict = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    QTest::keyClicks(w.Edit(2), "N.");
    QTest::keyClick(w.Edit(2), Qt::Key_Enter);  // the third gap is hidden: this confirms
    QCOMPARE(w.Text("Placar26"), QStringLiteral("01"));
    QCOMPARE(w.Text("Placar25"), QStringLiteral("00"));
    QCOMPARE(w.Text("Placar28"), QStringLiteral("100%"));
    QCOMPARE(verdict, Messages().smGratulon);
    QVERIFY(w.Button("BitBtn4")->isEnabled());
    QVERIFY(!w.Button("BitBtn6")->isEnabled());
    QVERIFY(!w.Get<QGroupBox>("Tajpujo")->isVisible());
    QVERIFY(!w.Get<StaticText>("Traduko")->isVisible());
  }

  void anEmptyFirstGapIsNotJudged() {
    GapWindow w(QStringLiteral("0904"));
    w.Start();
    w.Edit(2)->setText(QStringLiteral("sur"));
    QElapsedTimer clock;
    clock.start();
    w.Confirm();
    QTest::keyClick(w.Edit(2), Qt::Key_Return);
    QVERIFY(clock.elapsed() < 1000);
    QCOMPARE(w.Text("Placar26"), QStringLiteral("00"));
    QCOMPARE(w.Text("Placar27"), QStringLiteral("00"));
    QCOMPARE(w.Text("Placar28"), QStringLiteral("00%"));
    QVERIFY(w.Edit(1)->isEnabled());
  }

  void onlyTheWrongGapsFlash() {
    GapWindow w(QStringLiteral("0904"));
    w.Start();
    w.Edit(1)->setText(QStringLiteral(" MAL. "));  // capitals and a full stop do not count
    w.Edit(2)->setText(QStringLiteral("en"));
    bool wrongShown = false, rightShown = false, locked = true;
    Probe probe([&] {
      wrongShown |= w.Correction(2)->isVisible();
      rightShown |= w.Correction(1)->isVisible();
      locked &= !w.Edit(1)->isEnabled() && !w.Button("BitBtn5")->isEnabled() && !w.Button("BitBtn6")->isEnabled();
      w.Confirm();  // ignored during the correction
    });
    QElapsedTimer clock;
    clock.start();
    w.Confirm();
    probe.timer.stop();
    QVERIFY(clock.elapsed() >= 3900);
    QVERIFY(wrongShown);
    QVERIFY(!rightShown);
    QVERIFY(locked);
    QVERIFY(!w.Correction(2)->isVisible());
    QCOMPARE(w.Text("Placar27"), QStringLiteral("01"));
    QCOMPARE(w.Text("Placar25"), QStringLiteral("01"));
    QCOMPARE(w.Text("Placar28"), QStringLiteral("00%"));
    // The only sentence comes back, empty and ready.
    QVERIFY(w.Edit(1)->isEnabled() && w.Button("BitBtn5")->isEnabled() && w.Button("BitBtn6")->isEnabled());
    QVERIFY(w.Edit(1)->text().isEmpty() && w.Edit(2)->text().isEmpty());
  }

  void aRunScoresAndEndsWithTheVerdict() {
    GapWindow w(QStringLiteral("0901"));
    w.Start();
    QCOMPARE(w.Text("Placar25"), QStringLiteral("02"));
    w.Edit(1)->setText(QStringLiteral("malĝuste"));
    w.Confirm();
    QStringList seen;
    QString verdict;
    WhenModalShown([&](QWidget* modal) {
      verdict = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    for (int hit = 1; hit <= 2; ++hit) {
      seen.append(w.Text("Vorto1"));
      w.FillRight();
      QElapsedTimer clock;
      clock.start();
      w.Confirm();
      QVERIFY(clock.elapsed() >= 1900);
    }
    seen.sort();
    QCOMPARE(seen, (QStringList{"La knabo legas libro", "La libro estas "}));  // an answered sentence never returns
    QCOMPARE(w.Text("Placar26"), QStringLiteral("02"));
    QCOMPARE(w.Text("Placar27"), QStringLiteral("01"));
    QCOMPARE(w.Text("Placar28"), QStringLiteral("67%"));
    QCOMPARE(verdict, Messages().smDenove);
    QVERIFY(w.Button("BitBtn4")->isEnabled());
    // A new run starts from scratch.
    w.Start();
    QCOMPARE(w.Text("Placar25"), QStringLiteral("02"));
    QCOMPARE(w.Text("Placar26"), QStringLiteral("00"));
    QCOMPARE(w.Text("Placar27"), QStringLiteral("00"));
    QCOMPARE(w.Text("Placar28"), QStringLiteral("00%"));
  }

  void hatTypingAndMaximumLength() {
    GapWindow w(QStringLiteral("0905"));
    w.Start();
    QLineEdit* edit = w.Edit(1);
    QTRY_VERIFY(edit->hasFocus());
    QCOMPARE(edit->maxLength(), 2);
    QCOMPARE(Horizontal(edit), Qt::AlignRight);  // "scias, " + "ĉ" + "u li venos."
    QTest::keyClicks(edit, "cx");
    QCOMPARE(edit->text(), QStringLiteral("ĉ"));
    QTest::keyClicks(edit, "uu");
    QCOMPARE(edit->text(), QStringLiteral("ĉu"));  // one character more than the answer, no further
    edit->clear();
    QTest::keyClicks(edit, "sc");
    QTest::keyClicks(edit, "x");  // the gap is full, yet the x still puts the hat on
    QCOMPARE(edit->text(), QStringLiteral("sĉ"));
    edit->setText(QStringLiteral("ĉ"));
    WhenModalShown([](QWidget* modal) { modal->close(); });
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(w.Text("Placar26"), QStringLiteral("01"));
  }

  void twoFramesInOneWindowRunApart() {
    GapWindow w(QStringLiteral("0901"));
    TFrame4* first = w.frame;
    TFrame4* second = w.AddFrame<TFrame4>(QStringLiteral("EkzAfiksoj"), QStringLiteral("Frame42"));
    w.SetCode(second, QStringLiteral("0903"));
    w.Start(second);
    QCOMPARE(w.Text("Placar25", second), QStringLiteral("01"));
    w.pages->setCurrentIndex(1);
    w.Start(first);
    QCOMPARE(w.Text("Placar25", first), QStringLiteral("02"));
    QCOMPARE(w.Text("Vorto1", second), QStringLiteral("La bel"));
    QVERIFY(w.Text("Vorto1", first).startsWith(QStringLiteral("La ")));
    w.FillRight(first);
    w.Confirm(first);
    QCOMPARE(w.Text("Placar26", first), QStringLiteral("01"));
    QCOMPARE(w.Text("Placar26", second), QStringLiteral("00"));
    QVERIFY(w.Button("BitBtn5", second)->isEnabled());
    w.Button("BitBtn5", first)->click();
    QVERIFY(w.Button("BitBtn5", second)->isEnabled());
    QVERIFY(w.Get<QGroupBox>("Tajpujo", second)->isVisibleTo(second));
  }

  void leavingThePageDuringThePause() {
    GapWindow w(QStringLiteral("0901"));
    w.Start();
    QTRY_VERIFY(w.Edit(1)->hasFocus());
    w.FillRight();
    QTimer::singleShot(500, [&] { w.pages->setCurrentIndex(0); });
    w.Confirm();
    // The next sentence is ready, but the gap does not take the focus from the other page.
    QCOMPARE(w.Text("Placar25"), QStringLiteral("01"));
    QVERIFY(w.Edit(1)->isEnabled() && w.Edit(1)->text().isEmpty());
    QVERIFY(!w.Edit(1)->hasFocus());
    QVERIFY(w.Button("BitBtn5")->isEnabled());
  }

  void stopDuringThePraisePause() {
    GapWindow w(QStringLiteral("0901"));
    w.Start();
    const QString before = w.Text("Vorto1");
    w.FillRight();
    QTimer::singleShot(500, [&] { w.Button("BitBtn5")->click(); });
    w.Confirm();
    QVERIFY(!w.Get<QGroupBox>("Tajpujo")->isVisible());
    QVERIFY(!w.Button("BitBtn6")->isEnabled());
    QVERIFY(!w.Button("BitBtn5")->isEnabled());
    QVERIFY(w.Button("BitBtn4")->isEnabled());
    QCOMPARE(w.Text("Vorto1"), before);  // no new sentence was built
    QCOMPARE(w.Text("Placar26"), QStringLiteral("01"));
    QCOMPARE(w.Text("Placar28"), QStringLiteral("100%"));
  }

  void closingTheWindowEndsTheWaitAtOnce_data() {
    QTest::addColumn<bool>("right");
    QTest::newRow("during the correction") << false;
    QTest::newRow("during the praise before the verdict") << true;
  }
  void closingTheWindowEndsTheWaitAtOnce() {
    QFETCH(bool, right);
    GapWindow w(QStringLiteral("0905"));
    w.Start();
    w.Edit(1)->setText(right ? QStringLiteral("ĉ") : QStringLiteral("k"));
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
    w.Confirm();
    QVERIFY(clock.elapsed() < 1500);
    QTest::qWait(200);
    QVERIFY(!modalShown);
    delete watch;
    QVERIFY(!w.Edit(1)->isEnabled());  // the drill touched nothing after the window closed
  }

  void closingARealLessonWindowDuringTheCorrection() {
    TempProgramFolder folder;
    // Lesson 2's gap drill asks the fixture's first exercise.
    const QByteArray fixture = ReadFileBytes(QStringLiteral(PELANO_TEST_FIXTURES "gapfilling-ekz09.dat"));
    folder.Write("ekzercoj/ekz02.dat", QByteArray(fixture).replace("[0901", "[0204"));
    OpenSettingsFile();
    RegisterLessonWidgets();
    std::unique_ptr<QDialog> window = CreateLessonWindow(2, nullptr);
    QVERIFY(window);
    auto* frame = window->findChild<TFrame4*>(QStringLiteral("TFrame41"));
    QVERIFY(frame);
    window->show();
    auto* pages = window->findChild<QTabWidget*>(QStringLiteral("Pagxaro"));
    pages->setCurrentWidget(frame->parentWidget());
    frame->findChild<QPushButton*>(QStringLiteral("BitBtn4"))->click();
    frame->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("malĝuste"));
    bool modalShown = false;
    QTimer* watch = WhenModalShown([&](QWidget* modal) {
      modalShown = true;
      modal->close();
    });
    QTimer::singleShot(300, window.get(), [&] { window->close(); });
    QElapsedTimer clock;
    clock.start();
    frame->findChild<QPushButton*>(QStringLiteral("BitBtn6"))->click();
    QVERIFY(clock.elapsed() < 1500);
    QVERIFY(!window->isVisible());
    window.reset();  // the frame and all it waited on are gone now
    QTest::qWait(200);
    QVERIFY(!modalShown);
    delete watch;
    CloseSettingsFile();
  }

  void rowsThatCannotBeAsked() {
    {
      GapWindow w(QStringLiteral("0906"));  // no row has a first gap
      QCOMPARE(MessageShownBy([&] { w.Start(); }), MissingData("0906"));
      QVERIFY(w.Button("BitBtn4")->isEnabled());
      QVERIFY(!w.Button("BitBtn5")->isEnabled());
      QVERIFY(!w.Get<QGroupBox>("Tajpujo")->isVisible());
      QCOMPARE(w.Text("Placar25"), QStringLiteral("00"));
    }
    {
      GapWindow w(QStringLiteral("0999"));  // no such exercise
      QCOMPARE(MessageShownBy([&] { w.Start(); }), MissingData("0999"));
      QVERIFY(w.Button("BitBtn4")->isEnabled());
      QVERIFY(!w.Button("BitBtn6")->isEnabled());
    }
  }

  void untidyData() {
    QByteArray many = "[0908D]\r\n";
    QByteArray answers = "[0908R]\r\n";
    for (int i = 0; i < 120; ++i) {
      many += "k" + QByteArray::number(i) + "=Frazo " + QByteArray::number(i) + "~.\r\n";
      answers += "k" + QByteArray::number(i) + "=n\r\n";
    }
    GapWindow w(QStringLiteral("0907"), many + answers);
    w.Start();
    // A row longer than the tables shows its first six fragments; an answer
    // stored with a capital and blanks is shown tidy and can be given.
    QCOMPARE(w.Text("Vorto1"), QStringLiteral("Hieraŭ mi renkontis "));
    QCOMPARE(w.Text("Vorto6"), QStringLiteral("d"));
    QCOMPARE(w.Correction(1)->text(), QStringLiteral("Petron"));
    QCOMPARE(w.Edit(1)->maxLength(), 7);
    QVERIFY(w.Edit(2)->isHidden());
    w.Edit(1)->setText(QStringLiteral("petron"));
    WhenModalShown([](QWidget* modal) { modal->close(); });
    w.Confirm();
    QCOMPARE(w.Text("Placar26"), QStringLiteral("01"));
    // More sentences than the tables hold: the first 101 are asked.
    w.SetCode(w.frame, QStringLiteral("0908"));
    w.Start();
    QCOMPARE(w.Text("Placar25"), QStringLiteral("101"));
    QVERIFY(w.Text("Vorto1").startsWith(QStringLiteral("Frazo ")));
    QVERIFY(w.Text("Vorto1").mid(6).toInt() < 101);
  }
};

QTEST_MAIN(TestGapFilling)
#include "tst_gapfilling.moc"
