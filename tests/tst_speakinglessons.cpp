// Lessons 8 to 12 speak as lessons 1 to 7 do: every Esperanto text of their pages is a speaking button or is read
// aloud by a player of its page, every such text has its recording, and each window plays from its own folder.
#include "coursesounds.h"
#include "lessonfixture.h"
#include "lessonwindow.h"
#include "lessonwindows.h"
#include "messages.h"
#include "mp3player.h"
#include "ownedcomponents.h"
#include "programpaths.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "uiloader.h"
#include "writtenanswers.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// The windows of lessons 8 to 12 by their number in the main menu.
constexpr int kFirstLesson = 8;
constexpr int kLastLesson = 12;

// The lines of the songs the lessons play, as their scripts give them to the voice.
QStringList SongLines() {
  QStringList lines;
  for (const char* song : {"jen", "fragoj"}) {
    QFile script(QStringLiteral(PELANO_SOURCE_DIR "course/songs/") + QLatin1String(song) + QStringLiteral(".song"));
    if (!script.open(QIODevice::ReadOnly)) continue;
    static const QRegularExpression say(QStringLiteral("^say \\S+ \\S+ \\S+ (.*)$"));
    for (const QString& line : QString::fromUtf8(script.readAll()).split(QLatin1Char('\n'))) {
      if (const auto match = say.match(line.trimmed()); match.hasMatch()) lines.append(match.captured(1));
    }
  }
  return lines;
}

// Why a static text of these lessons may stay silent: it says nothing in Esperanto (counters, times), it is a
// link, or a player of the window reads it, whole or line by line.
bool ReadOtherwise(const StaticText* text, const QStringList& spoken) {
  const QString shown = text->text().trimmed();
  static const QRegularExpression letter(QStringLiteral("\\p{L}"));
  if (!shown.contains(letter)) return true;
  if (text->cursor().shape() == Qt::PointingHandCursor) return true;
  const QStringList lines = shown.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  for (const QString& line : lines) {
    bool found = false;
    for (const QString& text : spoken) found = found || text.contains(line.trimmed());
    if (!found) return false;
  }
  return !lines.isEmpty();
}

}  // namespace

class TestSpeakingLessons : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { StartLessonSuite(); }
  void init() { CurrentSettings() = Settings{}; }

  void everyEsperantoTextSpeaks() {
    TempProgramFolder folder;
    const QStringList songs = SongLines();
    QVERIFY(songs.size() > 40);
    const QCursor lesson7Cursor = [] {
      auto lesson7 = OpenLesson<TLessonWindow>(7);
      return SpeakingButtons(lesson7.get()).value(0)->cursor();
    }();
    int speaking = 0;
    for (int lesson = kFirstLesson; lesson <= kLastLesson; ++lesson) {
      auto window = OpenLesson<TLessonWindow>(lesson);
      QVERIFY(window);
      QStringList spoken = songs;
      for (const LessonRecording& recording : window->Recordings()) spoken.append(recording.text);
      for (QWidget* component : OwnedComponents(window.get())) {
        if (const auto* text = qobject_cast<StaticText*>(component)) {
          QVERIFY2(
              ReadOtherwise(text, spoken),
              qPrintable(QStringLiteral("lesson %1: %2 \"%3\"").arg(lesson).arg(text->objectName(), text->text())));
        }
      }
      // Every page that teaches, and every reading with its vocabulary, has words to hear.
      QTabWidget* pages = window->Pagxaro();
      for (int i = 0; i < pages->count(); ++i) {
        QWidget* page = pages->widget(i);
        if (const int icon = page->property("icon").toInt(); icon != 5 && icon != 7) continue;
        bool speaks = false;
        for (QPushButton* button : SpeakingButtons(window.get())) speaks = speaks || page->isAncestorOf(button);
        QVERIFY2(speaks, qPrintable(page->objectName()));
      }
      const QList<QPushButton*> buttons = SpeakingButtons(window.get());
      speaking += buttons.size();
      // Speaking buttons look and behave as those of lessons 1 to 7.
      for (QPushButton* button : buttons) {
        QVERIFY2(!button->text().isEmpty(), qPrintable(button->objectName()));
        QCOMPARE(button->cursor().shape(), lesson7Cursor.shape());
        QCOMPARE(button->cursor().pixmap().cacheKey(), lesson7Cursor.pixmap().cacheKey());
        QVERIFY(button->objectName().mid(6).toInt() < 1000);  // the file name keeps three digits of it
      }
    }
    QVERIFY2(speaking >= 600, qPrintable(QString::number(speaking)));
  }

  void everySpeakingTextHasItsRecording() {
    SetProgramFolder(QStringLiteral(PELANO_PROGRAM_DIR));
    QSet<QString> folders;
    for (int lesson = kFirstLesson; lesson <= kLastLesson; ++lesson) {
      auto window = OpenLesson<TLessonWindow>(lesson);
      QVERIFY(window);
      const QString folder = window->SoundFolder();
      QVERIFY2(!folders.contains(folder), qPrintable(folder));
      folders.insert(folder);
      QHash<QString, QString> said;
      for (const LessonRecording& recording : window->Recordings()) said.insert(recording.relativePath, recording.text);
      for (QPushButton* button : SpeakingButtons(window.get())) {
        const QString path = LessonRecordingPath(
            folder, WordRecordingFileName(button->objectName(), ComponentTag(button), button->text()));
        QVERIFY2(said.contains(path), qPrintable(path));
        // The voice reads what the page shows, without the marks meant for the eye.
        QCOMPARE(said.value(path), SpokenText(button->text()));
        const QFileInfo file(DataPath(path));
        QVERIFY2(file.isFile() && file.size() > 1000, qPrintable(path + QStringLiteral(" ") + button->text()));
      }
    }
  }

  void noWindowPlaysFromTheFolderOfTheOneBefore() {
    TempProgramFolder folder;
    {
      auto lesson7 = OpenLesson<TLessonWindow>(7);
      QVERIFY(lesson7);
      QCOMPARE(lesson7->SoundFolder(), QStringLiteral("06"));
    }
    auto lesson8 = OpenLesson<TLessonWindow>(8);
    QVERIFY(lesson8);
    lesson8->show();
    QPushButton* word = nullptr;
    for (QPushButton* button : SpeakingButtons(lesson8.get())) {
      if (button->isVisible()) word = button;
    }
    QVERIFY(word);
    const QString file = WordRecordingFileName(word->objectName(), ComponentTag(word), word->text());
    // The recording lies only in lesson 7's folder: lesson 8 has none of its own to play.
    folder.Write(QStringLiteral("sonoj/lec06/") + file, "sound of lesson 7");
    QString shown;
    WhenModalShown([&](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    word->click();
    QCOMPARE(shown, Messages().smNeSono);

    // With its own recording the word plays, and no box shows.
    folder.Write(QStringLiteral("sonoj/lec07/") + file, "sound of lesson 8");
    Mp3Player player;
    SetMp3(&player);
    bool boxShown = false;
    QPointer<QTimer> watch = WhenModalShown([&](QWidget* modal) {
      boxShown = true;
      modal->close();
    });
    word->click();
    QTest::qWait(50);
    QVERIFY(!boxShown);
    delete watch;
    SetMp3(nullptr);
  }

  void spokenTexts_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("word") << QStringLiteral("ĉiujara") << QStringLiteral("ĉiujara");
    QTest::newRow("letter") << QStringLiteral("Ĝ") << QStringLiteral("ĝo");
    QTest::newRow("numbered exercise line")
        << QStringLiteral("1. Ĉu vi parolas Esperanton?") << QStringLiteral("Ĉu vi parolas Esperanton?");
    QTest::newRow("derivation") << QStringLiteral("ruĝa → ruĝiĝi") << QStringLiteral("ruĝa, ruĝiĝi");
    QTest::newRow("prefix") << QStringLiteral("mal-") << QStringLiteral("mal");
    QTest::newRow("suffix") << QStringLiteral("-in-") << QStringLiteral("in");
    QTest::newRow("compound number keeps its hyphen")
        << QStringLiteral("Estas la dek-kvina kaj dudek.") << QStringLiteral("Estas la dek-kvina kaj dudek.");
    QTest::newRow("hush") << QStringLiteral("Ŝ! La bebo dormas.") << QStringLiteral("[[S:::]]! La bebo dormas.");
    QTest::newRow("the letter ŝ in a word") << QStringLiteral("ŝi!") << QStringLiteral("ŝi!");
    QTest::newRow("paired words") << QStringLiteral("ju pli ... des pli") << QStringLiteral("ju pli ... des pli");
    QTest::newRow("a year stays") << QStringLiteral("La domo estis konstruita en 1990.")
                                  << QStringLiteral("La domo estis konstruita en 1990.");
  }
  void spokenTexts() {
    QFETCH(QString, caption);
    QFETCH(QString, spoken);
    QCOMPARE(SpokenText(caption), spoken);
  }

  void speakingPromptsReachTheMonitor() {
    TempProgramFolder folder;
    OpenSettingsFile();
    CurrentSettings().Sistemo = 1;
    auto window = OpenLesson<TLessonWindow>(11);
    QVERIFY(window);
    window->show();
    QTabWidget* pages = window->Pagxaro();
    pages->setCurrentWidget(pages->findChild<QWidget*>(QStringLiteral("EkzDemandoj")));
    const QString body = BuildMonitorMessage(pages).body;
    // The questions speak, and still head their answers, in the learner's letter system.
    const qsizetype question = body.indexOf(QStringLiteral("1. Cxu vi parolas Esperanton?"));
    const qsizetype heading = body.indexOf(QStringLiteral("Dê duas outras formas de fazer as perguntas:"));
    const qsizetype next = body.indexOf(QStringLiteral("2. Kie logxas via frato?"));
    QVERIFY2(heading >= 0 && question > heading && next > question, qPrintable(body));
    // No phrase of a glossary takes the slot of the reading it explains.
    auto lesson10 = OpenLesson<TLessonWindow>(10);
    QVERIFY(lesson10);
    QTabWidget* lesson10Pages = lesson10->Pagxaro();
    for (int i = 0; i < lesson10Pages->count(); ++i) {
      QWidget* page = lesson10Pages->widget(i);
      if (ComponentTag(page) != 128) continue;
      for (QPushButton* button : SpeakingButtons(lesson10.get())) {
        if (page->isAncestorOf(button)) QCOMPARE(ComponentTag(button), 0);
      }
    }
    CloseSettingsFile();
  }
};

QTEST_MAIN(TestSpeakingLessons)
#include "tst_speakinglessons.moc"
