#include "accusative.h"
#include "exercisedata.h"
#include "gapfilling.h"
#include "lec02.h"
#include "lessonfixture.h"
#include "lessonwindows.h"
#include "messages.h"
#include "mp3fixtures.h"
#include "mp3player.h"
#include "navigationbar.h"
#include "ownedcomponents.h"
#include "pelanowindow.h"
#include "playeractions.h"
#include "programpaths.h"
#include "resumerequest.h"
#include "settings.h"
#include "testsupport.h"
#include "verdicts.h"
#include "waiting.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

// A program folder with lesson 2's data and pictures and, when asked, a song: a stand-in or the real one.
struct LessonFolder : LessonFiles {
  enum Song { NoSong, StandInSong, RealSong };
  explicit LessonFolder(Song song = StandInSong) : LessonFiles({"ekz02.dat"}) {
    for (int picture = 0; picture < TForm2::PictureCount; ++picture) {
      const QString path = TForm2::PicturePath(picture).replace(QLatin1Char('\\'), QLatin1Char('/'));
      folder.Write(path, BuiltFile(path));
    }
    if (song == StandInSong) folder.Write("sonoj/lec02/jen_kanz.mp3", "song");
    if (song == RealSong)
      folder.Write("sonoj/lec02/jen_kanz.mp3", BuiltFile(QStringLiteral("sonoj/lec02/jen_kanz.mp3")));
  }
};

template <typename T>
T* Find(QWidget* window, const QString& name) {
  return window->findChild<T*>(name);
}

// A component of the window itself, not of one of its frames (which have names of their own).
template <typename T>
T* OwnedComponent(QWidget* window, const char* name) {
  return qobject_cast<T*>(OwnedComponent(window, QLatin1String(name)));
}

const int kMusicPage = 3;

}  // namespace

class TestLesson2 : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { StartLessonSuite(); }
  void init() {
    FreshLessonState();
    SoundsEnabled() = false;  // the main window turns them on when it shows
  }

  // Phrases and exclamations carry Tag 1; the written page pairs ten prompts
  // with its answer fields Edit13 .. Edit22, tagged 1 to 10.
  void tagsOfPhrasesAndOfTheWrittenPage() {
    LessonFolder data;
    auto window = OpenLesson<TForm2>(2);
    QVERIFY(window);
    QTabWidget* pages = window->Pagxaro();
    for (QPushButton* button : SpeakingButtons(window.get())) {
      const bool phrase = button->text().contains(QLatin1Char(' ')) || button->text().endsWith(QLatin1Char('!'));
      QCOMPARE(button->property("tag").toInt(), phrase ? 1 : 0);
    }
    QWidget* written = pages->widget(10);
    for (int slot = 1; slot <= 10; ++slot) {
      auto* edit = Find<QLineEdit>(written, QStringLiteral("Edit%1").arg(12 + slot));
      QVERIFY(edit);
      QCOMPARE(edit->property("tag").toInt(), slot);
      int prompts = 0;
      for (auto* label : written->findChildren<QLabel*>()) {
        if (label->property("tag").toInt() == slot) {
          ++prompts;
          QVERIFY(label->text().startsWith(QString::number(slot) + QStringLiteral(". ")));
        }
      }
      QCOMPARE(prompts, 1);
    }
  }

  // The drills name the window's own buttons and labels, and their sections agree with each other.
  void exerciseDataFitsTheWindow() {
    LessonFolder data;
    auto window = OpenLesson<TForm2>(2);
    QStringList words, answers;
    const int count = LoadExerciseItems(words, QStringLiteral("0203"), QStringLiteral("D"));
    QVERIFY(count >= 20);
    QCOMPARE(LoadExerciseItems(answers, QStringLiteral("0203"), QStringLiteral("R")), count);
    QSet<QString> shownAnswers;
    for (int i = 0; i < count; ++i) {
      auto* button = Find<QPushButton>(window.get(), QStringLiteral("Button") + words[i]);
      auto* label = Find<QLabel>(window.get(), QStringLiteral("Label") + answers[i]);
      QVERIFY2(button && label, qPrintable(words[i] + QStringLiteral(" / ") + answers[i]));
      QVERIFY(!label->text().isEmpty());
      shownAnswers.insert(label->text());
    }
    QCOMPARE(shownAnswers.size(), count);  // five different answers can always be offered

    QStringList spoken;
    const int spokenCount = LoadExerciseItems(spoken, QStringLiteral("0201"), QStringLiteral("D"));
    QVERIFY(spokenCount >= 20);
    for (int i = 0; i < spokenCount; ++i) {
      bool isNumber = false;
      const int number = spoken[i].toInt(&isNumber);
      if (isNumber)
        QVERIFY2(Find<QPushButton>(window.get(), QStringLiteral("Button%1").arg(number)), qPrintable(spoken[i]));
    }

    ExerciseRecords sentences, marks, explanations, fragments, gaps;
    const int rows = LoadExerciseRecords(sentences, QStringLiteral("0202"), QStringLiteral("D"));
    QVERIFY(rows >= 15);
    QCOMPARE(LoadExerciseRecords(marks, QStringLiteral("0202"), QStringLiteral("R")), rows);
    QCOMPARE(LoadExerciseRecords(explanations, QStringLiteral("0202"), QStringLiteral("K")), rows);
    QCOMPARE(LoadExerciseRecords(fragments, QStringLiteral("0204"), QStringLiteral("D")), rows);
    QCOMPARE(LoadExerciseRecords(gaps, QStringLiteral("0204"), QStringLiteral("R")), rows);
    QStringList translations;
    QCOMPARE(LoadExerciseItems(translations, QStringLiteral("0204"), QStringLiteral("T")), rows);
    for (int r = 0; r < rows; ++r) {
      const QString row = QString::number(r + 1);
      for (int i = 0; i < 11; ++i) {
        const bool word = !sentences[r][i].isEmpty();
        QVERIFY2(marks[r][i].isEmpty() || (word && marks[r][i] == QLatin1String("1")), qPrintable(row));
        bool ok = false;
        const int explanation = explanations[r][i].toInt(&ok);
        QVERIFY2(word == ok && (!ok || (explanation >= 0 && explanation <= 12)), qPrintable(row));
      }
      // The gaps: as many as the fragments between them, written as the learner's answer is compared.
      int gapCount = 0;
      while (gapCount < 5 && !gaps[r][gapCount].isEmpty()) ++gapCount;
      QVERIFY2(gapCount >= 1, qPrintable(row));
      for (int g = 0; g < gapCount; ++g) QCOMPARE(gaps[r][g], NormalizeAnswer(gaps[r][g].toLower()));
      for (int f = gapCount + 1; f < 6; ++f) QVERIFY2(fragments[r][f].isEmpty(), qPrintable(row));
      QVERIFY(!translations[r].isEmpty());
    }
  }

  // One sentence of each of the two drills that share the lesson's translations, answered as the data says.
  void theSentenceDrillsAcceptTheirAnswers() {
    LessonFolder data;
    auto window = OpenLesson<TForm2>(2);
    window->show();
    ExerciseRecords marks, gaps;
    LoadExerciseRecords(marks, QStringLiteral("0202"), QStringLiteral("R"));
    LoadExerciseRecords(gaps, QStringLiteral("0204"), QStringLiteral("R"));
    QStringList translations;
    LoadExerciseItems(translations, QStringLiteral("0204"), QStringLiteral("T"));

    window->Pagxaro()->setCurrentIndex(8);
    auto* accusative = Find<TFrame5>(window.get(), QStringLiteral("TFrame51"));
    QVERIFY(accusative);
    accusative->BitBtn1Click();
    const int row = accusative->CurrentRow();
    QVERIFY(row >= 0);
    QCOMPARE(Find<QLabel>(accusative, QStringLiteral("Traduko1"))->text(), translations[row]);
    for (int place = 0; place < TFrame5::Places; ++place) {
      if (marks[row][place] == QLatin1String("1")) accusative->VortKlako(place);
    }
    accusative->BitBtn2Click();
    QCOMPARE(accusative->Score().Hits(), 1);
    QCOMPARE(accusative->Score().Misses(), 0);
    accusative->BitBtn3Click();

    window->Pagxaro()->setCurrentIndex(9);
    auto* gapFilling = Find<TFrame4>(window.get(), QStringLiteral("TFrame41"));
    QVERIFY(gapFilling);
    gapFilling->BitBtn4Click();
    const int sentence = gapFilling->CurrentRow();
    QVERIFY(sentence >= 0);
    for (int gap = 0; gap < TFrame4::Gaps; ++gap) {
      // Typed as a learner may: in capitals, with a full stop.
      const QString answer =
          gaps[sentence][gap].isEmpty() ? QString() : gaps[sentence][gap].toUpper() + QLatin1Char('.');
      Find<QLineEdit>(gapFilling, QStringLiteral("Edit%1").arg(gap + 1))->setText(answer);
    }
    gapFilling->BitBtn6Click();
    QCOMPARE(gapFilling->Score().Hits(), 1);
    QCOMPARE(gapFilling->Score().Misses(), 0);
    gapFilling->BitBtn5Click();
  }

  void theSongsPicturesFollowTheBeat() {
    QCOMPARE(TForm2::BeatAt(1000), 12);
    QCOMPARE(TForm2::PictureOfBeat(12), 5);
    QCOMPARE(TForm2::PicturePath(5), QStringLiteral("figuroj\\suno.png"));
    // The edges of some runs of the table, and beyond its last beat.
    QCOMPARE(TForm2::PictureOfBeat(4), 0);
    QCOMPARE(TForm2::PictureOfBeat(5), 1);
    QCOMPARE(TForm2::PictureOfBeat(105), 12);
    QCOMPARE(TForm2::PictureOfBeat(106), 22);
    QCOMPARE(TForm2::PictureOfBeat(130), 1);
    QCOMPARE(TForm2::PictureOfBeat(147), 21);
    QCOMPARE(TForm2::PictureOfBeat(173), 22);
    QCOMPARE(TForm2::PictureOfBeat(200), 22);
    // Every picture of the table is part of the course.
    SetProgramFolder(QStringLiteral(PELANO_PROGRAM_DIR));
    for (int picture = 0; picture < TForm2::PictureCount; ++picture) {
      QVERIFY2(DataFileExists(TForm2::PicturePath(picture)), qPrintable(TForm2::PicturePath(picture)));
    }

    LessonFolder data;
    auto window = OpenLesson<TForm2>(2);
    window->show();
    window->Pagxaro()->setCurrentIndex(kMusicPage);
    ForwardTimecode(0, 0, 10, 0);  // no song plays: the pictures stay
    QCOMPARE(window->PictureShown(), 0);
    Find<QPushButton>(window.get(), QStringLiteral("Butono1"))->click();
    QVERIFY(window->SongPlaying());
    ForwardTimecode(0, 0, 10, 0);
    QCOMPARE(window->PictureShown(), 5);
    // Shown on the page's own picture, not on the pronunciation frame's picture of the same name.
    const QImage sun(DataPath(TForm2::PicturePath(5)));
    QVERIFY(!sun.isNull());
    QCOMPARE(OwnedComponent<QLabel>(window.get(), "Image7")
                 ->pixmap()
                 .toImage()
                 .convertToFormat(QImage::Format_ARGB32_Premultiplied),
             sun.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    ForwardTimecode(0, 1, 31, 40);  // 91.4 s: beat 107
    QCOMPARE(window->PictureShown(), 22);
  }

  void theStopPictureStartsEnabled() {
    LessonFolder data;
    auto window = OpenLesson<TForm2>(2);
    auto* play = Find<QPushButton>(window.get(), QStringLiteral("Butono1"));
    auto* stop = Find<QPushButton>(window.get(), QStringLiteral("Butono3"));
    QVERIFY(play->isEnabled());
    QVERIFY(stop->isEnabled());
    QVERIFY(!OwnedComponent<QLabel>(window.get(), "Image7")->pixmap().isNull());
    window->show();  // opens on the first page, which runs the stop once
    QVERIFY(play->isEnabled());
    QVERIFY(!stop->isEnabled());
    QCOMPARE(window->PictureShown(), 0);
  }

  void leavingTheMusicPageStopsTheSong() {
    LessonFolder data;
    auto window = OpenLesson<TForm2>(2);
    window->show();
    auto* play = Find<QPushButton>(window.get(), QStringLiteral("Butono1"));
    auto* stop = Find<QPushButton>(window.get(), QStringLiteral("Butono3"));
    window->Pagxaro()->setCurrentIndex(kMusicPage);
    play->click();
    QVERIFY(!play->isEnabled() && stop->isEnabled());
    ForwardTimecode(0, 0, 10, 0);
    QCOMPARE(window->PictureShown(), 5);
    window->Pagxaro()->setCurrentIndex(kMusicPage + 1);
    QVERIFY(play->isEnabled() && !stop->isEnabled());
    QCOMPARE(window->PictureShown(), 0);
    window->Pagxaro()->setCurrentIndex(0);
    QVERIFY(play->isEnabled() && !stop->isEnabled());
  }

  void closingStopsTheSong() {
    LessonFolder data;
    auto window = OpenLesson<TForm2>(2);
    window->show();
    window->Pagxaro()->setCurrentIndex(kMusicPage);
    Find<QPushButton>(window.get(), QStringLiteral("Butono1"))->click();
    QVERIFY(window->SongPlaying());
    window->close();
    QVERIFY(!window->SongPlaying());
    QVERIFY(!Find<QPushButton>(window.get(), QStringLiteral("Butono3"))->isEnabled());
    QCOMPARE(CurrentSettings().LastaPagxo, kMusicPage);
    // Once closed, the window follows no position reports.
    window.reset();
    ForwardTimecode(0, 0, 10, 0);
  }

  void theEndOfTheSongFreesThePlayPicture() {
    LessonFolder data;
    auto window = OpenLesson<TForm2>(2);
    window->show();
    window->Pagxaro()->setCurrentIndex(kMusicPage);
    Find<QPushButton>(window.get(), QStringLiteral("Butono1"))->click();
    ForwardTimecode(0, 2, 20, 0);
    RunEndOfStreamAction(window.get());
    QVERIFY(!window->SongPlaying());
    QVERIFY(!Find<QPushButton>(window.get(), QStringLiteral("Butono3"))->isEnabled());
    QCOMPARE(window->PictureShown(), 22);  // the last picture stays
    // Played again, the song starts on its first picture.
    Find<QPushButton>(window.get(), QStringLiteral("Butono1"))->click();
    QCOMPARE(window->PictureShown(), 0);
  }

  void withoutTheSongThePlayPictureSaysSo() {
    LessonFolder data(LessonFolder::NoSong);
    auto window = OpenLesson<TForm2>(2);
    window->show();
    window->Pagxaro()->setCurrentIndex(kMusicPage);
    QString shown;
    WhenModalShown([&](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    auto* play = Find<QPushButton>(window.get(), QStringLiteral("Butono1"));
    play->click();
    QCOMPARE(shown, Messages().smNeSono);
    QVERIFY(play->isEnabled());
  }

  void theSongsAddressOpensInTheBrowser() {
    LessonFolder data;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    auto window = OpenLesson<TForm2>(2);
    window->show();
    window->Pagxaro()->setCurrentIndex(kMusicPage);
    auto* link = Find<QLabel>(window.get(), QStringLiteral("StaticText16"));
    QVERIFY(link->inherits("StaticText"));
    QTest::mouseClick(link, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first().host(), link->text().section(QLatin1Char('/'), 0, 0));
  }

  // Through the main window, as the learner meets it: the built song is long enough for the main window to
  // pass its position on, so the pictures follow it; and the end of a recording frees the play picture.
  void theMainWindowPlaysTheSong() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", QByteArray("[\xD8"
                                          "enerala]\r\nLingvo=Portugu\xC3\xAAs\r\n"));
    folder.Write("ekzercoj/ekz02.dat", BuiltFile(QStringLiteral("ekzercoj/ekz02.dat")));
    for (int picture = 0; picture < TForm2::PictureCount; ++picture) {
      const QString path = TForm2::PicturePath(picture).replace(QLatin1Char('\\'), QLatin1Char('/'));
      folder.Write(path, BuiltFile(path));
    }
    const QString shortSong = MakeToneMp3(folder.Path(), QStringLiteral("short"), 1.0, 22050, 1);
    QVERIFY(!shortSong.isEmpty());
    TPelano::SetLessonWindowFactory(2, [](QWidget* owner) { return CreateLessonWindow(2, owner); });
    TPelano menu;
    menu.show();

    struct Seen {
      int duration = 0;
      int firstPicture = -1;
      bool playFreed = false;
      int pictureAtEnd = -1;
    } real, brief;
    // The lesson is driven from a fresh turn of its own event loop, since the watch that finds it ends
    // with its first call.
    const auto listen = [](Seen* seen, bool untilTheEnd) {
      WhenModalShown([seen, untilTheEnd](QWidget* modal) {
        QTimer::singleShot(0, modal, [seen, untilTheEnd, modal] {
          auto* lesson = qobject_cast<TForm2*>(modal);
          if (!lesson) {
            modal->close();
            return;
          }
          lesson->Pagxaro()->setCurrentIndex(kMusicPage);
          auto* play = lesson->findChild<QPushButton*>(QStringLiteral("Butono1"));
          play->click();
          seen->duration = Mp3() ? Mp3()->StreamDuration() : -1;
          if (untilTheEnd) {
            seen->playFreed = WaitUntil([&] { return play->isEnabled(); }, 5);
            seen->pictureAtEnd = lesson->PictureShown();
          } else {
            WaitUntil([&] { return lesson->PictureShown() != 0; }, 8);
            seen->firstPicture = lesson->PictureShown();
          }
          modal->close();
        });
      });
    };
    folder.Write("sonoj/lec02/jen_kanz.mp3", BuiltFile(QStringLiteral("sonoj/lec02/jen_kanz.mp3")));
    listen(&real, false);
    menu.findChild<QPushButton*>(QStringLiteral("Lec02"))->click();
    QVERIFY2(real.duration > 140 && real.duration < 150, qPrintable(QString::number(real.duration)));
    QCOMPARE(real.firstPicture, 1);  // beat 5, at 4.3 seconds

    folder.Write("sonoj/lec02/jen_kanz.mp3", ReadFileBytes(shortSong));
    listen(&brief, true);
    menu.findChild<QPushButton*>(QStringLiteral("Lec02"))->click();
    QCOMPARE(brief.duration, 1);
    QVERIFY(brief.playFreed);
    QCOMPARE(brief.pictureAtEnd, 0);  // too short for the main window to pass its position on
    TPelano::SetLessonWindowFactory(2, {});
  }

  void shots() {
    const QString folder = qEnvironmentVariable("PELANO_SHOTS");
    if (folder.isEmpty()) QSKIP("PELANO_SHOTS names no folder");
    LessonFolder data;
    SetProgramFolder(QStringLiteral(PELANO_PROGRAM_DIR));  // every picture of the course
    auto window = OpenLesson<TForm2>(2);
    window->show();
    // The drills are shown running, with an item of this lesson's data on the screen.
    const QMap<int, QPair<const char*, const char*>> drills{
        {7, {"TFrame11", "BitBtn18"}}, {8, {"TFrame51", "BitBtn1"}}, {9, {"TFrame41", "BitBtn4"}}};
    for (int i = 0; i < window->Pagxaro()->count(); ++i) {
      window->Pagxaro()->setCurrentIndex(i);
      if (drills.contains(i)) {
        QWidget* frame = Find<QWidget>(window.get(), QLatin1String(drills[i].first));
        if (auto* start = Find<QPushButton>(frame, QLatin1String(drills[i].second))) start->click();
      }
      QTest::qWait(50);
      window->grab().save(folder + QStringLiteral("/lesson2-page%1.png").arg(i + 1, 2, 10, QLatin1Char('0')));
    }
    window->Pagxaro()->setCurrentIndex(kMusicPage);
    window->Karaokeo(0, 10, 0);  // as the song shows it at ten seconds
    for (int picture = 0; picture < TForm2::PictureCount; ++picture) {
      QLabel image;
      image.setPixmap(QPixmap(DataPath(TForm2::PicturePath(picture))));
      image.grab().save(folder + QStringLiteral("/picture%1.png").arg(picture, 2, 10, QLatin1Char('0')));
    }
  }
};

QTEST_MAIN(TestLesson2)
#include "tst_lesson02.moc"
