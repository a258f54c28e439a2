#include "exercisedata.h"
#include "gapfilling.h"
#include "lec09.h"
#include "lessonfixture.h"
#include "lessonwindows.h"
#include "memoplayer.h"
#include "messages.h"
#include "navigationbar.h"
#include "ownedcomponents.h"
#include "programpaths.h"
#include "resumerequest.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "uiloader.h"
#include "verdicts.h"
#include "writtenanswers.h"

#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kData = QStringLiteral(PELANO_PROGRAM_DIR "ekzercoj/ekz09.dat");

// A program folder with lesson 10's data and the recordings of its readings.
struct LessonFolder : LessonFiles {
  explicit LessonFolder(const QStringList& recordings = {"memo4", "memo6", "memo8"}) : LessonFiles({"ekz09.dat"}) {
    for (const QString& recording : recordings) folder.Write("sonoj/lec09/" + recording + ".mp3", "ID3");
  }
};

template <typename T = QPushButton>
T* Find(QWidget* window, const QString& name) {
  return window->findChild<T*>(name);
}

int PageIndex(TForm9* window, const QString& name) {
  QTabWidget* pages = window->Pagxaro();
  for (int i = 0; i < pages->count(); ++i) {
    if (pages->widget(i)->objectName() == name) return i;
  }
  return -1;
}

// Records the order in which play buttons become enabled again.
class EnableOrder : public QObject {
 public:
  QStringList order;
  explicit EnableOrder(const QList<QPushButton*>& buttons) {
    for (QPushButton* button : buttons) button->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* button = qobject_cast<QPushButton*>(watched);
    if (event->type() == QEvent::EnabledChange && button && button->isEnabled()) order.append(button->objectName());
    return false;
  }
};

}  // namespace

class TestLesson10 : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    RegisterLessonWidgets();
    SetBuiltInMessages();
    SoundsEnabled() = false;
  }
  void init() { FreshLessonState(); }

  // Each reading page: its text with Tag 1 and its answer memo with Tag 128;
  // page 13 has no heading strip, pages 8 and 12 have one.
  void readingPagesSendTheirTextAndAnswer() {
    LessonFolder data;
    auto window = OpenLesson<TForm9>(10);
    QVERIFY(window);
    const std::pair<const char*, const char*> readings[] = {
        {"EkzTraduko1", "Memo5"}, {"EkzTraduko2", "Memo7"}, {"EkzTraduko3", "Memo9"}};
    for (const auto& [pageName, memoName] : readings) {
      QWidget* page = Find<QWidget>(window.get(), pageName);
      auto* memo = Find<QPlainTextEdit>(page, memoName);
      QVERIFY(memo && !memo->isReadOnly());
      QCOMPARE(memo->property("tag").toInt(), 128);
      int texts = 0;
      for (auto* text : page->findChildren<StaticText*>()) {
        if (text->property("tag").toInt() == 1)
          ++texts;
        else
          QCOMPARE(text->property("tag").toInt(), 0);  // the glossary is not sent
      }
      QCOMPARE(texts, 1);
    }
    QCOMPARE(Find<QWidget>(window.get(), "EkzTraduko3")->findChildren<QLabel*>(QRegularExpression("^Grad")).size(), 0);
    QCOMPARE(Find<QWidget>(window.get(), "EkzTraduko1")->findChildren<QLabel*>(QRegularExpression("^Grad")).size(), 1);
  }

  void theReadingsAreRecordedFromTheirTexts() {
    LessonFolder data;
    auto window = OpenLesson<TForm9>(10);
    QMap<QString, QString> said;
    for (const LessonRecording& recording : window->Recordings()) said[recording.relativePath] = recording.text;
    const std::pair<const char*, const char*> readings[] = {{"sonoj\\lec09\\memo4.mp3", "EkzTraduko1"},
                                                            {"sonoj\\lec09\\memo6.mp3", "EkzTraduko2"},
                                                            {"sonoj\\lec09\\memo8.mp3", "EkzTraduko3"}};
    for (const auto& [path, pageName] : readings) {
      QString text;
      for (auto* shown : Find<QWidget>(window.get(), pageName)->findChildren<StaticText*>()) {
        if (shown->property("tag").toInt() == 1) text = shown->text();
      }
      QVERIFY(text.size() > 200);
      QCOMPARE(said.value(QLatin1String(path)), text);
    }
    QCOMPARE(window->FirstReadingPlayer()->Recording(), QStringLiteral("sonoj\\lec09\\memo4.mp3"));
    QCOMPARE(window->SecondReadingPlayer()->Recording(), QStringLiteral("sonoj\\lec09\\memo6.mp3"));
    QCOMPARE(window->ThirdReadingPlayer()->Recording(), QStringLiteral("sonoj\\lec09\\memo8.mp3"));
  }

  void turningThePageSilencesTheReading() {
    LessonFolder data;
    auto window = OpenLesson<TForm9>(10);
    window->show();
    window->Pagxaro()->setCurrentIndex(PageIndex(window.get(), "EkzTraduko1"));
    auto* play = Find(window.get(), "BitBtn10");
    auto* pause = Find(window.get(), "BitBtn11");
    auto* stop = Find(window.get(), "BitBtn12");
    QVERIFY(play->isEnabled() && !pause->isEnabled() && !stop->isEnabled());
    play->click();
    QVERIFY(!play->isEnabled() && pause->isEnabled() && stop->isEnabled());
    pause->click();  // paused: still open
    QVERIFY(!play->isEnabled() && !stop->isEnabled());
    window->Pagxaro()->setCurrentIndex(PageIndex(window.get(), "PronomoSi"));
    QVERIFY(play->isEnabled() && !pause->isEnabled() && !stop->isEnabled());
  }

  void playersStopInTheirOrder() {
    LessonFolder data;
    auto window = OpenLesson<TForm9>(10);
    window->show();
    const QStringList plays{"Butono1", "BitBtn7", "BitBtn10"};
    QList<QPushButton*> buttons;
    for (const QString& name : plays) buttons.append(Find(window.get(), name));
    // The trios keep their own states: all three can be open at once.
    for (QPushButton* play : buttons) play->click();
    {
      EnableOrder order(buttons);
      window->Pagxaro()->setCurrentIndex(1);
      QCOMPARE(order.order, plays);
    }
    Find(window.get(), "BitBtn7")->click();
    Find(window.get(), "BitBtn10")->click();
    Find(window.get(), "BitBtn8")->click();  // a paused trio is stopped too
    EnableOrder order(buttons);
    window->close();
    QCOMPARE(order.order, (QStringList{"BitBtn7", "BitBtn10"}));
  }

  void aMissingRecordingStopsOnlyItsPlayer() {
    LessonFolder data({"memo4", "memo8"});
    auto window = OpenLesson<TForm9>(10);
    window->show();
    window->Pagxaro()->setCurrentIndex(PageIndex(window.get(), "EkzTraduko2"));
    QString shown;
    WhenModalShown([&](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    Find(window.get(), "BitBtn7")->click();
    QCOMPARE(shown, Messages().smNeSono);
    QVERIFY(Find(window.get(), "BitBtn7")->isEnabled());
    QVERIFY(!Find(window.get(), "BitBtn9")->isEnabled());
    for (const char* play : {"BitBtn10", "Butono1"}) {
      Find(window.get(), play)->click();
      QVERIFY(!Find(window.get(), play)->isEnabled());
    }
  }

  void theReadingGoesToTheMonitorBeforeItsTranslation() {
    LessonFolder data;
    CurrentSettings().Adreso = QStringLiteral("monitoro@example.org");
    CurrentSettings().Sistemo = 1;
    const QString translation = QStringLiteral("Era um belo domingo (dimanĉo).\nAna foi ao parque com o seu cachorro.");
    {
      auto window = OpenLesson<TForm9>(10);
      window->show();
      window->Pagxaro()->setCurrentIndex(PageIndex(window.get(), "EkzTraduko3"));
      Find<QPlainTextEdit>(window.get(), "Memo9")->setPlainText(translation);
      QVERIFY(window->SubaParto()->Savu()->isEnabled());
      window->SubaParto()->SavuClick();

      const MonitorMessage message = BuildMonitorMessage(window->Pagxaro());
      const int text = message.body.indexOf(QStringLiteral("Estis bela dimancxo. Ana iris al la parko kun sia hundo."));
      const int answer = message.body.indexOf(QStringLiteral("Era um belo domingo"));
      QVERIFY2(text >= 0 && answer > text, qPrintable(message.body));
      // The text is converted to the learner's letters, the translation is sent as typed.
      QVERIFY(message.body.contains(QStringLiteral("Era um belo domingo (dimanĉo).")));
      QVERIFY(message.body.contains(QStringLiteral("Ana foi ao parque com o seu cachorro.")));
      for (const char* word : {"idoso", "segurar"}) QVERIFY(!message.body.contains(QLatin1String(word)));
      QCOMPARE(message.address.toString(QUrl::FullyEncoded),
               QStringLiteral("mailto:monitoro@example.org?subject=Leciono%2010%20-%20Pagxo%2013"));
    }
    auto window = OpenLesson<TForm9>(10);  // the memo comes back with its two lines
    QCOMPARE(Find<QPlainTextEdit>(window.get(), "Memo9")->toPlainText(), translation);
    QCOMPARE(Find<QPlainTextEdit>(window.get(), "Memo5")->toPlainText(), QString());
  }

  void barFollowsThePageKind() {
    LessonFolder data;
    auto window = OpenLesson<TForm9>(10);
    window->show();
    TFrame6* bar = window->SubaParto();
    const std::tuple<int, bool, bool> expectations[] = {{0, false, false}, {3, false, true},   {7, true, true},
                                                        {9, false, true},  {10, false, false}, {12, true, true}};
    for (const auto& [page, envelope, hint] : expectations) {
      window->Pagxaro()->setCurrentIndex(page);
      QCOMPARE(bar->koverto()->isVisible(), envelope);
      QCOMPARE(bar->Helpo()->isVisible(), hint);
    }
  }

  void aGapFillingRunEndsOnReturnToItsPage() {
    LessonFolder data;
    auto window = OpenLesson<TForm9>(10);
    window->show();
    auto* frame = Find<TFrame4>(window.get(), "TFrame41");
    auto* other = Find<TFrame4>(window.get(), "Frame42");
    auto* start = Find(frame, "BitBtn4");
    auto* stop = Find(frame, "BitBtn5");
    window->Pagxaro()->setCurrentIndex(3);
    start->click();
    QVERIFY(stop->isEnabled());
    QCOMPARE(Find<StaticText>(frame, "Placar25")->text(), QStringLiteral("20"));
    // Another run on page 10 and a visit there leave the run of page 4 alone.
    window->Pagxaro()->setCurrentIndex(9);
    Find(other, "BitBtn4")->click();
    window->Pagxaro()->setCurrentIndex(4);
    window->Pagxaro()->setCurrentIndex(9);
    QVERIFY(stop->isEnabled());
    QVERIFY(!Find(other, "BitBtn5")->isEnabled());
    window->Pagxaro()->setCurrentIndex(3);
    QVERIFY(!stop->isEnabled());
    QVERIFY(start->isEnabled());
    QCOMPARE(Find<StaticText>(frame, "Placar25")->text(), QStringLiteral("20"));  // counters kept
  }

  // The items are checked where a wrong one would only show in a run: every
  // sentence has a first gap, every accusative row matches its translation.
  void theExerciseDataHoldTogether() {
    SetProgramFolder(QStringLiteral(PELANO_PROGRAM_DIR));
    for (const char* code : {"0901", "0902"}) {
      ExerciseRecords sentences{}, answers{};
      QStringList translations;
      const int count = LoadExerciseRecords(sentences, QLatin1String(code), QStringLiteral("D"));
      QVERIFY2(count >= 15, code);
      QCOMPARE(LoadExerciseRecords(answers, QLatin1String(code), QStringLiteral("R")), count);
      QCOMPARE(LoadExerciseItems(translations, QLatin1String(code), QStringLiteral("T")), count);
      for (int i = 0; i < count; ++i) {
        QVERIFY2(!answers[i][0].isEmpty(), qPrintable(sentences[i][0]));
        for (int gap = 0; gap < 5; ++gap) {
          // Answers are stored as the comparison makes them: lower case, no full stop, no blanks.
          const QString& answer = answers[i][gap];
          QCOMPARE(NormalizeAnswer(answer), answer);
          QCOMPARE(answer.toLower(), answer);
          if (gap > 0 && !answer.isEmpty()) QVERIFY(!answers[i][gap - 1].isEmpty());
        }
        QVERIFY(!translations[i].isEmpty());
      }
    }
    ExerciseRecords words{}, marks{}, explanations{};
    QStringList translations;
    const int count = LoadExerciseRecords(words, QStringLiteral("0905"), QStringLiteral("D"));
    QCOMPARE(LoadExerciseRecords(marks, QStringLiteral("0905"), QStringLiteral("R")), count);
    QCOMPARE(LoadExerciseRecords(explanations, QStringLiteral("0905"), QStringLiteral("K")), count);
    QCOMPARE(LoadExerciseItems(translations, QStringLiteral("0901"), QStringLiteral("T")), count);
    QVERIFY(count >= 15);
    ExerciseRecords gapped{}, gaps{};
    LoadExerciseRecords(gapped, QStringLiteral("0901"), QStringLiteral("D"));
    LoadExerciseRecords(gaps, QStringLiteral("0901"), QStringLiteral("R"));
    for (int i = 0; i < count; ++i) {
      QStringList sentence;
      for (int place = 0; place < MaxRecordFields; ++place) {
        const QString& word = words[i][place];
        if (word.isEmpty()) {
          QVERIFY(marks[i][place].isEmpty() && explanations[i][place].isEmpty());
          continue;
        }
        bool number = false;
        const int explanation = explanations[i][place].toInt(&number);
        QVERIFY2(number && explanation >= 0 && explanation <= 12, qPrintable(word));
        const bool takesEnding = explanation == 4 || explanation == 5 || explanation == 12;
        QCOMPARE(marks[i][place], takesEnding ? QStringLiteral("1") : QString());
        sentence.append(word + (takesEnding ? QStringLiteral("n") : QString()));
      }
      // Row i of the accusative exercise is sentence i of the pronoun gaps, whose translation it shows.
      QString filled;
      for (int field = 0; field < 6; ++field) filled += gapped[i][field] + (field < 5 ? gaps[i][field] : QString());
      filled.remove(QRegularExpression(QStringLiteral("[,.!?]")));
      QCOMPARE(sentence.join(QLatin1Char(' ')).toLower(), filled.toLower());
    }
  }
};

QTEST_MAIN(TestLesson10)
#include "tst_lesson09.moc"
