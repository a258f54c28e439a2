#include "hattypingfilter.h"
#include "lessonwindow.h"
#include "lessonwindows.h"
#include "ownedcomponents.h"
#include "programpaths.h"
#include "settings.h"
#include "testsupport.h"
#include "translationfile.h"
#include "translator.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

namespace {

// Lesson 1 with a translation in force and the translator switched on.
struct TranslatorSetUp {
  TempProgramFolder folder;
  explicit TranslatorSetUp(const QByteArray& translation = "[Lec01]\r\nLabel3=c sounds ts\r\n") {
    folder.Write("ekzercoj/ekz01.dat", ReadFileBytes(QStringLiteral(PELANO_PROGRAM_DIR "ekzercoj/ekz01.dat")));
    folder.Write("tradukoj/testa.trd", translation);
    folder.Write("tradukoj/lec01.tdf", "[Label3]\r\ncaption=<b>c</b> soa sempre \"ts\"\r\n");
    folder.Write("tradukoj/Gheneralaj.tdf", "[TFrame1.Label7]\r\ncaption=Encontre a tradução'#10'correta.\r\n");
    CurrentSettings().Lingvo = QStringLiteral("Testa");
    CurrentSettings().Dosiero = QStringLiteral("testa.trd");
    CurrentSettings().Tradukilo = true;
    OpenTranslationFile(DataPath(QStringLiteral("tradukoj\\testa.trd")));
  }
  ~TranslatorSetUp() { CloseTranslationFile(); }
  // What the translator's saves left: their own copy, else the file as shipped.
  QByteArray Saved() const {
    const QString own = folder.UserTranslations() + QStringLiteral("testa.trd");
    return QFile::exists(own) ? ReadFileBytes(own) : folder.Read("tradukoj/testa.trd");
  }
};

// Opened as the main menu opens it, so that the labels of pages built after
// the first are reached too.
std::unique_ptr<TLessonWindow> OpenLesson1() {
  std::unique_ptr<QDialog> window = CreateLessonWindow(1, nullptr, PageBuilding::FirstPageFirst);
  auto* form = dynamic_cast<TLessonWindow*>(window.get());
  if (!form) return nullptr;
  window.release();
  std::unique_ptr<TLessonWindow> lesson(form);
  lesson->show();
  if (!QTest::qWaitFor([&] { return lesson->PagesComplete(); })) return nullptr;
  return lesson;
}

QLabel* LabelOnPage(TLessonWindow* window, const char* name) {
  auto* label = qobject_cast<QLabel*>(OwnedComponent(window, QLatin1String(name)));
  if (label) {
    window->Pagxaro()->setCurrentWidget(window->Pagxaro()->widget(0));
    for (int i = 0; i < window->Pagxaro()->count(); ++i) {
      if (window->Pagxaro()->widget(i)->isAncestorOf(label)) window->Pagxaro()->setCurrentIndex(i);
    }
  }
  return label;
}

template <typename T>
T* Child(QWidget* dialog, const char* name) {
  return dialog->findChild<T*>(QLatin1String(name));
}

// Double-clicks `label` and runs `inDialog` on the translator once it shows;
// false when no dialog came up.
bool DoubleClickAndTranslate(QLabel* label, const std::function<void(TForm19*)>& inDialog) {
  bool shown = false;
  QPointer<QTimer> watch = WhenModalShown([&](QWidget* modal) {
    shown = true;
    auto* dialog = qobject_cast<TForm19*>(modal);
    if (!dialog) {
      modal->close();
      return;
    }
    // Shown is not yet active: until the window system makes it so, its box
    // has no focus, and typed keys would miss the hat typing, which follows
    // the focus.
    if (!QTest::qWaitForWindowActive(dialog)) qWarning("the translator never became the active window");
    inDialog(dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  QTest::mouseDClick(label, Qt::LeftButton);
  // A dialog that did not open leaves the watch running.
  QTest::qWait(50);
  if (watch) delete watch.data();
  return shown;
}

void TypeInto(TForm19* dialog, const QString& text) {
  auto* box = Child<QPlainTextEdit>(dialog, "Tajpu");
  QTest::keyClicks(box, text);
}

}  // namespace

class TestTranslator : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    RegisterLessonWidgets();
    qApp->installEventFilter(&hatTyping_);
  }
  void init() { CurrentSettings() = Settings{}; }

  void theDialogAsBuilt() {
    TForm19 translator;
    QCOMPARE(translator.objectName(), QStringLiteral("Form19"));
    QCOMPARE(translator.windowTitle(), QStringLiteral("Traduku la frazon "));
    QCOMPARE(translator.size(), QSize(643, 204));
    QCOMPARE(Child<QPushButton>(&translator, "Button1")->text(), QStringLiteral("Savu la modifojn"));
    QCOMPARE(Child<QPushButton>(&translator, "Button2")->text(), QStringLiteral("Nuligu la modifojn"));
    QCOMPARE(Child<QLabel>(&translator, "Label1")->text(), QStringLiteral("Enhavujo:"));
    QCOMPARE(Child<QLabel>(&translator, "Label3")->text(), QStringLiteral("Tradukata Objekto:"));
    QVERIFY(Child<QPlainTextEdit>(&translator, "Legu")->isReadOnly());
    QCOMPARE(Child<QPlainTextEdit>(&translator, "Tajpu")->geometry(), QRect(9, 90, 620, 57));
    QCOMPARE(TForm19::Instance(), &translator);
  }

  void translateLiveSaveAndReopen() {
    TranslatorSetUp setUp;
    TForm19 translator;
    auto window = OpenLesson1();
    QVERIFY(window);
    QLabel* label = LabelOnPage(window.get(), "Label3");
    QCOMPARE(label->text(), QStringLiteral("c sounds ts"));

    QString section, key, source, typedAtStart, liveCaption;
    QVERIFY(DoubleClickAndTranslate(label, [&](TForm19* dialog) {
      section = Child<QLabel>(dialog, "Label2")->text();
      key = Child<QLabel>(dialog, "Label4")->text();
      source = Child<QPlainTextEdit>(dialog, "Legu")->toPlainText();
      auto* box = Child<QPlainTextEdit>(dialog, "Tajpu");
      typedAtStart = box->toPlainText();
      QCOMPARE(box->textCursor().position(), typedAtStart.size());
      QVERIFY(box->hasFocus());
      TypeInto(dialog, QStringLiteral(", as in cats"));
      liveCaption = label->text();
      Child<QPushButton>(dialog, "Button1")->click();
    }));
    QCOMPARE(section, QStringLiteral("lec01"));
    QCOMPARE(key, QStringLiteral("Label3"));
    QCOMPARE(source, QStringLiteral("<b>c</b> soa sempre \"ts\""));
    QCOMPARE(typedAtStart, QStringLiteral("c sounds ts"));
    QCOMPARE(liveCaption, QStringLiteral("c sounds ts, as in cats"));
    QCOMPARE(label->text(), QStringLiteral("c sounds ts, as in cats"));
    QVERIFY(setUp.Saved().contains("Label3=c sounds ts, as in cats"));

    // The window built again reads the saved text.
    window.reset();
    window = OpenLesson1();
    QCOMPARE(LabelOnPage(window.get(), "Label3")->text(), QStringLiteral("c sounds ts, as in cats"));
  }

  void twoLinesAndHatsAreStored() {
    TranslatorSetUp setUp;
    TForm19 translator;
    CurrentSettings().Capeligo = true;
    auto window = OpenLesson1();
    QLabel* label = LabelOnPage(window.get(), "Label4");
    QVERIFY(DoubleClickAndTranslate(label, [&](TForm19* dialog) {
      auto* box = Child<QPlainTextEdit>(dialog, "Tajpu");
      box->selectAll();
      QTest::keyClicks(box, QStringLiteral("cxu"));
      QTest::keyClick(box, Qt::Key_Return);
      QTest::keyClicks(box, QStringLiteral("sxi"));
      Child<QPushButton>(dialog, "Button1")->click();
    }));
    QCOMPARE(label->text(), QStringLiteral("ĉu\nŝi"));
    QVERIFY2(setUp.Saved().contains("Label4=\xC4\x89u'#10'\xC5\x9Di\r\n"), setUp.Saved().constData());
    window.reset();
    window = OpenLesson1();
    QCOMPARE(LabelOnPage(window.get(), "Label4")->text(), QStringLiteral("ĉu\nŝi"));
  }

  void cancellingAndClosingStoreNothing() {
    TranslatorSetUp setUp;
    TForm19 translator;
    auto window = OpenLesson1();
    QLabel* label = LabelOnPage(window.get(), "Label3");
    const QByteArray before = setUp.Saved();
    QVERIFY(DoubleClickAndTranslate(label, [&](TForm19* dialog) {
      TypeInto(dialog, QStringLiteral(" changed"));
      QCOMPARE(label->text(), QStringLiteral("c sounds ts changed"));
      Child<QPushButton>(dialog, "Button2")->click();
    }));
    QCOMPARE(label->text(), QStringLiteral("c sounds ts"));

    // The close box keeps the typed text on screen only.
    QVERIFY(DoubleClickAndTranslate(label, [&](TForm19* dialog) {
      TypeInto(dialog, QStringLiteral(" typed"));
      dialog->close();
    }));
    QCOMPARE(label->text(), QStringLiteral("c sounds ts typed"));
    QCOMPARE(setUp.Saved(), before);
    QVERIFY(!translator.isVisible());
  }

  void doubleClicksDoNothingUnlessTranslating() {
    TranslatorSetUp setUp;
    TForm19 translator;
    auto window = OpenLesson1();
    QLabel* label = LabelOnPage(window.get(), "Label3");
    CurrentSettings().Tradukilo = false;
    QVERIFY(!DoubleClickAndTranslate(label, [](TForm19*) {}));
    CurrentSettings().Tradukilo = true;
    CurrentSettings().Lingvo = Portuguese;
    QVERIFY(!DoubleClickAndTranslate(label, [](TForm19*) {}));
    CurrentSettings().Lingvo = QStringLiteral("Testa");
    QVERIFY(DoubleClickAndTranslate(label, [](TForm19*) {}));
    // Static texts are never translated.
    auto* counter = qobject_cast<QLabel*>(OwnedComponent(window.get(), QStringLiteral("Placar1")));
    window->Pagxaro()->setCurrentIndex(1);
    QVERIFY(!DoubleClickAndTranslate(counter, [](TForm19*) {}));
  }

  void frameLabelsAreKeyedByTheirFrame() {
    TranslatorSetUp setUp;
    TForm19 translator;
    auto window = OpenLesson1();
    QWidget* wordGame = OwnedComponent(window.get(), QStringLiteral("TFrame11"));
    auto* instruction = qobject_cast<QLabel*>(OwnedComponent(wordGame, QStringLiteral("Label7")));
    QVERIFY(instruction);
    for (int i = 0; i < window->Pagxaro()->count(); ++i) {
      if (window->Pagxaro()->widget(i)->isAncestorOf(wordGame)) window->Pagxaro()->setCurrentIndex(i);
    }
    QString section, key, source;
    QVERIFY(DoubleClickAndTranslate(instruction, [&](TForm19* dialog) {
      section = dialog->Section();
      key = dialog->Key();
      source = Child<QPlainTextEdit>(dialog, "Legu")->toPlainText();
      Child<QPlainTextEdit>(dialog, "Tajpu")->setPlainText(QStringLiteral("Find the translation."));
      Child<QPushButton>(dialog, "Button1")->click();
    }));
    QCOMPARE(section, QStringLiteral("Gheneralaj"));
    QCOMPARE(key, QStringLiteral("TFrame1.Label7"));
    QCOMPARE(source, QStringLiteral("Encontre a tradução\ncorreta."));
    QVERIFY(setUp.Saved().contains("[Gheneralaj]\r\nTFrame1.Label7=Find the translation.\r\n"));

    // The window's own label of the same name is the window's.
    QLabel* own = LabelOnPage(window.get(), "Label7");
    QVERIFY(DoubleClickAndTranslate(own, [&](TForm19* dialog) {
      section = dialog->Section();
      key = dialog->Key();
      source = Child<QPlainTextEdit>(dialog, "Legu")->toPlainText();
    }));
    QCOMPARE(section, QStringLiteral("lec01"));
    QCOMPARE(key, QStringLiteral("Label7"));
    QCOMPARE(source, QStringLiteral("ne trovita"));
  }

  // The captions of the drawing of the learner's voice are the pronunciation
  // frame's, and a translator reaches them with a double-click like the others.
  void theVoiceDrawingsCaptionsAreTranslated() {
    TranslatorSetUp setUp;
    TForm19 translator;
    auto window = OpenLesson1();
    QWidget* practice = OwnedComponent(window.get(), QStringLiteral("TFrame21"));
    QVERIFY(practice);
    window->Pagxaro()->setCurrentWidget(practice->parentWidget());
    QStringList keys;
    for (const char* name : {"PP_Modelo", "PP_Vocxo"}) {
      auto* caption = qobject_cast<QLabel*>(OwnedComponent(practice, QLatin1String(name)));
      QVERIFY(caption && caption->isVisible());
      QVERIFY(
          DoubleClickAndTranslate(caption, [&](TForm19* dialog) { keys << dialog->Section() + '.' + dialog->Key(); }));
    }
    QCOMPARE(keys, (QStringList{"Gheneralaj.TFrame2.PP_Modelo", "Gheneralaj.TFrame2.PP_Vocxo"}));
  }

  void gapFillingInstructionsBelongToTheLesson() {
    DrillTestWindow test;
    test.window.setObjectName(QStringLiteral("Form9"));
    QWidget* page = test.AddPage(QStringLiteral("Pagxo"));
    QLabel* labels[2];
    const char* frames[2] = {"TFrame41", "Frame42"};
    for (int i = 0; i < 2; ++i) {
      auto* frame = new TFrame(page);
      frame->setObjectName(QLatin1String(frames[i]));
      labels[i] = new QLabel(frame);
      labels[i]->setObjectName(QStringLiteral("Label84"));
    }
    auto* other = new QLabel(page);
    other->setObjectName(QStringLiteral("Label3"));
    QCOMPARE(TranslatorKey(labels[0]), QStringLiteral("TFrame41.Label84"));
    QCOMPARE(TranslatorKey(labels[1]), QStringLiteral("Frame42.Label84"));
    QCOMPARE(TranslatorSection(labels[1], QStringLiteral("Frame42")), QStringLiteral("lec09"));
    QCOMPARE(TranslatorKey(other), QStringLiteral("Label3"));
    QCOMPARE(TranslatorSection(other, QStringLiteral("Form9")), QStringLiteral("lec09"));
  }

  void theEditBoxTakesTheLabelsShape() {
    TranslatorSetUp setUp;
    TForm19 translator;
    auto window = OpenLesson1();
    QLabel* shortLabel = LabelOnPage(window.get(), "GradTitolo1");  // sizes itself to its text
    QLabel* longLabel = LabelOnPage(window.get(), "Label1");        // wraps its words
    QVERIFY(!shortLabel->wordWrap());
    QVERIFY(longLabel->wordWrap());
    for (QLabel* label : {shortLabel, longLabel}) {
      LabelOnPage(window.get(), label->objectName().toLatin1().constData());
      QRect box;
      int height = 0;
      QFont font;
      const int heightBefore = translator.height();
      const int boxBefore = translator.findChild<QPlainTextEdit*>(QStringLiteral("Tajpu"))->height();
      QPoint button;
      QVERIFY(DoubleClickAndTranslate(label, [&](TForm19* dialog) {
        box = Child<QPlainTextEdit>(dialog, "Tajpu")->geometry();
        height = dialog->height();
        font = Child<QPlainTextEdit>(dialog, "Tajpu")->font();
        button = Child<QPushButton>(dialog, "Button1")->pos();
      }));
      QCOMPARE(box.width(), label == shortLabel ? 620 : label->width() + 12);
      QCOMPARE(box.height(), label->height() + 12);
      QCOMPARE(height, label->height() + heightBefore - boxBefore + 12);
      QCOMPARE(button.y(), height - 31);
      QVERIFY(box.bottom() < button.y());
      QCOMPARE(font.family(), label->font().family());
    }
  }

  void aFailedSaveTellsAndKeepsTheText() {
    TranslatorSetUp setUp;
    TForm19 translator;
    auto window = OpenLesson1();
    QLabel* label = LabelOnPage(window.get(), "Label3");
    const QByteArray before = setUp.Saved();
    // A file where the translator's folder would be: nothing can be saved, root or not.
    setUp.folder.Write("user-data", "ne dosierujo");
    QString told;
    QVERIFY(DoubleClickAndTranslate(label, [&](TForm19* dialog) {
      TypeInto(dialog, QStringLiteral("!"));
      WhenModalShown([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) told = box->text();
        modal->close();
      });
      Child<QPushButton>(dialog, "Button1")->click();
    }));
    QVERIFY2(told.contains(QStringLiteral("testa.trd")), qPrintable(told));
    QCOMPARE(label->text(), QStringLiteral("c sounds ts!"));
    QCOMPARE(setUp.Saved(), before);
    QCOMPARE(ReadCaption("Lec01", "Label3"), QStringLiteral("c sounds ts"));
  }

 private:
  HatTypingFilter hatTyping_;
};

QTEST_MAIN(TestTranslator)
#include "tst_translator.moc"
