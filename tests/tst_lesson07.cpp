#include "exercisedata.h"
#include "lec07.h"
#include "lessonfixture.h"
#include "lessonwindows.h"
#include "letters.h"
#include "messages.h"
#include "ownedcomponents.h"
#include "programpaths.h"
#include "resumerequest.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "verdicts.h"
#include "writtenanswers.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QtTest>

namespace {

struct LessonFolder : LessonFiles {
  LessonFolder() : LessonFiles({"ekz07.dat"}) {}
};

QAbstractButton* FrameButton(QWidget* window, const char* frame, const char* button) {
  QWidget* owner = OwnedComponent(window, QLatin1String(frame));
  return owner ? owner->findChild<QAbstractButton*>(QLatin1String(button)) : nullptr;
}

// A sentence as words, in lower case, without punctuation.
QStringList Words(const QString& sentence) {
  static const QRegularExpression punctuation(QStringLiteral("[.,;!?]"));
  return sentence.toLower().remove(punctuation).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace

class TestLesson8 : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { StartLessonSuite(); }
  void init() { FreshLessonState(); }

  void theMessageFollowsTheTagsNotTheWindowsOrder() {
    LessonFolder data;
    CurrentSettings().Adreso = QStringLiteral("monitoro@example.org");
    auto window = OpenLesson<TForm7>(8);
    window->show();
    window->Pagxaro()->setCurrentIndex(12);
    QStringList editOrder;
    for (QWidget* component : OwnedComponents(window.get())) {
      if (auto* edit = qobject_cast<QLineEdit*>(component)) {
        editOrder.append(edit->objectName());
        edit->setText(QStringLiteral("Respondo %1").arg(edit->property("tag").toInt()));
      }
    }
    QCOMPARE(editOrder, (QStringList{"Edit33", "Edit34", "Edit35", "Edit36", "Edit37", "Edit38", "Edit39", "Edit40"}));
    QCOMPARE(OwnedComponent(window.get(), "Edit35")->property("tag").toInt(), 4);
    QCOMPARE(OwnedComponent(window.get(), "Edit37")->property("tag").toInt(), 3);
    QCOMPARE(OwnedComponent(window.get(), "Edit39")->property("tag").toInt(), 8);
    QCOMPARE(OwnedComponent(window.get(), "Edit40")->property("tag").toInt(), 7);

    const QString body = BuildMonitorMessage(window->Pagxaro()).body;
    const QStringList blocks = body.split(QStringLiteral("\r\n\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(blocks.size(), 8);
    for (int tag = 1; tag <= 8; ++tag) {
      const QStringList lines = blocks[tag - 1].split(QStringLiteral("\r\n"));
      QCOMPARE(lines.size(), 2);
      QVERIFY2(lines[0].startsWith(QStringLiteral("%1. ").arg(tag)), qPrintable(lines[0]));
      QCOMPARE(lines[1], QStringLiteral("\tRespondo %1").arg(tag));
    }
    // Each answer field lies beside the sentence it answers.
    for (QWidget* component : OwnedComponents(window.get())) {
      auto* edit = qobject_cast<QLineEdit*>(component);
      if (!edit) continue;
      const int tag = edit->property("tag").toInt();
      for (QWidget* other : OwnedComponents(window.get())) {
        auto* label = qobject_cast<QLabel*>(other);
        if (label && label->property("tag").toInt() == tag) {
          QVERIFY(qAbs(label->geometry().center().y() - edit->geometry().center().y()) < 12);
        }
      }
    }
  }

  void aRunEndsWhenTheLearnerComesBackToItsPage() {
    LessonFolder data;
    SoundsEnabled() = false;
    auto window = OpenLesson<TForm7>(8);
    window->show();
    QTabWidget* pages = window->Pagxaro();
    QAbstractButton* comparisonStart = FrameButton(window.get(), "TFrame41", "BitBtn4");
    QAbstractButton* comparisonStop = FrameButton(window.get(), "TFrame41", "BitBtn5");
    QAbstractButton* affixStart = FrameButton(window.get(), "Frame42", "BitBtn4");
    QAbstractButton* affixStop = FrameButton(window.get(), "Frame42", "BitBtn5");
    QVERIFY(comparisonStart && comparisonStop && affixStart && affixStop);

    pages->setCurrentIndex(2);
    comparisonStart->click();
    QVERIFY(comparisonStop->isEnabled());
    auto* remaining = OwnedComponent(window.get(), "TFrame41")->findChild<QLabel*>(QStringLiteral("Placar25"));
    QVERIFY(remaining);
    const QString counted = remaining->text();
    QCOMPARE(counted.toInt(), 17);

    pages->setCurrentIndex(3);  // the run goes on on other pages
    QVERIFY(comparisonStop->isEnabled());
    pages->setCurrentIndex(9);  // also on the other drill's page
    QVERIFY(comparisonStop->isEnabled());
    affixStart->click();
    QVERIFY(affixStop->isEnabled());
    QCOMPARE(OwnedComponent(window.get(), "Frame42")->findChild<QLabel*>(QStringLiteral("Placar25"))->text().toInt(),
             18);

    pages->setCurrentIndex(2);  // back: the run ends, without verdict, its counters kept
    QVERIFY(!comparisonStop->isEnabled());
    QVERIFY(comparisonStart->isEnabled());
    QCOMPARE(remaining->text(), counted);
    QVERIFY(affixStop->isEnabled());  // the other run is left alone

    pages->setCurrentIndex(9);
    QVERIFY(!affixStop->isEnabled());
    QVERIFY(affixStart->isEnabled());
  }

  void theAccusativeDrillReadsItsSentencesAndTheAffixTranslations() {
    LessonFolder data;
    SoundsEnabled() = false;
    auto window = OpenLesson<TForm7>(8);
    window->show();
    window->Pagxaro()->setCurrentIndex(11);
    QAbstractButton* start = FrameButton(window.get(), "TFrame51", "BitBtn1");
    QVERIFY(start);
    start->click();
    QWidget* frame = OwnedComponent(window.get(), "TFrame51");
    QCOMPARE(frame->findChild<QLabel*>(QStringLiteral("Placar11"))->text().toInt(), 18);
    QStringList translations;
    LoadExerciseItems(translations, QStringLiteral("0702"), QStringLiteral("T"));
    QVERIFY(translations.contains(frame->findChild<QLabel*>(QStringLiteral("Traduko1"))->text()));
    FrameButton(window.get(), "TFrame51", "BitBtn3")->click();
  }

  void theAccusativeSentencesAreTheAffixSentences() {
    LessonFolder data;
    ExerciseRecords gapText, gapAnswers, words, marks, notes;
    const int count = LoadExerciseRecords(gapText, QStringLiteral("0702"), QStringLiteral("D"));
    QVERIFY(count >= 15);
    QCOMPARE(LoadExerciseRecords(gapAnswers, QStringLiteral("0702"), QStringLiteral("R")), count);
    QCOMPARE(LoadExerciseRecords(words, QStringLiteral("0705"), QStringLiteral("D")), count);
    QCOMPARE(LoadExerciseRecords(marks, QStringLiteral("0705"), QStringLiteral("R")), count);
    QCOMPARE(LoadExerciseRecords(notes, QStringLiteral("0705"), QStringLiteral("K")), count);
    QStringList translations;
    QCOMPARE(LoadExerciseItems(translations, QStringLiteral("0702"), QStringLiteral("T")), count);
    for (int i = 0; i < count; ++i) {
      // The gap sentence, its gap filled in.
      QString sentence = gapText[i][0];
      for (int gap = 0; gap < 5 && !gapAnswers[i][gap].isEmpty(); ++gap)
        sentence += gapAnswers[i][gap] + gapText[i][gap + 1];
      // The accusative sentence, each word that takes the ending with it.
      QStringList accusative;
      for (int field = 0; field < MaxRecordFields && !words[i][field].isEmpty(); ++field) {
        QVERIFY(marks[i][field].isEmpty() || marks[i][field] == QLatin1String("1"));
        bool isNumber = false;
        const int note = notes[i][field].toInt(&isNumber);
        QVERIFY2(isNumber && note >= 0 && note <= 12, qPrintable(notes[i][field]));
        accusative.append(words[i][field] + (marks[i][field].isEmpty() ? QString() : QStringLiteral("n")));
      }
      QCOMPARE(Words(accusative.join(QLatin1Char(' '))), Words(sentence));
    }
  }

  void drillItemsNameTheWindowsComponents() {
    LessonFolder data;
    auto window = OpenLesson<TForm7>(8);
    QStringList words, answers;
    const int count = LoadExerciseItems(words, QStringLiteral("0703"), QStringLiteral("D"));
    QVERIFY(count >= 20);
    QCOMPARE(LoadExerciseItems(answers, QStringLiteral("0703"), QStringLiteral("R")), count);
    QStringList shownWords, shownAnswers;
    for (QWidget* component : OwnedComponents(window.get())) {
      if (auto* word = qobject_cast<QPushButton*>(component)) shownWords.append(word->text());  // and it speaks
    }
    for (int i = 0; i < count; ++i) {
      QCOMPARE(words[i].toInt(), 0);  // a word shown as it is, not a button number
      QVERIFY2(shownWords.contains(words[i]), qPrintable(words[i]));
      auto* label = qobject_cast<QLabel*>(OwnedComponent(window.get(), QStringLiteral("Label") + answers[i]));
      QVERIFY2(label && !qobject_cast<StaticText*>(label), qPrintable(answers[i]));
      shownAnswers.append(label->text());
    }
    shownAnswers.removeDuplicates();
    QCOMPARE(shownAnswers.size(), count);
    ExerciseRecords fragments, gaps;
    const int rows = LoadExerciseRecords(fragments, QStringLiteral("0701"), QStringLiteral("D"));
    QVERIFY(rows >= 15);
    QCOMPARE(LoadExerciseRecords(gaps, QStringLiteral("0701"), QStringLiteral("R")), rows);
    for (int i = 0; i < rows; ++i) {
      int gapCount = 0;
      while (gapCount < 5 && !gaps[i][gapCount].isEmpty()) ++gapCount;
      QVERIFY(gapCount >= 1);
      for (int gap = 0; gap < gapCount; ++gap)
        QCOMPARE(gaps[i][gap], NormalizeAnswer(FoldEsperantoCase(gaps[i][gap], true)));
    }
  }
};

QTEST_MAIN(TestLesson8)
#include "tst_lesson07.moc"
