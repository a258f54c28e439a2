#include "accusative.h"
#include "exercisedata.h"
#include "lec11.h"
#include "lessonfixture.h"
#include "lessonwindows.h"
#include "letters.h"
#include "memoplayer.h"
#include "messages.h"
#include "mp3fixtures.h"
#include "mp3player.h"
#include "navigationbar.h"
#include "playeractions.h"
#include "programpaths.h"
#include "resumerequest.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "uiloader.h"
#include "verdicts.h"
#include "waiting.h"
#include "writtenanswers.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

// A program folder with lesson 12's data.
struct LessonFolder : LessonFiles {
  LessonFolder() : LessonFiles({"ekz11.dat"}) {}
};

template <typename T = QPushButton>
T* Find(QWidget* window, const char* name) {
  return window->findChild<T*>(QLatin1String(name));
}

const QStringList kPages{"Transitiveco", "Transitiveco1", "Transitiveco2", "EkzAkuzativo", "Vortfarado",
                         "Vortfarado1",  "Vortfarado2",   "Muziko",        "Muziko1",      "EkzTraduko"};

// The real player, as the main window runs it: the end of a stream resets
// the active window's trios.
struct PlayerUnderTest {
  Mp3Player player;
  QList<int> states;
  PlayerUnderTest() {
    SetMp3(&player);
    QObject::connect(&player, &Mp3Player::NotifyPlayerState, &player, [this](int state) {
      states.append(state);
      if (state == Mp3Player::EndOfStream) RunEndOfStreamAction(QApplication::activeWindow());
    });
  }
  ~PlayerUnderTest() { SetMp3(nullptr); }
  bool Reports(int state, double seconds = 2) {
    return WaitUntil([&] { return states.contains(state); }, seconds);
  }
};

}  // namespace

class TestLesson12 : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    RegisterLessonWidgets();
    SetBuiltInMessages();
  }
  void init() { FreshLessonState(); }

  // The article page: the article and the translation share slot 1, the
  // glossary takes no part but speaks.
  void theArticlePage() {
    LessonFolder data;
    auto window = OpenLesson<TForm11>(12);
    QVERIFY(window);
    QWidget* article = window->Pagxaro()->widget(9);
    int tagged = 0;
    int glossary = 0;
    for (auto* text : article->findChildren<StaticText*>()) {
      if (ComponentTag(text) == 1) ++tagged;
    }
    for (auto* word : article->findChildren<QPushButton*>(QRegularExpression(QStringLiteral("^Button\\d+$")))) {
      if (ComponentTag(word) == 0) ++glossary;
    }
    QCOMPARE(tagged, 1);
    QCOMPARE(glossary, 12);
    auto* memo = Find<QPlainTextEdit>(window.get(), "Memo1");
    QVERIFY(memo && memo->parentWidget() == article);
    QCOMPARE(ComponentTag(memo), 128);
  }

  void accusativeItemsAgree() {
    LessonFolder data;
    QList<QStringList> rows[3];
    const char* suffixes[] = {"D", "R", "K"};
    int counts[3];
    for (int s = 0; s < 3; ++s) {
      ExerciseRecords records;
      counts[s] = LoadExerciseRecords(records, QStringLiteral("1102"), QLatin1String(suffixes[s]));
      for (int i = 0; i < counts[s]; ++i) rows[s].append(QStringList(records[i].begin(), records[i].end()));
    }
    QStringList translations;
    QVERIFY(counts[0] >= 15);
    QCOMPARE(counts[1], counts[0]);
    QCOMPARE(counts[2], counts[0]);
    QCOMPARE(LoadExerciseItems(translations, QStringLiteral("1102"), QStringLiteral("T")), counts[0]);
    for (int i = 0; i < counts[0]; ++i) {
      for (int field = 0; field < 11; ++field) {
        const QString word = rows[0][i][field];
        const QString ending = rows[1][i][field];
        bool number = false;
        const int explanation = rows[2][i][field].toInt(&number);
        const QString where = QStringLiteral("sentence %1, word %2").arg(i + 1).arg(field);
        if (word.isEmpty()) {
          QVERIFY2(ending.isEmpty(), qPrintable(where));
          continue;
        }
        QVERIFY2(!word.endsWith(QLatin1Char('n')) || ending != QLatin1String("1"), qPrintable(where));
        QVERIFY2(number && explanation >= 0 && explanation <= 12, qPrintable(where));
        // A word that takes the ending is explained as the object or part of it, and only such a word.
        const bool object = explanation == 4 || explanation == 5 || explanation == 12;
        QVERIFY2(object == (ending == QLatin1String("1")), qPrintable(where));
      }
    }
  }

  void accusativeExerciseRunsOnItsPage() {
    LessonFolder data;
    SoundsEnabled() = false;
    auto window = OpenLesson<TForm11>(12);
    window->show();
    window->Pagxaro()->setCurrentIndex(3);
    auto* frame = Find<TFrame5>(window.get(), "TFrame51");
    QVERIFY(frame);
    frame->BitBtn1Click();
    QStringList translations;
    const int count = LoadExerciseItems(translations, QStringLiteral("1102"), QStringLiteral("T"));
    QCOMPARE(Find<StaticText>(frame, "Placar11")->text(), QString::number(count));
    const int row = frame->CurrentRow();
    QVERIFY(row >= 0 && row < count);
    QCOMPARE(Find<StaticText>(frame, "Traduko1")->text(), translations[row]);
    // Every word that takes the ending, and only those: the sentence is right.
    ExerciseRecords endings;
    LoadExerciseRecords(endings, QStringLiteral("1102"), QStringLiteral("R"));
    for (int place = 0; place < TFrame5::Places; ++place) {
      if (endings[row][place] == QLatin1String("1")) frame->VortKlako(place);
    }
    QCOMPARE(Find<StaticText>(frame, "Placar13")->text(), QStringLiteral("00"));
    frame->BitBtn2Click();
    QCOMPARE(Find<StaticText>(frame, "Placar12")->text().toInt(), 1);
    frame->BitBtn3Click();
  }

  void songGoesOnWithItsLyricsAndStopsElsewhere() {
    LessonFolder data;
    data.folder.Write("sonoj/lec11/.keep", "");
    QVERIFY(!MakeToneMp3(data.folder.Path(QStringLiteral("sonoj/lec11")), "fragoj", 4.0, 22050, 1).isEmpty());
    PlayerUnderTest sound;
    auto window = OpenLesson<TForm11>(12);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTabWidget* pages = window->Pagxaro();
    pages->setCurrentIndex(7);
    auto* play = Find(window.get(), "Butono1");
    auto* pause = Find(window.get(), "Butono2");
    auto* stop = Find(window.get(), "Butono3");
    QVERIFY(play->isEnabled() && !pause->isEnabled() && !stop->isEnabled());
    play->click();
    QVERIFY(sound.Reports(Mp3Player::Playing));
    sound.states.clear();
    pages->setCurrentIndex(8);  // the lyrics
    QVERIFY(!play->isEnabled() && stop->isEnabled());
    pages->setCurrentIndex(7);
    QVERIFY(!play->isEnabled());
    QVERIFY(!sound.states.contains(Mp3Player::Stopped));
    pages->setCurrentIndex(8);
    pages->setCurrentIndex(9);  // the article: the song stops
    QVERIFY(play->isEnabled() && !pause->isEnabled() && !stop->isEnabled());
    QVERIFY(sound.Reports(Mp3Player::Stopped));

    // Paused, it stops all the same when the learner leaves for another page.
    pages->setCurrentIndex(7);
    play->click();
    pause->click();
    QVERIFY(!stop->isEnabled());
    pages->setCurrentIndex(0);
    QVERIFY(play->isEnabled() && !pause->isEnabled());
  }

  void articleStopsOnAnyOtherPage() {
    LessonFolder data;
    data.folder.Write("sonoj/lec11/memo10.mp3", "ID3");
    auto window = OpenLesson<TForm11>(12);
    window->show();
    auto* play = Find(window.get(), "BitBtn4");
    for (int page : {8, 7, 0}) {
      window->Pagxaro()->setCurrentIndex(9);
      play->click();
      QVERIFY(!play->isEnabled());
      window->Pagxaro()->setCurrentIndex(page);
      QVERIFY2(play->isEnabled(), qPrintable(kPages[page]));
      QVERIFY(!Find(window.get(), "BitBtn6")->isEnabled());
    }
    QCOMPARE(window->ArticlePlayer()->Recording(), QStringLiteral("sonoj\\lec11\\memo10.mp3"));
  }

  void songWithoutItsRecordingSaysSo() {
    LessonFolder data;
    auto window = OpenLesson<TForm11>(12);
    window->show();
    window->Pagxaro()->setCurrentIndex(7);
    QString shown;
    WhenModalShown([&](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    Find(window.get(), "Butono1")->click();
    QCOMPARE(shown, Messages().smNeSono);
    QVERIFY(Find(window.get(), "Butono1")->isEnabled());
    QVERIFY(!Find(window.get(), "Butono2")->isEnabled());
    QCOMPARE(window->SongPlayer()->Recording(), QStringLiteral("sonoj\\lec11\\fragoj.mp3"));
  }

  void closingSilencesTheSong() {
    LessonFolder data;
    data.folder.Write("sonoj/lec11/.keep", "");
    QVERIFY(!MakeToneMp3(data.folder.Path(QStringLiteral("sonoj/lec11")), "fragoj", 4.0, 22050, 1).isEmpty());
    PlayerUnderTest sound;
    auto window = OpenLesson<TForm11>(12);
    window->show();
    window->Pagxaro()->setCurrentIndex(8);
    Find(window.get(), "Butono1")->click();
    QVERIFY(sound.Reports(Mp3Player::Playing));
    sound.states.clear();
    window->close();
    QVERIFY(sound.Reports(Mp3Player::Stopped));
    QVERIFY(!sound.states.contains(Mp3Player::EndOfStream));
    QCOMPARE(CurrentSettings().LastaLeciono, 12);
    QCOMPARE(CurrentSettings().LastaPagxo, 8);
  }

  void linksOpenTheirPages() {
    LessonFolder data;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    auto window = OpenLesson<TForm11>(12);
    window->show();
    window->Pagxaro()->setCurrentIndex(7);
    for (const char* name : {"StaticText5", "StaticText6", "StaticText7"}) {
      auto* link = Find<StaticText>(window.get(), name);
      QVERIFY(link->isVisible());
      QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.urls.size(), 3);
    QCOMPARE(catcher.urls[0], QUrl(Find<StaticText>(window.get(), "StaticText5")->text()));
    QCOMPARE(catcher.urls[1], QUrl(Find<StaticText>(window.get(), "StaticText6")->text()));
    QCOMPARE(catcher.urls[2].path(), QStringLiteral("/kantoj.html"));
    QCOMPARE(catcher.urls[2], TForm11::ShopAddress());

    // A caption written without its scheme still opens as a web page.
    Find<StaticText>(window.get(), "StaticText5")->setText(QStringLiteral("www.esperanto.org.br"));
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    window->XButton1Click(Find<StaticText>(window.get(), "StaticText5"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QCOMPARE(catcher.urls.size(), 4);
    QCOMPARE(catcher.urls[3].host(), QStringLiteral("www.esperanto.org.br"));
  }

  void articleAndTranslationSentTogether() {
    LessonFolder data;
    CurrentSettings().Sistemo = 1;
    auto window = OpenLesson<TForm11>(12);
    window->show();
    window->Pagxaro()->setCurrentIndex(9);
    const QString translation = QStringLiteral("Congresso de esperanto no Brasil.\nNa semana passada…");
    Find<QPlainTextEdit>(window.get(), "Memo1")->setPlainText(translation);
    QVERIFY(window->SubaParto()->Savu()->isEnabled());
    const MonitorMessage message = BuildMonitorMessage(window->Pagxaro());
    QString article;
    for (auto* text : window->Pagxaro()->widget(9)->findChildren<StaticText*>()) {
      if (ComponentTag(text) == 1) article = text->text();
    }
    // The article in the learner's letter system, the Portuguese translation as typed.
    const QString expected =
        ToLetterSystem(article, 1) + QStringLiteral("\r\n\r\n") + translation + QStringLiteral("\r\n\r\n");
    QCOMPARE(message.body, expected);
    QVERIFY(message.body.contains(QStringLiteral("renkontigxis")));
    QVERIFY(message.body.contains(QStringLiteral("Na semana passada…")));
  }

  void recordingsSayTheArticle() {
    LessonFolder data;
    auto window = OpenLesson<TForm11>(12);
    bool found = false;
    for (const LessonRecording& recording : window->Recordings()) {
      if (recording.relativePath != QStringLiteral("sonoj\\lec11\\memo10.mp3")) continue;
      found = true;
      QVERIFY(recording.text.startsWith(QStringLiteral("Esperanto-kongreso en Brazilo.")));
    }
    QVERIFY(found);
  }
};

QTEST_MAIN(TestLesson12)
#include "tst_lesson11.moc"
