#include "lec12.h"
#include "lessonfixture.h"
#include "lessonwindows.h"
#include "letters.h"
#include "messages.h"
#include "navigationbar.h"
#include "pelanowindow.h"
#include "programpaths.h"
#include "resumerequest.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "translationfile.h"
#include "translator.h"
#include "uiloader.h"
#include "writtenanswers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

// A translation in force for the exam's section, with the translator switched on.
struct TranslationInForce {
  explicit TranslationInForce(const TempProgramFolder& folder) {
    folder.Write("tradukoj/testa.trd", "[Lec12]\r\n");
    CurrentSettings().Lingvo = QStringLiteral("Testa");
    CurrentSettings().Dosiero = QStringLiteral("testa.trd");
    CurrentSettings().Tradukilo = true;
    OpenTranslationFile(DataPath(QStringLiteral("tradukoj\\testa.trd")));
  }
  ~TranslationInForce() { CloseTranslationFile(); }
};

struct ExamFolder : LessonFiles {
  ExamFolder() : LessonFiles({}) {}
};

template <typename T>
T* Find(QWidget* window, const QString& name) {
  return window->findChild<T*>(name);
}

// The question labels, by their Tag, and the first words of their texts.
const QList<std::pair<int, QString>> kQuestions{{1, "1. Coloque no plural as seguintes palavras:"},
                                                {11, "2. Coloque no feminino os seguintes nomes:"},
                                                {21, "3. Indique o contrário dos seguintes adjetivos:"},
                                                {31, "4."},
                                                {40, "5."},
                                                {49, "6. Escreva a frase com o correlativo correto:"},
                                                {55, "7. Escreva a frase com a preposição correta:"},
                                                {61, "8."},
                                                {72, "9. Traduza para o Esperanto:"},
                                                {74, "10. Traduza para o português:"}};

QLabel* Question(QWidget* window, int tag) {
  for (auto* label : window->findChildren<QLabel*>()) {
    if (!qobject_cast<StaticText*>(label) && ComponentTag(label) == tag) return label;
  }
  return nullptr;
}

// Lists the edits of the exam by their Tags.
QMap<int, QLineEdit*> EditsByTag(QWidget* window) {
  QMap<int, QLineEdit*> edits;
  for (auto* edit : window->findChildren<QLineEdit*>()) edits.insert(ComponentTag(edit), edit);
  return edits;
}

QPoint CentreOf(const QWidget* widget) { return widget->mapToGlobal(widget->rect().center()); }

// Double-clicks `target` with the mouse pointer at `pointer`; the translator
// dialog that opens, if any, reports the key it was opened on.
bool DoubleClickOpensTranslator(QWidget* target, const QPoint& pointer, QString* key) {
  bool shown = false;
  QPointer<QTimer> watch = WhenModalShown([&](QWidget* modal) {
    shown = true;
    if (auto* dialog = qobject_cast<TForm19*>(modal)) *key = dialog->Key();
    modal->close();
  });
  QCursor::setPos(pointer);
  QTest::mouseDClick(target, Qt::LeftButton, {}, target->rect().center());
  QTest::qWait(50);
  if (watch) delete watch.data();
  return shown;
}

}  // namespace

class TestFinalExam : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    RegisterLessonWidgets();
    SetBuiltInMessages();
  }
  void init() { FreshLessonState(); }

  // Every question in its place, 63 answer edits each with its prompt, the
  // two memos, and every answer marking the exam as changed.
  void questionsAndAnswers() {
    ExamFolder data;
    auto window = OpenLesson<TForm12>(13);
    QVERIFY(window);
    for (const auto& [tag, text] : kQuestions) {
      QLabel* question = Question(window.get(), tag);
      QVERIFY2(question, qPrintable(QString::number(tag)));
      QVERIFY2(question->text().startsWith(text), qPrintable(question->text()));
    }

    // 63 answer edits, each with a prompt in its slot or right after one (question 4 asks two questions).
    const QMap<int, QLineEdit*> edits = EditsByTag(window.get());
    QCOMPARE(window->findChildren<QLineEdit*>().size(), 63);
    QCOMPARE(edits.size(), 63);
    for (int tag : edits.keys()) {
      QVERIFY2(tag >= 2 && tag <= 71, qPrintable(QString::number(tag)));
      bool prompted = false;
      for (auto* label : window->findChildren<QLabel*>()) {
        const int slot = ComponentTag(label);
        prompted |= slot == tag || (slot == tag - 1 && ((tag >= 33 && tag <= 39) || (tag >= 63 && tag <= 71)));
      }
      QVERIFY2(prompted, qPrintable(QString::number(tag)));
    }
    auto* translation = Find<QPlainTextEdit>(window.get(), QStringLiteral("Memo2"));
    auto* letter = Find<QPlainTextEdit>(window.get(), QStringLiteral("Memo4"));
    QVERIFY(translation && letter);
    QCOMPARE(ComponentTag(translation), 73);
    QCOMPARE(ComponentTag(letter), 202);
    QCOMPARE(window->findChildren<QPlainTextEdit*>().size(), 2);

    // Every answer marks the exam as changed.
    QVERIFY(!window->SubaParto()->Savu()->isEnabled());
    edits.last()->setText(QStringLiteral("x"));
    QVERIFY(window->SubaParto()->Savu()->isEnabled());
    window->SubaParto()->Savu()->setEnabled(false);
    letter->setPlainText(QStringLiteral("y"));
    QVERIFY(window->SubaParto()->Savu()->isEnabled());
  }

  void barShowsTheEnvelopeOnTheLastPageOnly() {
    ExamFolder data;
    auto window = OpenLesson<TForm12>(13);
    window->show();
    TFrame6* bar = window->SubaParto();
    for (int page = 0; page < 5; ++page) {
      window->Pagxaro()->setCurrentIndex(page);
      QCOMPARE(bar->koverto()->isVisible(), page == 4);
      QVERIFY(bar->Helpo()->isVisible());
    }
  }

  void lastPageSendsTheWholeExamInSlotOrder() {
    ExamFolder data;
    CurrentSettings().Sistemo = 1;
    CurrentSettings().Adreso = QStringLiteral("monitoro@example.org");
    auto window = OpenLesson<TForm12>(13);
    window->show();
    const QMap<int, QLineEdit*> edits = EditsByTag(window.get());
    for (auto it = edits.begin(); it != edits.end(); ++it) it.value()->setText(QStringLiteral("ĉ%1").arg(it.key()));
    Find<QPlainTextEdit>(window.get(), QStringLiteral("Memo2"))->setPlainText(QStringLiteral("Hieraŭ pluvis."));
    Find<QPlainTextEdit>(window.get(), QStringLiteral("Memo4"))
        ->setPlainText(QStringLiteral("Querido Paulo,\nobrigada!"));
    window->Pagxaro()->setCurrentIndex(4);
    const MonitorMessage message = BuildMonitorMessage(window->Pagxaro());

    // Question 1 and its first word come first, each answer after its prompt, in the learner's letters.
    const QString first = Question(window.get(), 1)->text() + QStringLiteral("\r\n");
    QVERIFY2(message.body.startsWith(first), qPrintable(message.body.left(200)));
    QString firstWord;
    for (auto* text : window->findChildren<StaticText*>()) {
      if (ComponentTag(text) == 2) firstWord = text->text();
    }
    QVERIFY(message.body.mid(first.size()).startsWith(firstWord + QStringLiteral("\r\n\tcx2\r\n\r\n")));
    // The letter of question 10, converted, and its translation, as typed, come last.
    QString letter;
    for (auto* text : window->findChildren<StaticText*>()) {
      if (ComponentTag(text) == 75) letter = text->text();
    }
    QVERIFY(
        message.body.endsWith(ToLetterSystem(letter, 1) + QStringLiteral("\r\n\r\nQuerido Paulo,\nobrigada!\r\n\r\n")));
    // Every question in its slot order, and both answers of question 4 in order after their sentence.
    int previous = -1;
    for (const auto& question : kQuestions) {
      const int at = message.body.indexOf(Question(window.get(), question.first)->text() + QStringLiteral("\r\n"));
      QVERIFY2(at > previous, qPrintable(question.second));
      previous = at;
    }
    QVERIFY(message.body.contains(QStringLiteral("\tcx32\r\n\r\n\tcx33\r\n\r\n")));
    QVERIFY(message.body.contains(QStringLiteral("\r\n\r\nHiera") + QStringLiteral("ux pluvis.\r\n\r\n")));
    QCOMPARE(message.body.count(QLatin1Char('\t')), 63);
    QVERIFY(message.address.toString().endsWith(QStringLiteral("Fina Ekzameno - Pagxo 5")));
  }

  void answersTypedOnPage2ComeBack() {
    ExamFolder data;
    QMap<int, QString> typed;
    {
      auto window = OpenLesson<TForm12>(13);
      window->show();
      window->Pagxaro()->setCurrentIndex(1);
      const QMap<int, QLineEdit*> edits = EditsByTag(window.get());
      for (int tag : {32, 33, 41, 48}) {
        typed.insert(tag, QStringLiteral("Kion Petro legas? %1").arg(tag));
        edits[tag]->setText(typed[tag]);
      }
      window->SubaParto()->SavuClick();
      QVERIFY(!window->SubaParto()->Savu()->isEnabled());
      window->close();
    }
    auto window = OpenLesson<TForm12>(13);
    const QMap<int, QLineEdit*> edits = EditsByTag(window.get());
    for (auto it = typed.begin(); it != typed.end(); ++it) QCOMPARE(edits[it.key()]->text(), it.value());
    QCOMPARE(edits[34]->text(), QString());
    QVERIFY(!window->SubaParto()->Savu()->isEnabled());
  }

  void resumesOnPage3() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", QByteArray("[\xD8"
                                          "enerala]\r\nLingvo=Portugu\xC3\xAAs\r\n"));
    TPelano::SetLessonWindowFactory(13, [](QWidget* owner) { return CreateLessonWindow(13, owner); });
    TPelano menu;
    menu.show();
    // The exam's button, then "Onde eu parei?" after leaving the exam on page 3.
    int openedOn = -1;
    QPointer<QTimer> watch = WhenModalShown([&](QWidget* modal) {
      auto* exam = qobject_cast<TForm12*>(modal);
      if (exam) exam->Pagxaro()->setCurrentIndex(2);
      modal->close();
    });
    menu.findChild<QPushButton*>(QStringLiteral("Lec12"))->click();
    delete watch.data();
    QCOMPARE(CurrentSettings().LastaLeciono, 13);
    QCOMPARE(CurrentSettings().LastaPagxo, 2);
    watch = WhenModalShown([&](QWidget* modal) {
      if (auto* exam = qobject_cast<TForm12*>(modal)) openedOn = exam->Pagxaro()->currentIndex();
      modal->close();
    });
    menu.findChild<QPushButton*>(QStringLiteral("KieButono"))->click();
    delete watch.data();
    TPelano::SetLessonWindowFactory(13, {});
    QCOMPARE(openedOn, 2);
  }

  void translatorOpensOnTheLabelUnderThePointer() {
    ExamFolder data;
    TranslationInForce translation(data.folder);
    TForm19 translator;
    auto window = OpenLesson<TForm12>(13);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->Pagxaro()->setCurrentIndex(2);
    QLabel* question = Question(window.get(), 49);
    QWidget* page = window->Pagxaro()->currentWidget();
    QString key;

    QVERIFY(DoubleClickOpensTranslator(question, CentreOf(question), &key));
    QCOMPARE(key, question->objectName());
    // The window's background, and the keyboard picture of the navigation bar: nothing opens.
    const QPoint background = page->mapToGlobal(QPoint(4, page->height() - 4));
    QCOMPARE(QApplication::widgetAt(background), page);
    QVERIFY(!DoubleClickOpensTranslator(page, background, &key));
    QVERIFY(!DoubleClickOpensTranslator(window.get(), background, &key));
    QVERIFY(!DoubleClickOpensTranslator(window.get(), CentreOf(window->SubaParto()->Helpo()), &key));
    // It is the pointer that counts: a double-click reported on a label with the pointer elsewhere opens nothing.
    QVERIFY(!DoubleClickOpensTranslator(question, background, &key));
    // A label under the pointer opens even when the double-click reached the window.
    QLabel* other = Question(window.get(), 55);
    key.clear();
    QVERIFY(DoubleClickOpensTranslator(window.get(), CentreOf(other), &key));
    QCOMPARE(key, other->objectName());
    // Static texts count as labels.
    StaticText* sentence = nullptr;
    for (auto* text : page->findChildren<StaticText*>()) {
      if (ComponentTag(text) == 50) sentence = text;
    }
    QVERIFY(DoubleClickOpensTranslator(sentence, CentreOf(sentence), &key));
    QCOMPARE(key, sentence->objectName());
  }
};

QTEST_MAIN(TestFinalExam)
#include "tst_lesson12.moc"
