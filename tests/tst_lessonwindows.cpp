#include "exercisedata.h"
#include "lessoncatalogue.h"
#include "lessonfixture.h"
#include "lessonwindow.h"
#include "lessonwindows.h"
#include "letters.h"
#include "messages.h"
#include "navigationbar.h"
#include "ownedcomponents.h"
#include "resumerequest.h"
#include "statictext.h"
#include "uiloader.h"
#include "verdicts.h"
#include "writtenanswers.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLayout>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

// The exercise data files a window's drills read: "ekz" + the first two
// characters of each code.
QStringList DataFilesOf(const LessonEntry& entry) {
  const DrillCodes& codes = entry.drills;
  QList<const char*> all{codes.wordGame,   codes.pronunciation,   codes.listening,
                         codes.accusative, codes.accusativeTexts, codes.own};
  for (const GapDrill& gaps : codes.gaps) all.append(gaps.code);
  QSet<QString> files;
  for (const char* code : all) {
    if (*code) files.insert(QStringLiteral("ekz%1.dat").arg(QLatin1String(code).left(2)));
  }
  return files.values();
}

struct WindowFiles : LessonFiles {
  explicit WindowFiles(const LessonEntry& entry) : LessonFiles(DataFilesOf(entry)) {}
};

// The window's answer fields: plain edits and editable memos with a Tag above 0.
QList<QWidget*> AnswerFields(TLessonWindow* window, const QWidget* page = nullptr) {
  QList<QWidget*> fields;
  for (QWidget* component : OwnedComponents(window)) {
    if (ComponentTag(component) <= 0 || (page && !page->isAncestorOf(component))) continue;
    const auto* memo = qobject_cast<QPlainTextEdit*>(component);
    if (qobject_cast<QLineEdit*>(component) || (memo && !memo->isReadOnly())) fields.append(component);
  }
  return fields;
}

void SetAnswer(QWidget* field, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->setText(text);
  if (auto* memo = qobject_cast<QPlainTextEdit*>(field)) memo->setPlainText(text);
}

QString AnswerOf(const QWidget* field) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(field)) return edit->text();
  if (const auto* memo = qobject_cast<const QPlainTextEdit*>(field)) return memo->toPlainText();
  return QString();
}

int PageOf(const TLessonWindow* window, const QWidget* component) {
  for (int i = 0; i < window->Pagxaro()->count(); ++i) {
    if (window->Pagxaro()->widget(i)->isAncestorOf(component)) return i;
  }
  return -1;
}

// Each page's components in order, by name and text.
QList<QStringList> PageMakeup(TLessonWindow* window) {
  QList<QStringList> pages(window->Pagxaro()->count());
  for (QWidget* component : OwnedComponents(window)) {
    const int page = PageOf(window, component);
    if (page >= 0)
      pages[page].append(component->objectName() + QLatin1Char(' ') + component->property("text").toString());
  }
  return pages;
}

// What a window is made of: its name and title; its pages in order as
// "name icon Tag"; how many of its own buttons speak on its text pages (all
// pages when none are named; -1: not counted); its frames as "name class
// page", each a child of its page.
struct ExpectedWindow {
  const char* name;
  const char* title;
  const char* pages;
  int speaking;
  QList<int> speakingPages;
  const char* frames;
};

const ExpectedWindow& ExpectedWindowOf(int lesson) {
  static const QMap<int, ExpectedWindow> windows{
      {1,
       {"Form1",
        "Leciono 01",
        "Alfabeto 5 0, EkzAudKompreno1 4 0, Pronomoj 5 0, Verboj 5 0, Vortaro 5 0, Pluralo 5 0, PosedajPronomoj 5 0, "
        "Artikolo 5 0, PP_Pagxo 6 0, EkzAudKompreno2 0 2, EkzVortoLudo 4 0, Traduko 8 128",
        179,
        {0, 2, 3, 4, 5, 6, 7},
        "TFrame21 TFrame2 PP_Pagxo, TFrame31 TFrame3 EkzAudKompreno2, TFrame11 TFrame1 EkzVortoLudo"}},
      {2,
       {"Form2",
        "Leciono 02",
        "SufiksoIno 5 0, Akuzativo 5 0, PrefiksoMal 5 0, Muziko 2 0, Vortaro 5 0, PP_Pagxo 6 0, AudKompreno 0 2, "
        "EkzVortoLudo 4 0, EkzAkuzativo 1 0, EkzFinajho 3 2, Traduko 8 128",
        55,
        {0, 1, 2, 4},
        "TFrame21 TFrame2 PP_Pagxo, TFrame31 TFrame3 AudKompreno, TFrame11 TFrame1 EkzVortoLudo, "
        "TFrame51 TFrame5 EkzAkuzativo, TFrame41 TFrame4 EkzFinajho"}},
      {3,
       {"Form3",
        "Leciono 03",
        "Adverboj 5 0, Numeraloj 5 0, EkzNumeraloj 3 0, Adjektivoj 5 0, Vortaro 5 0, PP_Pagxo 6 0, "
        "EkzAudKompreno 0 2, EkzVortoLudo 4 0, Traduko 8 128",
        91,
        {},
        "TFrame21 TFrame2 PP_Pagxo, TFrame31 TFrame3 EkzAudKompreno, TFrame11 TFrame1 EkzVortoLudo"}},
      {4,
       {"Form4",
        "Leciono 04",
        "SalutVortoj 5 0, SalutVortoj2 5 0, Datoj 5 0, DemandajFrazoj 5 0, EkzChu 4 0, Vortaro2 5 0, "
        "TekstoKompreno 7 0, PP_Pagxo 6 0, EkzAudKompreno 0 2, EkzVortoLudo 4 0, Traduko1 8 128, Traduko2 8 128",
        67,
        {},
        "TFrame21 TFrame2 PP_Pagxo, TFrame31 TFrame3 EkzAudKompreno, TFrame11 TFrame1 EkzVortoLudo"}},
      {5,
       {"Form5",
        "Leciono 05",
        "Korelativo1 5 0, Korelativo2 5 0, Korelativo3 5 0, Korelativo4 5 0, Korelativo5 5 0, Korelativo6 5 0, "
        "Chi 5 0, Vortaro 5 0, EkzVortoLudo 4 0, EkzKorelativoj 3 2, PP_Pagxo 6 0, EkzAudKompreno 0 2, "
        "EkzTraduko1 8 128",
        63,
        {0, 1, 2, 3, 4, 5, 6, 7},
        "TFrame11 TFrame1 EkzVortoLudo, TFrame41 TFrame4 EkzKorelativoj, TFrame21 TFrame2 PP_Pagxo, "
        "TFrame31 TFrame3 EkzAudKompreno"}},
      {6,
       {"Form5A",
        "Leciono 06",
        "Korelativo1 5 0, Korelativo2 5 0, Korelativo3 5 0, Korelativo4 5 0, Korelativo5 5 0, Korelativo6 5 0, "
        "Korelativo7 5 0, Relativoj 5 0, EkzVortoLudo 4 0, EkzKorelativoj 3 2, PP_Pagxo 6 0, EkzAudKompreno 0 2, "
        "EkzAkuzativo 1 0, EkzTraduko2 8 128",
        57,
        {},
        "TFrame11 TFrame1 EkzVortoLudo, TFrame41 TFrame4 EkzKorelativoj, TFrame21 TFrame2 PP_Pagxo, "
        "TFrame31 TFrame3 EkzAudKompreno, TFrame51 TFrame5 EkzAkuzativo"}},
      {7,
       {"Form6",
        "Leciono 07",
        "Prepozicioj1 5 0, Prepozicioj2 5 0, TekstoKompreno1 7 0, EkzTekstoKompr1 8 128, Prepozicioj3 5 0, "
        "Prepozicioj4 5 0, TekstoKompreno2 7 0, EkzTekstoKompr2 8 128, Prepozicioj5 5 0, Prepozicioj6 5 0, "
        "EkzVortoLudo 4 0, EkzPrepozicioj 3 2, PP_Pagxo 6 0, EkzAudKompreno 0 2, EkzTraduko 8 128",
        79,
        {},
        "TFrame11 TFrame1 EkzVortoLudo, TFrame41 TFrame4 EkzPrepozicioj, TFrame21 TFrame2 PP_Pagxo, "
        "TFrame31 TFrame3 EkzAudKompreno"}},
      {8,
       {"Form7",
        "Leciono 08",
        "Komparado 5 0, Superlativo 5 0, EkzKomparado 3 2, Prefiksoj1 5 0, Prefiksoj2 5 0, Prefiksoj3 5 0, "
        "Sufiksoj1 5 0, Sufiksoj2 5 0, Sufiksoj3 5 0, EkzAfiksoj 3 2, EkzVortoLudo 4 0, EkzAkuzativo 1 0, "
        "EkzTraduko 8 128",
        -1,
        {},
        "TFrame41 TFrame4 EkzKomparado, Frame42 TFrame4 EkzAfiksoj, TFrame11 TFrame1 EkzVortoLudo, "
        "TFrame51 TFrame5 EkzAkuzativo"}},
      {9,
       {"Form8",
        "Leciono 09",
        "Sufiksoj1 5 0, Sufiksoj2 5 0, Sufiksoj3 5 0, Sufiksoj4 5 0, Sufiksoj5 5 0, EkzVortoLudo 4 0, "
        "EkzFinajhoj 3 2, EkzTraduko1 8 128, Vortordo1 5 0, Vortordo2 5 0, Vortordo3 7 0, EkzVortordo 8 128",
        -1,
        {},
        "TFrame11 TFrame1 EkzVortoLudo, TFrame41 TFrame4 EkzFinajhoj"}},
      {10,
       {"Form9",
        "Leciono 10",
        "AliajVerbTempoj 5 0, AliajVerbTempoj1 5 0, GravajVerboj 5 0, EkzVerbajFinajhoj 3 2, Participoj 5 0, "
        "Participoj1 5 0, Participoj2 5 0, EkzTraduko1 8 128, PronomoSi 5 0, EkzPronomoj 3 2, EkzAkuzativo 1 0, "
        "EkzTraduko2 8 128, EkzTraduko3 8 128",
        -1,
        {},
        "TFrame41 TFrame4 EkzVerbajFinajhoj, Frame42 TFrame4 EkzPronomoj, TFrame51 TFrame5 EkzAkuzativo"}},
      {11,
       {"Form10",
        "Leciono 11",
        "PrimitivajAdverboj 5 0, PrimitivajAdverboj1 5 0, PrimitivajAdverboj2 5 0, PrimitivajAdverboj3 5 0, "
        "EkzVortoLudo 4 0, Horoj 5 0, EkzHoroj 3 0, ParajEsprimoj 5 0, AliajDemandFormoj 5 0, Interjekcioj 5 0, "
        "EkzDemandoj 8 128",
        -1,
        {},
        "TFrame11 TFrame1 EkzVortoLudo"}},
      {12,
       {"Form11",
        "Leciono 12",
        "Transitiveco 5 0, Transitiveco1 5 0, Transitiveco2 5 0, EkzAkuzativo 1 0, Vortfarado 5 0, Vortfarado1 5 0, "
        "Vortfarado2 5 0, Muziko 2 0, Muziko1 5 0, EkzTraduko 8 128",
        -1,
        {},
        "TFrame51 TFrame5 EkzAkuzativo"}},
      {13,
       {"Form12",
        "Fina Ekzameno",
        "Ekzameno1 3 2, Ekzameno2 3 2, Ekzameno3 3 2, Ekzameno4 3 2, Ekzameno5 8 128",
        0,
        {},
        ""}},
  };
  return *windows.constFind(lesson);
}

// The width a gap sentence takes in its frame: its fragments, and each gap
// as wide as its answer plus room for the caret, in the frame's own fonts.
int SentenceWidth(const QWidget* gapFrame, const ExerciseRecord& fragments, const ExerciseRecord& answers) {
  const QFontMetrics fragmentFont(gapFrame->findChild<StaticText*>(QStringLiteral("Vorto1"))->font());
  const QFontMetrics answerFont(gapFrame->findChild<StaticText*>(QStringLiteral("Medida1"))->font());
  int width = 0;
  for (int f = 0; f <= 5; ++f) width += fragmentFont.horizontalAdvance(fragments[f]);
  for (int g = 0; g < 5; ++g) {
    if (!answers[g].isEmpty()) width += answerFont.horizontalAdvance(answers[g]) + 12;
  }
  return width;
}

// The window's pages as "name icon Tag", in order.
QString PagesOf(const QTabWidget* pages) {
  QStringList described;
  for (int i = 0; i < pages->count(); ++i) {
    const QWidget* page = pages->widget(i);
    described.append(QStringLiteral("%1 %2 %3")
                         .arg(page->objectName())
                         .arg(page->property("icon").toInt())
                         .arg(page->property("tag").toInt()));
  }
  return described.join(QStringLiteral(", "));
}

// The frames named in `expected` as "name class page": their class and the
// page they are a child of.
QString FramesOf(QWidget* window, const QString& expected) {
  QStringList described;
  for (const QString& frame : expected.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
    const QString name = frame.section(QLatin1Char(' '), 0, 0);
    const QWidget* component = OwnedComponent(window, name);
    described.append(component ? QStringLiteral("%1 %2 %3")
                                     .arg(name, QLatin1String(component->metaObject()->className()),
                                          component->parentWidget()->objectName())
                               : name + QStringLiteral(" missing"));
  }
  return described.join(QStringLiteral(", "));
}

}  // namespace

// What every lesson window shares, one row per window of the catalogue.
class TestLessonWindows : public QObject {
  Q_OBJECT

  const LessonEntry* entry_ = nullptr;

  // Opened as the main menu opens it: the rest of the pages are built once
  // the first has painted.
  std::unique_ptr<TLessonWindow> OpenFirstPageFirst() {
    std::unique_ptr<QDialog> dialog = CreateLessonWindow(entry_->lessonValue, nullptr, PageBuilding::FirstPageFirst);
    auto* window = qobject_cast<TLessonWindow*>(dialog.get());
    if (window) dialog.release();
    return std::unique_ptr<TLessonWindow>(window);
  }
  std::unique_ptr<TLessonWindow> Open() {
    auto window = OpenFirstPageFirst();
    if (!window) return window;
    window->show();
    if (!QTest::qWaitFor([&] { return window->PagesComplete(); })) return nullptr;
    return window;
  }

 private Q_SLOTS:
  void initTestCase() {
    RegisterLessonWidgets();
    SetBuiltInMessages();
    SoundsEnabled() = false;
  }
  void init() {
    CurrentSettings() = Settings{};
    ResumeRequested() = false;
    QFETCH_GLOBAL(int, lesson);
    entry_ = LessonOfValue(lesson);
  }
  void initTestCase_data() {
    QTest::addColumn<int>("lesson");
    for (const LessonEntry& entry : LessonCatalogue()) QTest::newRow(entry.menuButton) << entry.lessonValue;
  }

  // Its name, title and size, its pages in order with their tab captions,
  // icons and Tags, its speaking buttons, its frames and the exit's hint.
  void theWindowAsBuilt() {
    WindowFiles files(*entry_);
    auto window = Open();
    QVERIFY(window);
    const ExpectedWindow& expected = ExpectedWindowOf(entry_->lessonValue);
    QCOMPARE(window->objectName(), QLatin1String(expected.name));
    QCOMPARE(window->windowTitle(), QLatin1String(expected.title));
    QCOMPARE(window->size(), QSize(632, 442));
    QTabWidget* pages = window->Pagxaro();
    QCOMPARE(PagesOf(pages), QLatin1String(expected.pages));
    for (int i = 0; i < pages->count(); ++i) QCOMPARE(pages->tabText(i), QString::number(i + 1));
    int speaking = 0;
    for (QPushButton* button : SpeakingButtons(window.get())) {
      if (!expected.speakingPages.isEmpty() && !expected.speakingPages.contains(PageOf(window.get(), button))) continue;
      QVERIFY2(!button->text().isEmpty(), qPrintable(button->objectName()));
      ++speaking;
    }
    if (expected.speaking >= 0) QCOMPARE(speaking, expected.speaking);
    QCOMPARE(FramesOf(window.get(), QLatin1String(expected.frames)), QLatin1String(expected.frames));
    QCOMPARE(window->SubaParto()->Eliri()->toolTip(), Messages().smPordo);
  }

  // Every sentence of every gap drill fits its frame, has its translation
  // and one fragment more than it has gaps (at least one), and every answer
  // is stored as the comparison sees a typed one.
  void gapSentencesAreWhole() {
    WindowFiles files(*entry_);
    auto window = Open();
    QVERIFY(window);
    for (const GapDrill& drill : entry_->drills.gaps) {
      if (!*drill.code) continue;
      const QString code = QLatin1String(drill.code);
      const QWidget* frame = OwnedComponent(window.get(), QLatin1String(drill.frame));
      QVERIFY2(frame, drill.frame);
      const int available = frame->findChild<QWidget*>(QStringLiteral("Tajpujo"))->width();
      ExerciseRecords sentences;
      ExerciseRecords gaps;
      QStringList translations;
      const int count = LoadExerciseRecords(sentences, code, QStringLiteral("D"));
      QVERIFY2(count >= 15, drill.code);
      QCOMPARE(LoadExerciseRecords(gaps, code, QStringLiteral("R")), count);
      QCOMPARE(LoadExerciseItems(translations, code, QStringLiteral("T")), count);
      for (int i = 0; i < count; ++i) {
        const QString sentence = code + QLatin1Char(' ') + sentences[i][0] + QStringLiteral("…");
        QVERIFY2(!translations[i].isEmpty(), qPrintable(sentence));
        QVERIFY2(SentenceWidth(frame, sentences[i], gaps[i]) <= available, qPrintable(sentence));
        int gapCount = 0;
        while (gapCount < 5 && !gaps[i][gapCount].isEmpty()) ++gapCount;
        QVERIFY2(gapCount >= 1, qPrintable(sentence));
        for (int g = gapCount; g < MaxRecordFields; ++g) QVERIFY2(gaps[i][g].isEmpty(), qPrintable(sentence));
        for (int g = 0; g < gapCount; ++g) {
          QCOMPARE(gaps[i][g], NormalizeAnswer(FoldEsperantoCase(gaps[i][g], true)));
        }
        for (int f = gapCount + 1; f < MaxRecordFields; ++f) QVERIFY2(sentences[i][f].isEmpty(), qPrintable(sentence));
      }
    }
  }

  // Every page's content fits the fixed window: nothing is cut off.
  void everyPageFitsTheWindow() {
    WindowFiles files(*entry_);
    auto window = Open();
    QVERIFY(window);
    QTabWidget* pages = window->Pagxaro();
    QVERIFY(pages->count() > 0);
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      QWidget* page = pages->widget(i);
      QApplication::processEvents();
      const QLayout* layout = page->layout();
      if (!layout) continue;
      // Wrapped texts grow downwards as the page narrows them.
      const int height =
          layout->hasHeightForWidth() ? layout->minimumHeightForWidth(page->width()) : layout->minimumSize().height();
      QVERIFY2(height <= page->height() && layout->minimumSize().width() <= page->width(),
               qPrintable(QStringLiteral("%1 needs %2 x %3")
                              .arg(page->objectName())
                              .arg(layout->minimumSize().width())
                              .arg(height)));
    }
  }

  // A speaking button is heard from its own window's folder and no other.
  void speakingButtonsSpeakFromTheirWindowsFolder() {
    WindowFiles files(*entry_);
    auto window = Open();
    const QString folder = QStringLiteral("sonoj\\lec%1\\").arg(window->SoundFolder());
    for (const LessonRecording& recording : window->Recordings()) {
      QVERIFY2(!window->SoundFolder().isEmpty() && recording.relativePath.startsWith(folder),
               qPrintable(recording.relativePath));
    }
  }

  // "Where did I stop?" opens the remembered page; leaving remembers it.
  void resumeAndLeave() {
    WindowFiles files(*entry_);
    CurrentSettings().LastaPagxo = 1;
    ResumeRequested() = true;
    auto window = Open();
    QCOMPARE(window->Pagxaro()->currentIndex(), 1);
    window->Pagxaro()->setCurrentIndex(window->Pagxaro()->count() - 1);
    window->close();
    QVERIFY(window->Closing());
    QCOMPARE(CurrentSettings().LastaLeciono, entry_->lessonValue);
    QCOMPARE(CurrentSettings().LastaPagxo, window->Pagxaro()->count() - 1);
  }

  // Escape neither closes the window nor ends what runs in it.
  void escapeDoesNotClose() {
    WindowFiles files(*entry_);
    auto window = Open();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QApplication::processEvents();
    QVERIFY(window->isVisible());
    QVERIFY(!window->Closing());
  }

  // Typed answers are kept when the window closes, come back with it and
  // reach the Monitor from their page.
  void answersAreKeptAndSent() {
    const QString answer = QStringLiteral("Mi lernas Esperanton ĉiutage.");
    WindowFiles files(*entry_);
    QString fieldName;
    {
      auto window = Open();
      const QList<QWidget*> fields = AnswerFields(window.get());
      if (fields.isEmpty()) {
        // Nothing to write: nothing to save either.
        QVERIFY(!window->SubaParto()->Savu()->isEnabled());
        return;
      }
      QWidget* field = fields.last();
      fieldName = field->objectName();
      window->Pagxaro()->setCurrentIndex(PageOf(window.get(), field));
      SetAnswer(field, answer);
      QVERIFY(window->SubaParto()->Savu()->isEnabled());
      CurrentSettings().Sistemo = 0;
      QVERIFY2(BuildMonitorMessage(window->Pagxaro()).body.contains(answer), qPrintable(fieldName));
      window->close();
    }
    auto window = Open();
    QCOMPARE(AnswerOf(OwnedComponent(window.get(), fieldName)), answer);
    QVERIFY(!window->SubaParto()->Savu()->isEnabled());
  }

  // The page the window opens on is built at once and the others once it
  // has painted; built so, the window is the same as one built whole, and
  // an answer on a page not built yet is neither lost nor saved over.
  void opensOnItsPageFirstAndBuildsTheRestAfter() {
    WindowFiles files(*entry_);
    QList<QStringList> whole;
    QString lateField;
    int last = 0;
    {
      auto window = OpenLesson<TLessonWindow>(entry_->lessonValue);
      last = window->Pagxaro()->count() - 1;

      const QList<QWidget*> fields = AnswerFields(window.get());
      if (!fields.isEmpty() && PageOf(window.get(), fields.last()) != window->Pagxaro()->count() - 1) {
        lateField = fields.last()->objectName();
        SetAnswer(fields.last(), QStringLiteral("Ĝi restas."));
        QVERIFY(SaveWrittenAnswers(window->Pagxaro()));
      }
      whole = PageMakeup(window.get());
    }
    CurrentSettings().LastaPagxo = last;
    ResumeRequested() = true;
    auto window = OpenFirstPageFirst();
    QVERIFY(window);
    QCOMPARE(window->Pagxaro()->currentIndex(), last);
    QVERIFY(window->PageBuilt(last));
    for (int i = 0; i < last; ++i) QVERIFY(!window->PageBuilt(i));
    QVERIFY(!window->PagesComplete());
    if (!lateField.isEmpty()) {
      QVERIFY(!OwnedComponent(window.get(), lateField));
      QVERIFY(SaveWrittenAnswers(window->Pagxaro()));
    }

    window->show();
    QTRY_VERIFY(window->PagesComplete());
    QCOMPARE(PageMakeup(window.get()), whole);
    if (!lateField.isEmpty()) QCOMPARE(AnswerOf(OwnedComponent(window.get(), lateField)), QStringLiteral("Ĝi restas."));
    QVERIFY(!window->SubaParto()->Savu()->isEnabled());

    // Asked before the rest is built, the recordings are those of every page.
    const auto paths = [](const QList<LessonRecording>& recordings) {
      QStringList list;
      for (const LessonRecording& recording : recordings) list.append(recording.relativePath + recording.text);
      return list;
    };
    auto unfinished = OpenFirstPageFirst();
    auto built = OpenLesson<TLessonWindow>(entry_->lessonValue);
    QCOMPARE(paths(unfinished->Recordings()), paths(built->Recordings()));
    QVERIFY(unfinished->PagesComplete());
  }

  // Turning the page or closing the window before the other pages are
  // built: the page turns with everything on it, and a closed window builds
  // nothing more.
  void turnsOrClosesBeforeTheRestIsBuilt() {
    WindowFiles files(*entry_);
    {
      auto window = OpenFirstPageFirst();
      window->show();
      QVERIFY(!window->PagesComplete());
      QTest::keyClick(window.get(), Qt::Key_PageDown);
      QVERIFY(window->PagesComplete());
      QCOMPARE(window->Pagxaro()->currentIndex(), 1);
      QVERIFY(!window->Pagxaro()->widget(1)->children().isEmpty());
    }
    auto window = OpenFirstPageFirst();
    window->show();
    window->close();
    QTest::qWait(300);
    QVERIFY(window->Closing());
    QVERIFY(!window->PagesComplete());
  }

  // Tab goes through a page's answer fields as they are read: down the
  // page, and from left to right along a row.
  void tabFollowsTheReadingOrder() {
    WindowFiles files(*entry_);
    auto window = Open();
    QApplication::setActiveWindow(window.get());
    QTabWidget* pages = window->Pagxaro();
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      QApplication::processEvents();
      const QList<QWidget*> fields = AnswerFields(window.get(), pages->widget(i));
      if (fields.size() < 2) continue;
      QWidget* first = fields.first();
      for (QWidget* field : fields) {
        const QPoint at = field->mapTo(window.get(), QPoint());
        const QPoint best = first->mapTo(window.get(), QPoint());
        if (at.y() < best.y() || (at.y() == best.y() && at.x() < best.x())) first = field;
      }
      first->setFocus();
      QList<QWidget*> walked{first};
      for (int step = 0; step < 4 * fields.size() && walked.size() < fields.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (fields.contains(now) && !walked.contains(now)) walked.append(now);
      }
      QCOMPARE(walked.size(), fields.size());
      for (qsizetype k = 1; k < walked.size(); ++k) {
        const QRect a(walked[k - 1]->mapTo(window.get(), QPoint()), walked[k - 1]->size());
        const QRect b(walked[k]->mapTo(window.get(), QPoint()), walked[k]->size());
        const bool sameRow = qAbs(b.top() - a.top()) * 2 < qMin(a.height(), b.height());
        QVERIFY2(
            sameRow ? b.left() > a.left() : b.top() > a.top(),
            qPrintable(QStringLiteral("%1: %2 after %3")
                           .arg(pages->widget(i)->objectName(), walked[k]->objectName(), walked[k - 1]->objectName())));
      }
    }
  }
};

QTEST_MAIN(TestLessonWindows)
#include "tst_lessonwindows.moc"
