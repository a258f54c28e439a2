#include "accusative.h"
#include "exercisedata.h"
#include "lessonwindow.h"
#include "lessonwindows.h"
#include "messagebox.h"
#include "ownedcomponents.h"
#include "programpaths.h"
#include "settings.h"
#include "sharedinifile.h"
#include "statictext.h"
#include "storedtext.h"
#include "testsupport.h"
#include "translatablelabels.h"
#include "translatedtext.h"
#include "translationfile.h"
#include "translationfiles.h"
#include "translationpaths.h"
#include "uiloader.h"
#include "windowtranslation.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString kTiparo = QStringLiteral("DejaVu Serif");

// A translation named "Testa" in force, read from tradukoj/testa.trd.
struct TranslationInForce {
  TempProgramFolder folder;
  explicit TranslationInForce(const QByteArray& contents) {
    folder.Write("tradukoj/testa.trd", contents);
    folder.Write("ekzercoj/ekz01.dat", ReadFileBytes(QStringLiteral(PELANO_PROGRAM_DIR "ekzercoj/ekz01.dat")));
    CurrentSettings().Lingvo = QStringLiteral("Testa");
    CurrentSettings().Dosiero = QStringLiteral("testa.trd");
    CurrentSettings().Tiparo = kTiparo;
    OpenTranslationFile(DataPath(QStringLiteral("tradukoj\\testa.trd")));
  }
  ~TranslationInForce() { CloseTranslationFile(); }
};

std::unique_ptr<TLessonWindow> OpenLesson(int lesson) {
  std::unique_ptr<QDialog> window = CreateLessonWindow(lesson, nullptr);
  auto* form = dynamic_cast<TLessonWindow*>(window.get());
  if (!form) return nullptr;
  window.release();
  return std::unique_ptr<TLessonWindow>(form);
}

TUniqueIniFile LoadedIni(const QString& path) {
  TUniqueIniFile file(path);
  file.LoadFromBytes(ReadFileBytes(path));
  return file;
}

// The translations as the course delivers them, beside the sources.
QDir DeliveredTranslations() {
  QDir folder = QFileInfo(QStringLiteral(__FILE__)).dir();
  folder.cd(QStringLiteral("../course/tradukoj"));
  return folder;
}

// The stored texts of lesson 1's labels, read from its layout without translating.
QHash<QString, QString> StoredTexts(QWidget* window) {
  QHash<QString, QString> texts;
  for (QWidget* component : window->findChildren<QWidget*>()) {
    if (auto* label = qobject_cast<QLabel*>(component)) texts.insert(label->objectName(), label->text());
  }
  return texts;
}

// A window holding what the translation walks: two gap-filling frames with
// their instructions, heading strips, fonts by kind and tag.
struct GapWindow {
  DrillTestWindow test;
  QLabel* first = nullptr;
  QLabel* second = nullptr;
  QLabel* title = nullptr;
  GapWindow(const QString& windowName) {
    test.window.setObjectName(windowName);
    QWidget* page = test.AddPage(QStringLiteral("Pagxo"));
    for (const char* name : {"TFrame41", "Frame42"}) {
      auto* frame = new TFrame(page);
      frame->setObjectName(QLatin1String(name));
      auto* instruction = new QLabel(QStringLiteral("stored"), frame);
      instruction->setObjectName(QStringLiteral("Label84"));
      auto* heading = new QLabel(QStringLiteral("Exercícios antigos"), frame);
      heading->setObjectName(QStringLiteral("Label83"));
      (name == QLatin1String("TFrame41") ? first : second) = instruction;
      if (!title) title = heading;
    }
  }
};

}  // namespace

class TestTranslation : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { RegisterLessonWidgets(); }
  void init() { CurrentSettings() = Settings{}; }
  void cleanup() { CloseTranslationFile(); }

  void valuesAreDecodedAndMissingOnesMarked() {
    TranslationInForce translation(
        "[Lec01]\r\nLabel1=unu'#10'du\r\nLabel3=\r\nLabel4=ĉapelo\r\n"
        "[Lec05]\r\nLabel1=kvin\r\n[Lec05A]\r\nLabel1=ses\r\n");
    QCOMPARE(ReadCaption("Lec01", "Label1"), QStringLiteral("unu\ndu"));
    QCOMPARE(ReadCaption("lec01", "label4"), QStringLiteral("ĉapelo"));
    QCOMPARE(ReadCaption("Lec01", "Label3"), NotTranslated);  // present but empty
    QCOMPARE(ReadCaption("Lec01", "Label2"), NotTranslated);
    QCOMPARE(ReadCaption("Lec05", "Label1"), QStringLiteral("kvin"));
    QCOMPARE(ReadCaption("Lec05A", "Label1"), QStringLiteral("ses"));
  }

  // Saves go to the translator's own copy, which from then on is the one
  // read; the shipped file is never written.
  void storedTranslationsGoToTheTranslatorsCopy() {
    TranslationInForce translation("[Traduko]\r\nLingvo=Testa\r\n");
    const QByteArray shipped = translation.folder.Read("tradukoj/testa.trd");
    const QString own = translation.folder.UserTranslations() + QStringLiteral("testa.trd");
    QVERIFY(StoreTranslation(QStringLiteral("lec07"), QStringLiteral("Label3"), QStringLiteral("unua\r\ndua")));
    QCOMPARE(translation.folder.Read("tradukoj/testa.trd"), shipped);
    const QByteArray onDisk = ReadFileBytes(own);
    QVERIFY2(onDisk.startsWith(shipped.trimmed()), onDisk.constData());
    QVERIFY2(onDisk.contains("Label3=unua'#10'dua"), onDisk.constData());
    QVERIFY(!onDisk.contains("unua\r"));
    QCOMPARE(ReadCaption("Lec07", "Label3"), QStringLiteral("unua\ndua"));

    // A second program run reads what the first one saved, under either spelling.
    CloseTranslationFile();
    QCOMPARE(TranslationFilePath(QStringLiteral("testa.trd")), own);
    OpenTranslationFile(TranslationFilePath(QStringLiteral("testa.trd")));
    QCOMPARE(ReadCaption("Lec07", "Label3"), QStringLiteral("unua\ndua"));
    QCOMPARE(ReadCaption("lec07", "label3"), QStringLiteral("unua\ndua"));

    // Saving nothing removes the key, so that the label shows the marker again.
    QVERIFY(StoreTranslation(QStringLiteral("lec07"), QStringLiteral("Label3"), QString()));
    QVERIFY(!ReadFileBytes(own).contains("Label3"));
    QCOMPARE(ReadCaption("Lec07", "Label3"), NotTranslated);
    QCOMPARE(translation.folder.Read("tradukoj/testa.trd"), shipped);
  }

  // The language lists show the translator's own files beside the shipped
  // ones, each name once; a new language starts from the template.
  void translatorsFilesAreListedWithTheShippedOnes() {
    TranslationInForce translation("[Traduko]\r\nLingvo=Testa\r\n");
    translation.folder.Write("tradukoj/angla.trd", "[Traduko]\r\nLingvo=English\r\n");
    WriteFileBytes(translation.folder.UserTranslations() + QStringLiteral("Testa.trd"), "[Traduko]\r\nLingvo=Mia\r\n");
    WriteFileBytes(translation.folder.UserTranslations() + QStringLiteral("nova.trd"), "[Traduko]\r\nLingvo=Nova\r\n");
    QCOMPARE(TranslationFileNames(), (QStringList{"angla.trd", "nova.trd", "testa.trd"}));
    QCOMPARE(TranslationFilePath(QStringLiteral("angla.trd")), DataPath(QStringLiteral("tradukoj\\angla.trd")));
    QCOMPARE(TranslationFilePath(QStringLiteral("nova.trd")),
             translation.folder.UserTranslations() + QStringLiteral("nova.trd"));
  }

  void aFailedSaveLeavesFileAndReadersAsTheyWere() {
    TranslationInForce translation("[Lec01]\r\nLabel3=malnova\r\n");
    const QByteArray before = translation.folder.Read("tradukoj/testa.trd");

    // A file where the translator's folder would be: nothing can be written, root or not.
    translation.folder.Write("user-data", "ne dosierujo");
    QVERIFY(!StoreTranslation(QStringLiteral("lec01"), QStringLiteral("Label3"), QStringLiteral("nova")));
    QCOMPARE(translation.folder.Read("tradukoj/testa.trd"), before);
    QCOMPARE(ReadCaption("Lec01", "Label3"), QStringLiteral("malnova"));
    QCOMPARE(translation.folder.Read("user-data"), QByteArray("ne dosierujo"));

    // The translator's copy made read-only is never written either.
    QVERIFY(QFile::remove(translation.folder.Path("user-data")));
    const QString own = translation.folder.UserTranslations() + QStringLiteral("testa.trd");
    WriteFileBytes(own, before);
    QFile::setPermissions(own, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QVERIFY(!StoreTranslation(QStringLiteral("lec01"), QStringLiteral("Label3"), QStringLiteral("nova")));
    QCOMPARE(ReadFileBytes(own), before);
    QCOMPARE(ReadCaption("Lec01", "Label3"), QStringLiteral("malnova"));
    QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner);
  }

  void translatedExerciseItemsComeByNumber() {
    TranslationInForce translation(
        "[Ekzerco-0702]\r\n0=nulo\r\n1=unu\r\n2=du\r\n"
        "[Ekzerco-0703]\r\nunu=a\r\ndu=b\r\ntri=c\r\n");
    QStringList items;
    QCOMPARE(LoadExerciseItems(items, QStringLiteral("0702"), QStringLiteral("T")), 3);
    QCOMPARE(items.mid(0, 3), QStringList({"nulo", "unu", "du"}));
    items.clear();
    QCOMPARE(LoadExerciseItems(items, QStringLiteral("0703"), QStringLiteral("T")), 3);
    QCOMPARE(items.mid(0, 3), QStringList({NotTranslated, NotTranslated, NotTranslated}));
  }

  void sectionsOfWindows() {
    QCOMPARE(SectionOfWindow(QStringLiteral("Form1")), QStringLiteral("lec01"));
    QCOMPARE(SectionOfWindow(QStringLiteral("Form5")), QStringLiteral("lec05"));
    QCOMPARE(SectionOfWindow(QStringLiteral("Form5A")), QStringLiteral("lec05A"));
    QCOMPARE(SectionOfWindow(QStringLiteral("Form7")), QStringLiteral("lec07"));
    QCOMPARE(SectionOfWindow(QStringLiteral("Form12")), QStringLiteral("lec12"));
    QCOMPARE(SectionOfWindow(QStringLiteral("Form13")), QStringLiteral("konfig"));
    QCOMPARE(SectionOfWindow(QStringLiteral("Form15")), QStringLiteral("menuo4"));
    QCOMPARE(SectionOfWindow(QStringLiteral("Form14")), QString());
    QCOMPARE(SectionOfWindow(QStringLiteral("form1")), QString());
    QCOMPARE(SectionOfWindow(QStringLiteral("TFrame11")), QString());
  }

  void builtInGapInstructions() {
    const QString verbal = BuiltInGapInstruction(QStringLiteral("Lec09"), QStringLiteral("TFrame41"));
    const QString pronoun = BuiltInGapInstruction(QStringLiteral("Lec09"), QStringLiteral("Frame42"));
    QVERIFY(verbal.contains(QStringLiteral("terminação verbal adequada")));
    QVERIFY(pronoun.contains(QStringLiteral("o pronome poderá receber as terminações \"a\", \"aj\" e \"n\"")));
    const QString correlative = BuiltInGapInstruction(QStringLiteral("Lec05"), QStringLiteral("TFrame41"));
    QVERIFY(correlative.startsWith(QStringLiteral("Orientando-se pela tradução")));
    QCOMPARE(BuiltInGapInstruction(QStringLiteral("Lec05A"), QStringLiteral("TFrame41")), correlative);
    QCOMPARE(BuiltInGapInstruction(QStringLiteral("Lec05"), QStringLiteral("Frame42")), QString());
    QVERIFY(BuiltInGapInstruction(QStringLiteral("Lec07"), QStringLiteral("Frame42"))
                .contains(QStringLiteral("prefixo ou sufixo")));
    QVERIFY(BuiltInGapInstruction(QStringLiteral("Lec02"), QStringLiteral("TFrame41"))
                .contains(QStringLiteral("plural \"j\"")));
    QCOMPARE(BuiltInGapInstruction(QStringLiteral("Lec01"), QStringLiteral("TFrame41")), QString());
    QCOMPARE(BuiltInGapInstruction(QStringLiteral("Lec12"), QStringLiteral("TFrame41")), QString());
    for (int pair : {2, 5, 6, 7, 8, 9}) {
      QVERIFY(
          BuiltInGapInstruction(QStringLiteral("Lec%1").arg(pair, 2, 10, QLatin1Char('0')), QStringLiteral("TFrame41"))
              .endsWith(QStringLiteral("Tente obter no mínimo 70% de acerto.")));
    }
  }

  void lessonWindowInTranslation() {
    TranslationInForce translation(
        "[Lec01]\r\nGradTitolo1=The alphabet\r\nLabel1=Twenty-eight letters'#10'one sound each\r\n"
        "Label7=rr of the window\r\n"
        "[Gheneralaj]\r\nTFrame1.Label7=Find the translation\r\nTFrame3.Label59=Listening\r\n");
    std::unique_ptr<QWidget> stored(PelanoUiLoader::Load(LayoutPathOfLesson1(), nullptr));
    QVERIFY(stored);
    const QHash<QString, QString> storedTexts = StoredTexts(stored.get());

    auto window = OpenLesson(1);
    QVERIFY(window);
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("GradTitolo1"))->text(), QStringLiteral("The alphabet"));
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Twenty-eight letters\none sound each"));
    int marked = 0;
    for (QWidget* component : OwnedComponents(window.get())) {
      auto* label = qobject_cast<QLabel*>(component);
      if (!label) continue;
      if (qobject_cast<StaticText*>(label)) {
        QCOMPARE(label->text(), storedTexts.value(label->objectName()));
        QVERIFY(label->font().family() != kTiparo);
      } else if (IsPlainLabel(label)) {
        QCOMPARE(label->font().family(), kTiparo);
        if (label->text() == NotTranslated) ++marked;
      } else {
        QVERIFY2(label->text() != NotTranslated, qPrintable(label->objectName()));  // a picture
      }
    }
    QVERIFY(marked > 100);  // every label the file does not name

    // A frame's fixed labels come from the shared section, under the frame's key.
    auto* wordGame = OwnedComponent(window.get(), QStringLiteral("TFrame11"));
    QCOMPARE(OwnedComponent(wordGame, QStringLiteral("Label7"))->property("text").toString(),
             QStringLiteral("Find the translation"));
    QCOMPARE(OwnedComponent(window.get(), QStringLiteral("Label7"))->property("text").toString(),
             QStringLiteral("rr of the window"));
    auto* listening = OwnedComponent(window.get(), QStringLiteral("TFrame31"));
    QCOMPARE(OwnedComponent(listening, QStringLiteral("Label59"))->property("text").toString(),
             QStringLiteral("Listening"));
    QCOMPARE(OwnedComponent(listening, QStringLiteral("Label68"))->property("text").toString(), NotTranslated);
    auto* practice = OwnedComponent(window.get(), QStringLiteral("TFrame21"));
    QCOMPARE(OwnedComponent(practice, QStringLiteral("PP_Label1"))->property("text").toString(), NotTranslated);

    // Fonts inside the word game: its group box, not its check boxes.
    QCOMPARE(wordGame->findChild<QGroupBox*>(QStringLiteral("Grupo"))->font().family(), kTiparo);
    QVERIFY(wordGame->findChild<QCheckBox*>(QStringLiteral("Grupo0"))->font().family() != kTiparo);
  }

  // A translation is data: what it puts in a plain label shows as typed, and
  // in a rich one keeps only the formatting the layouts use. A picture that
  // were loaded would read the FIFO below and hang the course for good.
  void aTranslationCannotLoadOrLink() {
    QTemporaryDir outside;
    const QString fifo = outside.filePath(QStringLiteral("fifo"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray image = "<img src=\"" + fifo.toUtf8() + "\">";
    TranslationInForce translation(
        "[Lec01]\r\nLabel1=" + image + " <a href=\"https://example.org\">link</a>\r\n" +
        "Label2=<b>Sounds</b><img src=\"/dev/zero\"><br><a href=\"file:///etc/passwd\">x</a>\r\n"
        "[Gheneralaj]\r\nTFrame1.Label7=<i>Find</i>" +
        image + "\r\n");
    auto window = OpenLesson(1);
    QVERIFY(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* plain = window->findChild<QLabel*>(QStringLiteral("Label1"));
    QCOMPARE(plain->textFormat(), Qt::PlainText);
    QCOMPARE(plain->text(), QString::fromUtf8(image) + QStringLiteral(" <a href=\"https://example.org\">link</a>"));
    auto* rich = window->findChild<QLabel*>(QStringLiteral("Label2"));
    QCOMPARE(rich->textFormat(), Qt::RichText);
    QCOMPARE(rich->text(), QStringLiteral("<b>Sounds</b>&lt;img src=&quot;/dev/zero&quot;&gt;<br>&lt;a "
                                          "href=&quot;file:///etc/passwd&quot;&gt;x&lt;/a&gt;"));
    QVERIFY(!rich->openExternalLinks());
    auto* wordGame = OwnedComponent(window.get(), QStringLiteral("TFrame11"));
    auto* frameLabel = qobject_cast<QLabel*>(OwnedComponent(wordGame, QStringLiteral("Label7")));
    QCOMPARE(frameLabel->textFormat(), Qt::PlainText);  // plain in its layout
    QCOMPARE(frameLabel->text(), QStringLiteral("<i>Find</i>") + QString::fromUtf8(image));
    window->grab();  // everything painted, nothing loaded
  }

  void safeRichText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("safe");
    QTest::newRow("the layouts' formatting") << "<b>a</b> <I>b</I> <u>c</u><br><br/><BR /><p>d</p>"
                                             << "<b>a</b> <I>b</I> <u>c</u><br><br/><BR /><p>d</p>";
    QTest::newRow("a picture") << "<img src=/dev/zero>"
                               << "&lt;img src=/dev/zero&gt;";
    QTest::newRow("a link") << "<a href='x'>y</a>"
                            << "&lt;a href='x'&gt;y&lt;/a&gt;";
    QTest::newRow("attributes on an allowed tag") << "<p style=\"background:url(/dev/zero)\">x</p>"
                                                  << "&lt;p style=&quot;background:url(/dev/zero)&quot;&gt;x</p>";
    QTest::newRow("a style sheet") << "<link rel=stylesheet href=/dev/zero>"
                                   << "&lt;link rel=stylesheet href=/dev/zero&gt;";
    QTest::newRow("an open tag at the end") << "a <img src=/dev/zero"
                                            << "a &lt;img src=/dev/zero";
    QTest::newRow("comparisons") << "1 < 2 > 0"
                                 << "1 &lt; 2 &gt; 0";
    QTest::newRow("entities stay") << "&amp; &lt;"
                                   << "&amp; &lt;";
  }
  void safeRichText() {
    QFETCH(QString, text);
    QFETCH(QString, safe);
    QCOMPARE(SafeRichText(text), safe);
  }

  // Message boxes show translated messages as plain text.
  void messageBoxesArePlain() {
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    WhenModalShown([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      shown = box->text();
      format = box->textFormat();
      box->close();
    });
    ShowMessage(nullptr, QMessageBox::Information, QStringLiteral("<img src=\"/dev/zero\"><a href=\"x\">y</a>"));
    QCOMPARE(shown, QStringLiteral("<img src=\"/dev/zero\"><a href=\"x\">y</a>"));
    QCOMPARE(format, Qt::PlainText);
  }

  void lessonWindowInPortugueseKeepsItsTexts() {
    TempProgramFolder folder;
    folder.Write("ekzercoj/ekz01.dat", ReadFileBytes(QStringLiteral(PELANO_PROGRAM_DIR "ekzercoj/ekz01.dat")));
    CurrentSettings().Tiparo = kTiparo;
    std::unique_ptr<QWidget> stored(PelanoUiLoader::Load(LayoutPathOfLesson1(), nullptr));
    const QHash<QString, QString> storedTexts = StoredTexts(stored.get());
    auto window = OpenLesson(1);
    QVERIFY(window);
    int labels = 0;
    for (QWidget* component : OwnedComponents(window.get())) {
      if (!IsPlainLabel(component)) continue;
      QCOMPARE(static_cast<QLabel*>(component)->text(), storedTexts.value(component->objectName()));
      ++labels;
    }
    QVERIFY(labels > 100);
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("Label1"))->font().family(), kTiparo);
    // Lesson 1 is blue.
    QVERIFY(
        window->findChild<QLabel*>(QStringLiteral("GradTitolo1"))->styleSheet().contains(QLatin1String("Blua_strio")));
  }

  void headingStripsFollowTheWindowColour() {
    GapWindow gaps(QStringLiteral("Form3"));
    QWidget* page = gaps.test.pages->widget(0);
    auto* heading = new QLabel(QStringLiteral("Titolo"), page);
    heading->setObjectName(QStringLiteral("GradTitolo1"));
    auto* lowerCase = new QLabel(QStringLiteral("Titolo"), page);
    lowerCase->setObjectName(QStringLiteral("gradTitolo2"));
    lowerCase->setStyleSheet(QStringLiteral("QLabel { color: red; }"));
    auto* inFrame = new QLabel(QStringLiteral("Ekzerco"), gaps.first->parentWidget());
    inFrame->setObjectName(QStringLiteral("GradButton21"));

    TranslateLessonWindow(gaps.test.pages, QStringLiteral("Lec03"), 12239318);
    QVERIFY(heading->styleSheet().contains(QLatin1String("rugxa_strio")));
    QVERIFY(inFrame->styleSheet().contains(QLatin1String("rugxa_strio")));
    QCOMPARE(lowerCase->styleSheet(), QStringLiteral("QLabel { color: red; }"));

    TranslateLessonWindow(gaps.test.pages, QStringLiteral("Lec03"), 12708798);
    QVERIFY(heading->styleSheet().contains(QLatin1String("verda_strio")));
    TranslateLessonWindow(gaps.test.pages, QStringLiteral("Lec03"), 12119015);
    QVERIFY(heading->styleSheet().contains(QLatin1String("flava_strio")));
    // A colour without strips leaves the heading as it is.
    TranslateLessonWindow(gaps.test.pages, QStringLiteral("Lec03"), 255);
    QVERIFY(heading->styleSheet().contains(QLatin1String("flava_strio")));
  }

  void gapFillingInstructions() {
    GapWindow gaps(QStringLiteral("Form9"));
    TranslateLessonWindow(gaps.test.pages, QStringLiteral("Lec09"), 14929324);
    QCOMPARE(gaps.first->text(), BuiltInGapInstruction(QStringLiteral("Lec09"), QStringLiteral("TFrame41")));
    QVERIFY(gaps.first->text().contains(QStringLiteral("terminação verbal")));
    QVERIFY(gaps.second->text().contains(QStringLiteral("pronome adequado")));
    QCOMPARE(gaps.title->text(), QStringLiteral("Exercícios"));

    GapWindow lesson6(QStringLiteral("Form5A"));
    TranslateLessonWindow(lesson6.test.pages, QStringLiteral("Lec05A"), 14929324);
    QVERIFY(lesson6.first->text().contains(QStringLiteral("correlativo adequado")));
    QCOMPARE(lesson6.second->text(), QString());

    TranslationInForce translation(
        "[Lec09]\r\nTFrame41.Label84=Verb endings\r\n[Gheneralaj]\r\nTFrame4.Label83=Exercises\r\n");
    GapWindow translated(QStringLiteral("Form9"));
    TranslateLessonWindow(translated.test.pages, QStringLiteral("Lec09"), 14929324);
    QCOMPARE(translated.first->text(), QStringLiteral("Verb endings"));
    QCOMPARE(translated.second->text(), NotTranslated);
    QCOMPARE(translated.title->text(), QStringLiteral("Exercises"));
  }

  void translationFontByKindAndTag() {
    DrillTestWindow test;
    QWidget* page = test.AddPage(QStringLiteral("Pagxo"));
    auto make = [page](QWidget* widget, const char* name, int tag) {
      widget->setParent(page);
      widget->setObjectName(QLatin1String(name));
      widget->setProperty("tag", tag);
      return widget;
    };
    QWidget* answer = make(new QLineEdit, "Edit1", 130);
    QWidget* esperanto = make(new QLineEdit, "Edit2", 3);
    QWidget* memo = make(new QPlainTextEdit, "Memo1", 255);
    QWidget* lowMemo = make(new QPlainTextEdit, "Memo2", 127);
    QWidget* traduko = make(new StaticText, "Traduko", 0);
    QWidget* vortoTrad = make(new StaticText, "VortoTrad3", 0);
    QWidget* word = make(new StaticText, "StaticText4", 0);
    QWidget* upperTraduko = make(new StaticText, "TRADUKO", 0);
    auto* frame = new TFrame(page);
    frame->setObjectName(QStringLiteral("TFrame51"));
    QWidget* frameMemo = make(new QPlainTextEdit, "Memo3", 200);
    frameMemo->setParent(frame);
    QWidget* frameTraduko = make(new StaticText, "Traduko1", 0);
    frameTraduko->setParent(frame);

    CurrentSettings().Tiparo = kTiparo;
    TranslateLessonWindow(test.pages, QStringLiteral("Lec08"), 14929324);
    for (QWidget* widget : {answer, memo, traduko, vortoTrad, frameTraduko}) {
      QVERIFY2(widget->font().family() == kTiparo, qPrintable(widget->objectName()));
    }
    for (QWidget* widget : {esperanto, lowMemo, word, upperTraduko, frameMemo}) {
      QVERIFY2(widget->font().family() != kTiparo, qPrintable(widget->objectName()));
    }
  }

  void configurationAndCreditsWindows() {
    TranslationInForce translation(
        "[Konfig]\r\nLabel1=Language\r\nGrupo1=group caption\r\n"
        "[Menuo4]\r\nLabel2=Programming\r\nTabSheet1=Authors\r\n");
    QWidget configuration;
    auto* language = new QLabel(QStringLiteral("Idioma"), &configuration);
    language->setObjectName(QStringLiteral("Label1"));
    auto* group = new QGroupBox(QStringLiteral("Monitor"), &configuration);
    group->setObjectName(QStringLiteral("Grupo1"));
    auto* name = new QLineEdit(group);
    name->setObjectName(QStringLiteral("Nomo"));
    auto* missing = new QLabel(QStringLiteral("Fonte"), group);
    missing->setObjectName(QStringLiteral("Label9"));
    auto* fixed = new StaticText(&configuration);
    fixed->setObjectName(QStringLiteral("StaticText1"));
    fixed->setText(QStringLiteral("Pelano"));
    TranslateConfigurationWindow(&configuration, "Konfig");
    QCOMPARE(language->text(), QStringLiteral("Language"));
    QCOMPARE(missing->text(), NotTranslated);
    QCOMPARE(group->title(), QStringLiteral("Monitor"));
    QCOMPARE(fixed->text(), QStringLiteral("Pelano"));
    for (QWidget* widget : std::initializer_list<QWidget*>{language, group, name, missing}) {
      QCOMPARE(widget->font().family(), kTiparo);
    }
    QVERIFY(fixed->font().family() != kTiparo);

    QWidget credits;
    auto* pages = new QTabWidget(&credits);
    pages->setObjectName(QStringLiteral("PageControl1"));
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    pages->addTab(page, QStringLiteral("Autores"));
    auto* role = new QLabel(QStringLiteral("Programação"), page);
    role->setObjectName(QStringLiteral("Label2"));
    TranslateCreditsWindow(&credits, "Menuo4");
    QCOMPARE(pages->tabText(0), QStringLiteral("Authors"));
    QCOMPARE(role->text(), QStringLiteral("Programming"));
    QCOMPARE(pages->font().family(), kTiparo);

    // In Portuguese the texts stay and only the fonts change.
    CurrentSettings().Lingvo = Portuguese;
    role->setText(QStringLiteral("Programação"));
    TranslateCreditsWindow(&credits, "Menuo4");
    QCOMPARE(role->text(), QStringLiteral("Programação"));
    QCOMPARE(pages->tabText(0), QStringLiteral("Authors"));
  }

  // The template names every text of every window the reference files list,
  // the shared texts and the drills' translated items.
  void theTemplateNamesEveryText() {
    const QString folder = QStringLiteral(PELANO_PROGRAM_DIR "tradukoj/");
    const TUniqueIniFile sample = LoadedIni(folder + QStringLiteral("sxablono.txt"));
    const QStringList references = QDir(folder).entryList({QStringLiteral("*.tdf")}, QDir::Files);
    QVERIFY(references.size() >= 16);  // thirteen lesson windows, configuration, credits, shared texts
    for (const QString& name : references) {
      const QString base = QFileInfo(name).completeBaseName();
      const QByteArray section = (base.left(1).toUpper() + base.mid(1)).toLatin1();
      const QByteArrayList templateKeys = sample.SectionKeys(section);
      const QByteArrayList keys = LoadedIni(folder + name).SectionNames();
      QVERIFY2(!keys.isEmpty(), qPrintable(name));
      for (const QByteArray& key : keys) QVERIFY2(templateKeys.contains(key), (section + "." + key).constData());
    }
    for (const char* key : {"smGratulon", "smNeSono"}) QVERIFY(sample.SectionKeys("Mesagxoj").contains(key));
    QVERIFY(sample.SectionKeys("Gheneralaj").contains("TFrame1.Label7"));
    QVERIFY(sample.SectionKeys("Lec05A").contains("TFrame41.Label84"));
    // One key per item of the data, counted from 0.
    QCOMPARE(sample.SectionKeys("Ekzerco-0502").size(), 20);
    QCOMPARE(sample.SectionKeys("Ekzerco-0502").first(), QByteArray("0"));
    QCOMPARE(sample.SectionKeys("Ekzerco-Klarigoj").size(), TFrame5::BuiltInExplanations().size());
  }

  // Every translation delivered with the course gives every text the template
  // asks for, so that choosing its language shows no marker anywhere; a drill's
  // section holds exactly the template's keys, since their number is the number
  // of items the drill asks.
  void deliveredTranslationsHoldTheWholeTemplate() {
    const TUniqueIniFile sample = LoadedIni(QStringLiteral(PELANO_PROGRAM_DIR "tradukoj/sxablono.txt"));
    const QByteArrayList sections = sample.SectionNames();
    for (const char* section : {"Traduko", "Mesagxoj", "Menuo", "Gheneralaj", "Konfig", "Menuo4",          "Lec01",
                                "Lec02",   "Lec03",    "Lec04", "Lec05",      "Lec05A", "Lec06",           "Lec07",
                                "Lec08",   "Lec09",    "Lec10", "Lec11",      "Lec12",  "Ekzerco-Klarigoj"}) {
      QVERIFY2(sections.contains(section), section);
    }
    const QDir delivered = DeliveredTranslations();
    const QStringList files = delivered.entryList({QStringLiteral("*.trd")}, QDir::Files);
    QVERIFY(files.contains(QStringLiteral("angla.trd")));
    for (const QString& file : files) {
      const TUniqueIniFile translation = LoadedIni(delivered.filePath(file));
      QStringList faults;
      for (const QByteArray& section : sections) {
        const QByteArrayList keys = sample.SectionKeys(section);
        for (const QByteArray& key : keys) {
          if (DecodeTranslation(translation.Read(section, key)).isEmpty())
            faults << QString::fromLatin1(section + "." + key);
        }
        if (section.startsWith("Ekzerco-")) {
          for (const QByteArray& key : translation.SectionKeys(section)) {
            if (!keys.contains(key))
              faults << QString::fromLatin1(section + "." + key) + QStringLiteral(" (no such item)");
          }
        }
      }
      QVERIFY2(faults.isEmpty(),
               qPrintable(file + QStringLiteral(": ") + QString::number(faults.size()) +
                          QStringLiteral(" texts wrong or missing, first ") + faults.mid(0, 12).join(u' ')));
    }
  }

  // With English in force, no label of any lesson window or of its frames shows the marker.
  void englishLessonsShowNoMarker() {
    TempProgramFolder folder;
    const QDir data(QStringLiteral(PELANO_PROGRAM_DIR "ekzercoj"));
    for (const QString& name : data.entryList({QStringLiteral("*.dat")}, QDir::Files)) {
      folder.Write(QStringLiteral("ekzercoj/") + name, ReadFileBytes(data.filePath(name)));
    }
    folder.Write(QStringLiteral("tradukoj/angla.trd"),
                 ReadFileBytes(DeliveredTranslations().filePath(QStringLiteral("angla.trd"))));
    CurrentSettings().Lingvo = QStringLiteral("English");
    CurrentSettings().Dosiero = QStringLiteral("angla.trd");
    OpenTranslationFile(DataPath(QStringLiteral("tradukoj\\angla.trd")));
    for (int lesson = 1; lesson <= 13; ++lesson) {
      // Built page by page, as the main menu builds it.
      std::unique_ptr<QDialog> window = CreateLessonWindow(lesson, nullptr, PageBuilding::FirstPageFirst);
      QVERIFY2(window, qPrintable(QStringLiteral("lesson %1").arg(lesson)));
      qobject_cast<TLessonWindow*>(window.get())->CompletePages();
      QStringList marked;
      for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text() == NotTranslated) marked << label->parentWidget()->objectName() + u'.' + label->objectName();
      }
      QVERIFY2(marked.isEmpty(), qPrintable(QStringLiteral("lesson %1: ").arg(lesson) + marked.join(u' ')));
      // The gap-filling instructions come from the lesson's own section.
      if (auto* gaps = window->findChild<QWidget*>(QStringLiteral("TFrame41"))) {
        if (auto* instruction = gaps->findChild<QLabel*>(QStringLiteral("Label84"))) {
          QVERIFY2(instruction->text().contains(QStringLiteral("70%")), qPrintable(instruction->text()));
          QVERIFY2(!instruction->text().contains(QStringLiteral("tradução")), qPrintable(instruction->text()));
        }
      }
    }
  }

  // The main menu's two help buttons open, for every delivered language, a
  // document that is there and is a word-processor (RTF) file; the names are
  // resolved below the course folder as the program resolves them.
  void deliveredTranslationsNameTheirHelpDocuments() {
    QDir course = DeliveredTranslations();
    course.cdUp();
    const QString previousFolder = ProgramFolder();
    SetProgramFolder(course.path());
    const auto restoreFolder = qScopeGuard([&previousFolder] { SetProgramFolder(previousFolder); });
    QStringList faults;
    const auto checkDocument = [&faults](const QString& owner, const QString& name) {
      QFile document(DataPath(QStringLiteral("tradukoj\\") + name));
      if (name.isEmpty() || !document.open(QIODevice::ReadOnly)) {
        faults << owner + QStringLiteral(": no document \"") + name + u'"';
      } else if (!document.read(6).startsWith("{\\rtf1")) {
        faults << owner + QStringLiteral(": ") + name + QStringLiteral(" is not RTF");
      }
    };
    checkDocument(QStringLiteral("Português"), QStringLiteral("kioestas.rtf"));
    checkDocument(QStringLiteral("Português"), QStringLiteral("kieluzi.rtf"));
    const QStringList files = DeliveredTranslations().entryList({QStringLiteral("*.trd")}, QDir::Files);
    QVERIFY(files.contains(QStringLiteral("angla.trd")));
    for (const QString& file : files) {
      const TUniqueIniFile translation = LoadedIni(DeliveredTranslations().filePath(file));
      const QByteArrayList keys = translation.SectionKeys("Traduko");
      for (const auto& [key, fallback] :
           {std::pair{"KioDosiero", "Kio_ang.rtf"}, std::pair{"KielDosiero", "Kiel_ang.rtf"}}) {
        const QByteArray name = keys.contains(key) ? translation.Read("Traduko", key) : QByteArray(fallback);
        checkDocument(file + u'.' + QLatin1String(key), QString::fromLatin1(name));
      }
    }
    // English has documents of its own, not the Portuguese ones.
    const TUniqueIniFile english = LoadedIni(DeliveredTranslations().filePath(QStringLiteral("angla.trd")));
    QVERIFY(!english.Read("Traduko", "KioDosiero").toLower().startsWith("kioestas"));
    QVERIFY(!english.Read("Traduko", "KielDosiero").toLower().startsWith("kieluzi"));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
  }

  void referenceTextsAreTheLayouts() {
    const QString folder = QStringLiteral(PELANO_PROGRAM_DIR "tradukoj/");
    TSharedIniFile lesson1(folder + QStringLiteral("lec01.tdf"));
    std::unique_ptr<QWidget> stored(PelanoUiLoader::Load(LayoutPathOfLesson1(), nullptr));
    QCOMPARE(ReadReference(lesson1, QStringLiteral("Label1")),
             stored->findChild<QLabel*>(QStringLiteral("Label1"))->text());
    QCOMPARE(ReadReference(lesson1, QStringLiteral("Label999")), ReferenceNotFound);
    TSharedIniFile general(folder + QStringLiteral("Gheneralaj.tdf"));
    QVERIFY(ReadReference(general, QStringLiteral("TFrame1.Label7")).startsWith(QStringLiteral("Neste exercício")));
    QCOMPARE(ReadReference(general, QStringLiteral("TFrame4.Label83")), QStringLiteral("Exercícios"));
    // Static texts and pictures are not translated, so they have no reference.
    QCOMPARE(ReadReference(lesson1, QStringLiteral("Placar1")), ReferenceNotFound);
    QCOMPARE(ReadReference(lesson1, QStringLiteral("Image1")), ReferenceNotFound);
  }

 private:
  static QString LayoutPathOfLesson1() { return QStringLiteral(":/layouts/lec01.ui"); }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
