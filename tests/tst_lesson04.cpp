#include "exercisedata.h"
#include "lec04.h"
#include "lessonfixture.h"
#include "lessonwindows.h"
#include "memoplayer.h"
#include "messages.h"
#include "mp3fixtures.h"
#include "mp3player.h"
#include "navigationbar.h"
#include "ownedcomponents.h"
#include "playeractions.h"
#include "programpaths.h"
#include "resumerequest.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "verdicts.h"
#include "waiting.h"
#include "writtenanswers.h"

#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QtTest>

namespace {

struct LessonFolder : LessonFiles {
  LessonFolder() : LessonFiles({"ekz04.dat"}, {"sonoj/lec04/.keep"}) {}
};

// Drops a piece as a drag from the learner would: enter, move, drop.
bool DropPiece(TForm4* window, const char* piece, const char* place) {
  auto* source = Own<StaticText>(window, piece);
  auto* target = Own<StaticText>(window, place);
  std::unique_ptr<QMimeData> data(TForm4::PieceMimeData(source));
  const QPoint centre = target->rect().center();
  QDragEnterEvent enter(centre, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(centre), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

// Counts how often each watched part changes visibility while `action` runs,
// and whether the stop button was ever disabled meanwhile.
struct BlinkProbe {
  QMap<QWidget*, int> flips;
  bool stopWasDisabled = false;
  int extraClicks = 0;

  void Watch(const QList<QWidget*>& parts, QPushButton* stop, QPushButton* clickMeanwhile,
             const std::function<void()>& action) {
    QMap<QWidget*, bool> seen;
    for (QWidget* part : parts) {
      seen[part] = part->isVisible();
      flips[part] = 0;
    }
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
      for (QWidget* part : parts) {
        if (part->isVisible() != seen[part]) ++flips[part];
        seen[part] = part->isVisible();
      }
      stopWasDisabled |= !stop->isEnabled();
      if (clickMeanwhile && extraClicks < 3) {
        ++extraClicks;
        clickMeanwhile->click();
      }
    });
    probe.start(40);
    action();
    probe.stop();
  }
};

}  // namespace

class TestLesson4 : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { StartLessonSuite(); }
  void init() {
    FreshLessonState();
    SoundsEnabled() = false;
  }

  // The written pages: ten answers into Esperanto, five into Portuguese, each paired by its Tag.
  void writtenPagesPairPromptsAndAnswers() {
    LessonFolder data;
    auto window = OpenLesson<TForm4>(4);
    QVERIFY(window);
    QTabWidget* pages = window->Pagxaro();
    const QList<int> first{28, 29, 30, 31, 32, 41, 42, 43, 44, 45};
    for (int i = 0; i < first.size(); ++i) {
      auto* edit = Own<QLineEdit>(window.get(), QStringLiteral("Edit%1").arg(first[i]));
      QVERIFY(edit);
      QCOMPARE(edit->parentWidget(), pages->widget(10));
      QCOMPARE(edit->property("tag").toInt(), i + 1);
    }
    int prompts = 0;
    for (auto* label : pages->widget(10)->findChildren<QLabel*>()) prompts += label->property("tag").toInt() > 0;
    QCOMPARE(prompts, 10);
    for (int i = 0; i < 5; ++i) {
      auto* edit = Own<QLineEdit>(window.get(), QStringLiteral("Edit%1").arg(46 + i));
      QVERIFY(edit);
      QCOMPARE(edit->property("tag").toInt(), i + 1);
      QCOMPARE(edit->parentWidget(), pages->widget(11));
    }
    int questions = 0;
    for (auto* text : pages->widget(11)->findChildren<StaticText*>()) {
      if (text->property("tag").toInt() > 0) {
        ++questions;
        QVERIFY(text->text().contains(QStringLiteral("Ĉu ")));
      }
    }
    QCOMPARE(questions, 5);
  }

  void questionsGoToTheMonitorInTheLearnersLetters() {
    LessonFolder data;
    CurrentSettings().Sistemo = 1;
    CurrentSettings().Adreso = QStringLiteral("monitoro@example.org");
    auto window = OpenLesson<TForm4>(4);
    window->show();
    window->Pagxaro()->setCurrentIndex(11);
    Own<QLineEdit>(window.get(), "Edit46")->setText(QStringLiteral("O leite está quente?"));
    Own<QLineEdit>(window.get(), "Edit50")->setText(QStringLiteral("Maria perguntou a você ontem?"));
    const QString body = BuildMonitorMessage(window->Pagxaro()).body;
    QVERIFY2(body.startsWith(QStringLiteral("1. Cxu la lakto estas varma?\r\n\tO leite está quente?\r\n\r\n")),
             qPrintable(body));
    QVERIFY(body.contains(QStringLiteral("\r\n3. Cxu hodiaux estas la unua de aprilo?\r\n\t\r\n\r\n")));
    QVERIFY(
        body.endsWith(QStringLiteral("5. Cxu Maria demandis vin hieraux?\r\n\tMaria perguntou a você ontem?\r\n\r\n")));
    QCOMPARE(body.count(QLatin1Char('\t')), 5);
  }

  void drillDataNamesTheWindowsComponents() {
    LessonFolder data;
    auto window = OpenLesson<TForm4>(4);
    QStringList words, answers;
    const int count = LoadExerciseItems(words, QStringLiteral("0401"), QStringLiteral("D"));
    QVERIFY(count >= 20);
    QCOMPARE(LoadExerciseItems(answers, QStringLiteral("0401"), QStringLiteral("R")), count);
    QSet<QString> shownAnswers;
    for (int i = 0; i < count; ++i) {
      auto* button = Own<QPushButton>(window.get(), QStringLiteral("Button") + words[i]);
      auto* label = Own<QLabel>(window.get(), QStringLiteral("Label") + answers[i]);
      QVERIFY2(button && label, qPrintable(words[i] + QLatin1Char('/') + answers[i]));
      QVERIFY(!label->text().isEmpty());
      shownAnswers.insert(label->text());
    }
    QCOMPARE(shownAnswers.size(), count);  // no two words share an answer

    QStringList statements;
    QVERIFY(LoadExerciseItems(statements, QStringLiteral("0402"), QStringLiteral("D")) >= 20);
    for (const QString& statement : statements) {
      QVERIFY2(!statement.endsWith(QLatin1Char('.')) && !statement.startsWith(QStringLiteral("Ĉu")),
               qPrintable(statement));
    }

    QStringList spoken;
    const int items = LoadExerciseItems(spoken, QStringLiteral("0403"), QStringLiteral("D"));
    QVERIFY(items >= 20);
    for (int i = 0; i < items; ++i) {
      if (const int number = spoken[i].toInt(); number > 0) {
        QVERIFY2(Own<QPushButton>(window.get(), QStringLiteral("Button%1").arg(number)), qPrintable(spoken[i]));
      } else {
        // Typed back in the listening drill: only full stops are forgiven.
        QVERIFY2(!spoken[i].contains(QRegularExpression(QStringLiteral("[!?,]"))), qPrintable(spoken[i]));
      }
    }
  }

  void theReadingIsRecordedFromItsText() {
    LessonFolder data;
    auto window = OpenLesson<TForm4>(4);
    const QString text = Own<StaticText>(window.get(), "Memo1")->text();
    QVERIFY(text.size() > 200);
    QCOMPARE(window->ReadingPlayer()->Recording(), QStringLiteral("sonoj\\lec04\\memo1.mp3"));
    int found = 0;
    for (const LessonRecording& recording : window->Recordings()) {
      if (recording.relativePath == QStringLiteral("sonoj\\lec04\\memo1.mp3")) {
        ++found;
        QCOMPARE(recording.text, text);
      }
    }
    QCOMPARE(found, 1);
  }

  void questionPiecesDroppedInTheWrongPlacesBothBlink() {
    LessonFolder data;
    auto window = OpenLesson<TForm4>(4);
    window->show();
    window->Pagxaro()->setCurrentIndex(4);
    auto* start = Own<QPushButton>(window.get(), "BitBtn1");
    auto* answer = Own<QPushButton>(window.get(), "BitBtn2");
    auto* stop = Own<QPushButton>(window.get(), "BitBtn3");
    auto* front = Own<StaticText>(window.get(), "Cxu_Dest");
    auto* statement = Own<StaticText>(window.get(), "Vorto0");
    auto* end = Own<StaticText>(window.get(), "Punkto");
    for (const char* name : {"Cxu", "Demando", "Cxu_Dest", "Vorto0", "Punkto"}) {
      QVERIFY(!Own<StaticText>(window.get(), name)->isVisible());
    }
    QVERIFY(!answer->isEnabled());
    start->click();
    QVERIFY(!start->isEnabled() && stop->isEnabled() && answer->isEnabled());
    const QString remaining = Own<StaticText>(window.get(), "Placar1")->text();
    QCOMPARE(remaining, QStringLiteral("22"));
    QCOMPARE(statement->text(), window->CurrentStatement());
    QCOMPARE(front->text(), QString());
    QCOMPARE(end->text(), QStringLiteral("."));
    // The line is centred: front place, statement and point side by side.
    QCOMPARE(statement->x(), front->x() + front->width() + 5);
    QCOMPARE(end->x(), statement->x() + statement->width() + 5);
    const int panelWidth = Own<QFrame>(window.get(), "Panel4")->width();
    QVERIFY(qAbs(front->x() - (panelWidth - (end->x() + end->width() - front->x())) / 2) <= 1);

    QVERIFY(DropPiece(window.get(), "Demando", "Cxu_Dest"));
    QVERIFY(DropPiece(window.get(), "Cxu", "Punkto"));
    QCOMPARE(front->text(), QStringLiteral("?"));
    QCOMPARE(end->text(), QStringLiteral("Ĉu"));

    const QString asked = window->CurrentStatement();
    BlinkProbe probe;
    probe.Watch({front, end, statement}, stop, answer, [&] { answer->click(); });
    QVERIFY2(probe.flips[front] >= 6, qPrintable(QString::number(probe.flips[front])));
    QVERIFY2(probe.flips[end] >= 6, qPrintable(QString::number(probe.flips[end])));
    QCOMPARE(probe.flips[statement], 0);
    QVERIFY(probe.stopWasDisabled);
    // Clicks during the correction judged nothing.
    QCOMPARE(Own<StaticText>(window.get(), "Placar3")->text(), QStringLiteral("01"));
    QCOMPARE(Own<StaticText>(window.get(), "Placar2")->text(), QStringLiteral("00"));
    QCOMPARE(Own<StaticText>(window.get(), "Placar1")->text(), remaining);
    QCOMPARE(Own<StaticText>(window.get(), "Placar4")->text(), QStringLiteral("00%"));
    QVERIFY(stop->isEnabled());
    QVERIFY(front->isVisible() && end->isVisible());
    // The next statement follows with an empty front place and a plain point.
    QCOMPARE(front->text(), QString());
    QCOMPARE(end->text(), QStringLiteral("."));
    Q_UNUSED(asked);
  }

  // A drag by the real pointer needs a window system: run under an X server
  // with QT_QPA_PLATFORM=xcb; xdotool moves the pointer.
  void piecesFollowTheRealPointer() {
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        QStandardPaths::findExecutable("xdotool").isEmpty()) {
      QSKIP("needs the xcb platform and xdotool");
    }
    LessonFolder data;
    auto window = OpenLesson<TForm4>(4);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->Pagxaro()->setCurrentIndex(4);
    Own<QPushButton>(window.get(), "BitBtn1")->click();
    QTest::qWait(200);
    auto drag = [&](const char* piece, const char* place) {
      auto* source = Own<StaticText>(window.get(), piece);
      auto* target = Own<StaticText>(window.get(), place);
      const QPoint from = source->mapToGlobal(source->rect().center());
      const QPoint to = target->mapToGlobal(target->rect().center());
      QProcess hand;
      hand.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"),
                  QStringLiteral("xdotool mousemove %1 %2 sleep 0.2 mousedown 1 sleep 0.2 mousemove %3 %4 sleep 0.2 "
                                 "mousemove %5 %6 sleep 0.3 mouseup 1")
                      .arg(from.x())
                      .arg(from.y())
                      .arg((from.x() + to.x()) / 2)
                      .arg((from.y() + to.y()) / 2)
                      .arg(to.x())
                      .arg(to.y())});
      QVERIFY(WaitUntil([&] { return hand.state() == QProcess::NotRunning; }, 10));
      QTest::qWait(300);
    };
    drag("Demando", "Cxu_Dest");
    drag("Cxu", "Punkto");
    QCOMPARE(Own<StaticText>(window.get(), "Cxu_Dest")->text(), QStringLiteral("?"));
    QCOMPARE(Own<StaticText>(window.get(), "Punkto")->text(), QStringLiteral("Ĉu"));
  }

  void onlyTheFinalPointBlinksWhenCxuIsInPlace() {
    LessonFolder data;
    auto window = OpenLesson<TForm4>(4);
    window->show();
    window->Pagxaro()->setCurrentIndex(4);
    Own<QPushButton>(window.get(), "BitBtn1")->click();
    auto* front = Own<StaticText>(window.get(), "Cxu_Dest");
    auto* end = Own<StaticText>(window.get(), "Punkto");
    QVERIFY(DropPiece(window.get(), "Cxu", "Cxu_Dest"));
    BlinkProbe probe;
    probe.Watch({front, end}, Own<QPushButton>(window.get(), "BitBtn3"), nullptr,
                [&] { Own<QPushButton>(window.get(), "BitBtn2")->click(); });
    QCOMPARE(probe.flips[front], 0);
    QVERIFY2(probe.flips[end] >= 6, qPrintable(QString::number(probe.flips[end])));
    QCOMPARE(Own<StaticText>(window.get(), "Placar3")->text(), QStringLiteral("01"));
  }

  void aRunToItsVerdict() {
    LessonFolder data;
    data.folder.Write("ekzercoj/ekz04.dat", "[0402D]\r\na=vi estas brazilano\r\nb=la teo estas varma\r\n");
    auto window = OpenLesson<TForm4>(4);
    window->show();
    window->Pagxaro()->setCurrentIndex(4);
    auto* stop = Own<QPushButton>(window.get(), "BitBtn3");
    Own<QPushButton>(window.get(), "BitBtn1")->click();
    QCOMPARE(Own<StaticText>(window.get(), "Placar1")->text(), QStringLiteral("02"));
    const QString first = window->CurrentStatement();
    QVERIFY(DropPiece(window.get(), "Cxu", "Cxu_Dest"));
    QVERIFY(DropPiece(window.get(), "Demando", "Punkto"));
    Own<QPushButton>(window.get(), "BitBtn2")->click();
    QCOMPARE(Own<StaticText>(window.get(), "Placar1")->text(), QStringLiteral("01"));
    QCOMPARE(Own<StaticText>(window.get(), "Placar2")->text(), QStringLiteral("01"));
    QCOMPARE(Own<StaticText>(window.get(), "Placar4")->text(), QStringLiteral("100%"));
    // A statement answered right never comes back.
    QVERIFY(window->CurrentStatement() != first);
    QString verdict;
    WhenModalShown([&](QWidget* modal) {
      verdict = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    QVERIFY(DropPiece(window.get(), "Cxu", "Cxu_Dest"));
    QVERIFY(DropPiece(window.get(), "Demando", "Punkto"));
    Own<QPushButton>(window.get(), "BitBtn2")->click();
    QCOMPARE(verdict, Messages().smGratulon);
    QCOMPARE(Own<StaticText>(window.get(), "Placar1")->text(), QStringLiteral("00"));
    QVERIFY(Own<QPushButton>(window.get(), "BitBtn1")->isEnabled());
    QVERIFY(!stop->isEnabled());
    QVERIFY(!Own<QPushButton>(window.get(), "BitBtn2")->isEnabled());
    for (const char* name : {"Cxu", "Demando", "Cxu_Dest", "Vorto0", "Punkto"}) {
      QVERIFY(!Own<StaticText>(window.get(), name)->isVisible());
    }
    // Without statements the game does not start, and says why.
    data.folder.Write("ekzercoj/ekz04.dat", "");
    QCOMPARE(MessageShownBy([&] { Own<QPushButton>(window.get(), "BitBtn1")->click(); }), MissingData("0402"));
    QVERIFY(Own<QPushButton>(window.get(), "BitBtn1")->isEnabled());
  }

  void closingDuringTheCorrectionEndsQuietly() {
    LessonFolder data;
    auto window = OpenLesson<TForm4>(4);
    window->show();
    Own<QPushButton>(window.get(), "BitBtn1")->click();
    bool boxShown = false;
    QPointer<QTimer> watch = WhenModalShown([&](QWidget* modal) {
      boxShown = true;
      modal->close();
    });
    QTimer::singleShot(300, window.get(), &QWidget::close);
    QElapsedTimer clock;
    clock.start();
    Own<QPushButton>(window.get(), "BitBtn2")->click();
    QVERIFY(clock.elapsed() < 1500);
    QVERIFY(!boxShown);
    delete watch;
  }

  void readingPlayer() {
    LessonFolder data;
    const QString tone = MakeToneMp3(data.folder.Path(QStringLiteral("sonoj/lec04")), "memo1", 1.0, 22050, 1);
    QVERIFY(!tone.isEmpty());
    Mp3Player player;
    SetMp3(&player);
    // What the main window does when a stream ends.
    connect(&player, &Mp3Player::NotifyPlayerState, &player, [](int state) {
      if (state == Mp3Player::EndOfStream) RunEndOfStreamAction(QApplication::activeWindow());
    });
    auto window = OpenLesson<TForm4>(4);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->Pagxaro()->setCurrentIndex(6);
    auto* play = Own<QPushButton>(window.get(), "Butono1");
    auto* pause = Own<QPushButton>(window.get(), "Butono2");
    auto* stop = Own<QPushButton>(window.get(), "Butono3");
    QVERIFY(play->isEnabled() && !pause->isEnabled() && !stop->isEnabled());

    play->click();
    QVERIFY(!play->isEnabled() && pause->isEnabled() && stop->isEnabled());
    pause->click();  // paused: stop cannot be pressed
    QVERIFY(!play->isEnabled() && pause->isEnabled() && !stop->isEnabled());
    pause->click();  // resumed
    QVERIFY(stop->isEnabled());
    // The reading goes on when the page changes.
    window->Pagxaro()->setCurrentIndex(0);
    QVERIFY(!play->isEnabled());
    // Played to its end, the trio returns to its first state.
    QVERIFY(WaitUntil([&] { return play->isEnabled(); }, 5));
    QVERIFY(!pause->isEnabled() && !stop->isEnabled());

    // Closing while paused stops the reading.
    QList<int> states;
    connect(&player, &Mp3Player::NotifyPlayerState, &player, [&](int state) { states.append(state); });
    play->click();
    pause->click();
    QVERIFY(WaitUntil([&] { return states.contains(Mp3Player::Paused); }, 2));
    states.clear();
    window->close();
    QVERIFY(play->isEnabled() && !pause->isEnabled() && !stop->isEnabled());
    QVERIFY(WaitUntil([&] { return states.contains(Mp3Player::Stopped); }, 2));
    SetMp3(nullptr);
  }

  void readingWithoutItsRecordingSaysSo() {
    LessonFolder data;
    auto window = OpenLesson<TForm4>(4);
    QString shown;
    WhenModalShown([&](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    Own<QPushButton>(window.get(), "Butono1")->click();
    QCOMPARE(shown, Messages().smNeSono);
    QVERIFY(Own<QPushButton>(window.get(), "Butono1")->isEnabled());
    QVERIFY(!Own<QPushButton>(window.get(), "Butono3")->isEnabled());
  }
};

QTEST_MAIN(TestLesson4)
#include "tst_lesson04.moc"
