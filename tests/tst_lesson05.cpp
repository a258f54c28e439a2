#include "coursesounds.h"
#include "exercisedata.h"
#include "gapfilling.h"
#include "inifile.h"
#include "lec05.h"
#include "lessonfixture.h"
#include "lessonwindows.h"
#include "letters.h"
#include "messages.h"
#include "navigationbar.h"
#include "ownedcomponents.h"
#include "resumerequest.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "uiloader.h"
#include "verdicts.h"
#include "wordgame.h"

#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

// A program folder with lesson 5's data and a sound folder for it.
struct LessonFolder : LessonFiles {
  LessonFolder() : LessonFiles({"ekz05.dat"}, {"sonoj/lec05/.keep"}) {}
};

// What the listening drill would accept as typed: lower case, single spaces, no full stops.
QString Normalised(const QString& text) { return NormalizeAnswer(FoldEsperantoCase(text, true)); }

}  // namespace

class TestLesson5 : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { StartLessonSuite(); }
  void init() { FreshLessonState(); }

  // A word is spoken from a file named after its caption, a phrase from one named after its button; two different
  // words must never fall on one file, and every phrase must be marked as one.
  void everySpeakingButtonHasItsOwnRecording() {
    LessonFolder data;
    auto window = OpenLesson<TForm5>(5);
    QMap<QString, QString> captionOfFile;
    for (QPushButton* button : SpeakingButtons(window.get())) {
      const QString caption = button->text();
      QVERIFY2(!caption.trimmed().isEmpty(), qPrintable(button->objectName()));
      QCOMPARE(ComponentTag(button), caption.trimmed().contains(QLatin1Char(' ')) ? 1 : 0);
      const QString file = WordRecordingFileName(button->objectName(), ComponentTag(button), caption).toLower();
      QVERIFY2(!captionOfFile.contains(file) || captionOfFile[file] == caption, qPrintable(file));
      captionOfFile.insert(file, caption);
    }
    QCOMPARE(LessonRecordingPath(window->SoundFolder(), QStringLiteral("kiu.mp3")),
             QStringLiteral("sonoj\\lec05\\kiu.mp3"));
  }

  // The word game, the listening and the pronunciation drills share one list of the window's buttons; the word
  // game's answers are the plain labels that give their meaning.
  void drillItemsNameTheWindowsButtonsAndLabels() {
    LessonFolder data;
    auto window = OpenLesson<TForm5>(5);
    QStringList words;
    QStringList answers;
    const int count = LoadExerciseItems(words, QStringLiteral("0501"), QStringLiteral("D"));
    QCOMPARE(LoadExerciseItems(answers, QStringLiteral("0501"), QStringLiteral("R")), count);
    QVERIFY(count >= 20 && count <= 48);
    const QList<QPushButton*> speaking = SpeakingButtons(window.get());
    QSet<QString> asked;
    QSet<QString> meanings;
    for (int i = 0; i < count; ++i) {
      const int number = ItemButtonNumber(words[i]);
      auto* button = qobject_cast<QPushButton*>(OwnedComponent(window.get(), QStringLiteral("Button") + words[i]));
      QVERIFY2(number > 0 && button && speaking.contains(button), qPrintable(words[i]));
      auto* label = qobject_cast<QLabel*>(OwnedComponent(window.get(), QStringLiteral("Label") + answers[i]));
      QVERIFY2(label && !qobject_cast<StaticText*>(label), qPrintable(answers[i]));
      QCOMPARE(label->textFormat(), Qt::PlainText);
      QVERIFY(!label->text().isEmpty());
      // The meaning stands on the same page as its word.
      QCOMPARE(label->parentWidget(), button->parentWidget());
      // Two items with one meaning would offer the right answer twice.
      QVERIFY2(!meanings.contains(label->text()), qPrintable(label->text()));
      meanings.insert(label->text());
      QVERIFY2(!asked.contains(Normalised(button->text())), qPrintable(button->text()));
      asked.insert(Normalised(button->text()));
    }
  }

  void wordGameAsksTheCorrelatives() {
    LessonFolder data;
    SoundsEnabled() = false;
    auto window = OpenLesson<TForm5>(5);
    window->show();
    window->Pagxaro()->setCurrentIndex(8);
    auto* game = window->findChild<TFrame1*>(QStringLiteral("TFrame11"));
    QVERIFY(game);
    game->findChild<QPushButton*>(QStringLiteral("BitBtn18"))->click();
    QCOMPARE(game->findChild<StaticText*>(QStringLiteral("Placar15"))->text(), QStringLiteral("41"));
    const QString word = game->findChild<StaticText*>(QStringLiteral("Vorto"))->text();
    const QString answer = game->findChild<QCheckBox*>(QStringLiteral("Grupo%1").arg(game->RightPosition()))->text();
    bool paired = false;
    for (QPushButton* button : SpeakingButtons(window.get())) {
      if (button->text() != word) continue;
      for (auto* label : button->parentWidget()->findChildren<QLabel*>()) paired |= label->text() == answer;
    }
    QVERIFY2(paired, qPrintable(word + QStringLiteral(" / ") + answer));
    game->findChild<QPushButton*>(QStringLiteral("BitBtn20"))->click();
  }

  void translationPageKeepsItsAnswers() {
    LessonFolder data;
    {
      auto window = OpenLesson<TForm5>(5);
      window->show();
      window->Pagxaro()->setCurrentIndex(12);
      QVERIFY(window->SubaParto()->koverto()->isVisible());
      for (int slot = 1; slot <= 10; ++slot) {
        auto* edit = window->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(50 + slot));
        QVERIFY(edit);
        QCOMPARE(ComponentTag(edit), slot);
        QCOMPARE(edit->parentWidget()->objectName(), QStringLiteral("EkzTraduko1"));
        bool prompted = false;
        for (auto* label : edit->parentWidget()->findChildren<QLabel*>()) {
          if (ComponentTag(label) == slot) {
            QVERIFY(label->text().startsWith(QString::number(slot) + QStringLiteral(". ")));
            prompted = true;
          }
        }
        QVERIFY(prompted);
      }
      window->findChild<QLineEdit*>(QStringLiteral("Edit51"))->setText(QStringLiteral("Kio estas tio?"));
      QVERIFY(window->SubaParto()->Savu()->isEnabled());
      window->SubaParto()->EliriClick();
      QCOMPARE(CurrentSettings().LastaLeciono, 5);
      QCOMPARE(CurrentSettings().LastaPagxo, 12);
    }
    QVERIFY(SettingsFile()->SectionExists("Form5"));
    auto window = OpenLesson<TForm5>(5);
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Edit51"))->text(), QStringLiteral("Kio estas tio?"));
    QVERIFY(!window->SubaParto()->Savu()->isEnabled());
  }
  // The gap-filling frame asks lesson 5's sentences, and the stored answer of a sentence is judged right.
  void gapFillingRunsOnTheLessonsSentences() {
    LessonFolder data;
    SoundsEnabled() = false;
    auto window = OpenLesson<TForm5>(5);
    window->show();
    window->Pagxaro()->setCurrentIndex(9);
    auto* gaps = window->findChild<TFrame4*>(QStringLiteral("TFrame41"));
    QVERIFY(gaps);
    gaps->BitBtn4Click();
    QCOMPARE(gaps->findChild<StaticText*>(QStringLiteral("Placar25"))->text(), QStringLiteral("20"));
    ExerciseRecords answers;
    LoadExerciseRecords(answers, QStringLiteral("0502"), QStringLiteral("R"));
    const int row = gaps->CurrentRow();
    QVERIFY(row >= 0);
    // Typed as a learner may type it: capital first letter and a full stop.
    QString typed = answers[row][0];
    typed[0] = typed[0].toUpper();
    gaps->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(typed + QLatin1Char('.'));
    if (qEnvironmentVariableIsSet("PELANO_SHOTS")) {
      window->grab().save(qEnvironmentVariable("PELANO_SHOTS") + QStringLiteral("/lesson5-gapfilling.png"));
    }
    gaps->BitBtn6Click();
    QCOMPARE(gaps->Score().Hits(), 1);
    QCOMPARE(gaps->Score().Misses(), 0);
    gaps->BitBtn5Click();
  }
};

QTEST_MAIN(TestLesson5)
#include "tst_lesson05.moc"
