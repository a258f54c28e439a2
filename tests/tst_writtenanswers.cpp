#include "drillhost.h"
#include "drillprogress.h"
#include "inifile.h"
#include "messages.h"
#include "settings.h"
#include "statictext.h"
#include "storedtext.h"
#include "testsupport.h"
#include "writtenanswers.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A lesson window as its stored layout would build it: pages of a page
// control, labels and edits numbered by their Tags.
struct TestWindow {
  QDialog window;
  QTabWidget* pagxaro = new QTabWidget(&window);

  TestWindow() {
    window.setObjectName(QStringLiteral("Form1"));
    window.setWindowTitle(QStringLiteral("Leciono 01"));
    pagxaro->setObjectName(QStringLiteral("Pagxaro"));
  }
  QWidget* AddPage(const QString& name) {
    auto* page = new QWidget;
    page->setObjectName(name);
    new QVBoxLayout(page);
    pagxaro->addTab(page, QString::number(pagxaro->count() + 1));
    return page;
  }
  template <typename T>
  T* Add(QWidget* page, const QString& name, int tag, const QString& text = QString()) {
    auto* widget = new T(page);
    widget->setObjectName(name);
    widget->setProperty("tag", tag);
    if constexpr (std::is_base_of_v<QLabel, T> || std::is_same_v<T, QLineEdit>) widget->setText(text);
    page->layout()->addWidget(widget);
    return widget;
  }
};

// A lesson window with drills, as the lesson windows are: lesson 5's word
// game and listening ask the same exercise.
class DrillWindow : public DrillHost {
 public:
  DrillWindow() {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Leciono 05"));
    pagxaro->setObjectName(QStringLiteral("Pagxaro"));
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Traduko"));
    pagxaro->addTab(page, QStringLiteral("1"));
    auto* label = new QLabel(QStringLiteral("1. Frase."), page);
    label->setProperty("tag", 1);
    auto* edit = new QLineEdit(QStringLiteral("Frazo."), page);
    edit->setProperty("tag", 1);
  }
  const DrillCodes& Codes() const override { return codes_; }
  QString SoundFolder() const override { return QStringLiteral("05"); }
  int CurrentPage() const override { return pagxaro->currentIndex(); }
  QTabWidget* pagxaro = new QTabWidget(this);

 private:
  DrillCodes codes_{.wordGame = "0501", .listening = "0501", .gaps = {{{"TFrame41", "0502"}}}};
};

}  // namespace

class TestWrittenAnswers : public QObject {
  Q_OBJECT

 private:
  UrlCatcher mail_;

 private Q_SLOTS:
  void initTestCase() {
    SetBuiltInMessages();
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail_, "open");
  }
  void init() {
    CurrentSettings() = Settings{};
    mail_.urls.clear();
  }
  void cleanup() { CloseSettingsFile(); }

  void answersComeBackExactly() {
    TempProgramFolder folder;
    OpenSettingsFile();
    const QString edited = QStringLiteral("  Ĉu vi \"vidas\" la domon?  ");
    const QString memoText = QStringLiteral("Unua linio\nDua: 'citaĵo'\n\nKvara ;=[x]");
    {
      TestWindow w;
      QWidget* page = w.AddPage("Traduko");
      w.Add<QLineEdit>(page, "Edit2", 1, edited);
      w.Add<QLineEdit>(page, "Edit3", 2);
      auto* memo = w.Add<QPlainTextEdit>(page, "Memo1", 3);
      memo->setPlainText(memoText);
      auto* untagged = w.Add<QLineEdit>(page, "Edit9", 0, "not an answer");
      Q_UNUSED(untagged);
      SaveWrittenAnswers(w.pagxaro);
    }
    const TIniFile& settings = *SettingsFile();
    QCOMPARE(settings.ReadSection("Form1"), (QByteArrayList{"Edit2", "Edit3", "Memo1"}));
    QCOMPARE(settings.ReadBytes("Form1", "Memo1", ""), EncodeTranslation(memoText));
    QVERIFY(settings.ReadBytes("Form1", "Memo1", "").count("'#10'") == 3);

    TestWindow w;
    QWidget* page = w.AddPage("Traduko");
    auto* edit2 = w.Add<QLineEdit>(page, "Edit2", 1, "will be replaced");
    auto* edit3 = w.Add<QLineEdit>(page, "Edit3", 2, "will be emptied");
    auto* memo = w.Add<QPlainTextEdit>(page, "Memo1", 3);
    auto* readOnly = w.Add<QPlainTextEdit>(page, "Memo2", 4);
    readOnly->setPlainText(QStringLiteral("the text to translate"));
    readOnly->setReadOnly(true);
    LoadWrittenAnswers(w.pagxaro);
    QCOMPARE(edit2->text(), edited);
    QCOMPARE(edit3->text(), QString());
    QCOMPARE(memo->toPlainText(), memoText);
    QCOMPARE(memo->textCursor().position(), 0);
    QCOMPARE(readOnly->toPlainText(), QStringLiteral("the text to translate"));
  }

  void storedLineBreakMarkersInEdits() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", "[Form1]\r\nEdit2=unu'#10'du\r\nEdit3=a'#10'b\r\nEdit4=\xff\xfe junk\r\n");
    OpenSettingsFile();
    TestWindow w;
    QWidget* page = w.AddPage("Traduko");
    auto* edit2 = w.Add<QLineEdit>(page, "Edit2", 1);
    auto* edit4 = w.Add<QLineEdit>(page, "Edit4", 3, "x");
    LoadWrittenAnswers(w.pagxaro);
    QCOMPARE(edit2->text(), QStringLiteral("unu\ndu"));
    QCOMPARE(edit4->text(), QStringLiteral("ÿþ junk"));  // not UTF-8: the old 8-bit code page
  }

  void messageOfATranslationPage_data() {
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("expectedBody");
    const QString body = QStringLiteral(
        "1. O chá está quente.\r\n\tLa teo estas varma.\r\n\r\n"
        "2. Ela é minha amiga.\r\n\t%1i estas mia amikino.\r\n\r\n"
        "3. Nós somos felizes.\r\n\t\r\n\r\n");
    QTest::newRow("letters") << 0 << body.arg(QStringLiteral("Ŝ"));
    QTest::newRow("x-system") << 1 << body.arg(QStringLiteral("Sx"));
  }
  void messageOfATranslationPage() {
    QFETCH(int, system);
    QFETCH(QString, expectedBody);
    CurrentSettings().Sistemo = system;
    CurrentSettings().Adreso = QStringLiteral("monitoro@example.org");
    TestWindow w;
    w.AddPage("Alfabeto");
    QWidget* page = w.AddPage("Traduko");
    w.Add<QLabel>(page, "Label1", 0, "Traduza para o Esperanto");
    // Components in another order than their Tags: the body follows the Tags.
    w.Add<QLineEdit>(page, "Edit3", 2, QStringLiteral("Ŝi estas mia amikino."));
    w.Add<QLabel>(page, "Label3", 2, QStringLiteral("2. Ela é minha amiga."));
    w.Add<QLabel>(page, "Label2", 1, QStringLiteral("1. O chá está quente."));
    w.Add<QLineEdit>(page, "Edit2", 1, QStringLiteral("La teo estas varma."));
    w.Add<QLabel>(page, "Label4", 3, QStringLiteral("3. Nós somos felizes."));
    w.Add<QLineEdit>(page, "Edit4", 3);
    w.pagxaro->setCurrentIndex(1);
    const MonitorMessage message = BuildMonitorMessage(w.pagxaro);
    QCOMPARE(message.body, expectedBody);
    QCOMPARE(message.address.toString(QUrl::FullyEncoded),
             QStringLiteral("mailto:monitoro@example.org?subject=Leciono%2001%20-%20Pagxo%202"));
  }

  void conversionFollowsTheTags() {
    CurrentSettings().Sistemo = 1;
    TestWindow w;
    QWidget* page = w.AddPage("Legado");
    w.Add<StaticText>(page, "StaticText1", 1, QStringLiteral("Ĉu ŝi venos?"));
    w.Add<QLineEdit>(page, "Edit1", 1, QStringLiteral("Jes, ŝi venos."));
    w.Add<QLabel>(page, "Label2", 2, QStringLiteral("Ĝis!"));
    w.Add<QLineEdit>(page, "Edit2", 129, QStringLiteral("ĝis"));
    auto* text = w.Add<QPlainTextEdit>(page, "Memo1", 3);
    text->setPlainText(QStringLiteral("Ŝi kantas."));
    text->setReadOnly(true);
    auto* answer = w.Add<QPlainTextEdit>(page, "Memo2", 130);
    answer->setPlainText(QStringLiteral("Ela canta.\nĈiam."));
    auto* panel = new QWidget(page);
    auto* hidden = new QLineEdit(QStringLiteral("in a panel"), panel);
    hidden->setProperty("tag", 4);
    const MonitorMessage message = BuildMonitorMessage(w.pagxaro);
    QCOMPARE(message.body, QStringLiteral("Cxu sxi venos?\r\n\tJes, sxi venos.\r\n\r\n"
                                          "Ĝis!\r\n\tĝis\r\n\r\n"
                                          "\r\nSxi kantas.\r\n\r\n\r\nEla canta.\nĈiam.\r\n\r\n"));
  }

  void addressCannotAddRecipientsOrHeaders() {
    const QUrl url = MonitorMailUrl(QStringLiteral("ana@example.org?cc=eve@example.org&bcc=x"),
                                    QStringLiteral("Leciono 01 - Pagxo 12 & more #1 100%"));
    const QUrlQuery query(url);
    QCOMPARE(query.queryItems().size(), 1);
    QCOMPARE(url.path(), QStringLiteral("ana@example.org?cc=eve@example.org&bcc=x"));
    QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
             QStringLiteral("Leciono 01 - Pagxo 12 & more #1 100%"));
  }

  void sendingAsksFirstAndNeedsAMonitor() {
    TestWindow w;
    QWidget* page = w.AddPage("Traduko");
    w.Add<QLabel>(page, "Label2", 1, QStringLiteral("1. Frase."));
    w.Add<QLineEdit>(page, "Edit2", 1, QStringLiteral("Frazo."));
    QString shown;
    WhenModalShown([&](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    SendToMonitor(w.pagxaro);
    QCOMPARE(shown, Messages().smDevasHaviKor);
    QVERIFY(mail_.urls.isEmpty());

    CurrentSettings().Korektanto = true;
    CurrentSettings().Adreso = QStringLiteral("monitoro@example.org");
    QApplication::clipboard()->setText(QStringLiteral("before"));
    WhenModalShown([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Cancel)->click(); });
    SendToMonitor(w.pagxaro);
    QVERIFY(mail_.urls.isEmpty());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));

    WhenModalShown([&](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click();
    });
    SendToMonitor(w.pagxaro);
    QCOMPARE(shown, Messages().smTondujo);
    QCOMPARE(mail_.urls.size(), 1);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1. Frase.\r\n\tFrazo.\r\n\r\n"));

    // Without an e-mail program the learner is told, and the clipboard holds
    // the address and the subject as well as the message.
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QStringList texts;
    WhenModalShown([&](QWidget* modal) {
      texts.append(qobject_cast<QMessageBox*>(modal)->text());
      qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click();
      WhenModalShown([&](QWidget* second) {
        texts.append(qobject_cast<QMessageBox*>(second)->text());
        second->close();
      });
    });
    SendToMonitor(w.pagxaro);
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail_, "open");
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[1], MessageNaming(Messages().smNeRetposxto, QStringLiteral("monitoro@example.org")));
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("monitoro@example.org\r\nLeciono 01 - Pagxo 1\r\n\r\n1. Frase.\r\n\tFrazo.\r\n\r\n"));
  }

  // With the learner's leave, the message ends with the lesson's drill results.
  void theDrillResultsFollowTheAnswers() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", "[Progreso]\r\n0501.vortludo=65,80\r\n0502.kompletigo=40,55\r\n");
    OpenSettingsFile();
    DrillWindow w;
    const QString answers = QStringLiteral("1. Frase.\r\n\tFrazo.\r\n\r\n");
    QCOMPARE(BuildMonitorMessage(w.pagxaro).body, answers);
    CurrentSettings().SenduRezultojn = true;
    QCOMPARE(BuildMonitorMessage(w.pagxaro).body, answers + QStringLiteral("\r\n") + Messages().smRezultoj +
                                                      QStringLiteral("\r\n"
                                                                     "\tVortludo 0501\t65%\t80%\t✓\r\n"
                                                                     "\tAŭskultado 0501\t—\r\n"
                                                                     "\tKompletigo 0502\t40%\t55%\r\n"));
  }

  // Sending the final exam is noted for the main menu; a note that cannot be
  // saved is told.
  void sendingTheExamIsNoted() {
    TempProgramFolder folder;
    OpenSettingsFile();
    CurrentSettings().Korektanto = true;
    CurrentSettings().Adreso = QStringLiteral("monitoro@example.org");
    TestWindow w;
    w.window.setObjectName(QStringLiteral("Form12"));
    QWidget* page = w.AddPage("Ekzameno1");
    w.Add<QLabel>(page, "Label2", 1, QStringLiteral("1. Frase."));
    w.Add<QLineEdit>(page, "Edit2", 1, QStringLiteral("Frazo."));
    // Cancelled, nothing was sent.
    WhenModalShown([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Cancel)->click(); });
    SendToMonitor(w.pagxaro);
    QVERIFY(!DrillProgress(SettingsFile()).ExamSent());
    WhenModalShown([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click(); });
    SendToMonitor(w.pagxaro);
    QCOMPARE(mail_.urls.size(), 1);
    QVERIFY(DrillProgress(SettingsFile()).ExamSent());

    QVERIFY(DrillProgress(SettingsFile()).Reset());
    QVERIFY(QFile::remove(folder.Path("konfig.ini")));
    QVERIFY(QDir().mkpath(folder.Path("konfig.ini")));
    QStringList texts;
    WhenModalShown([&](QWidget* modal) {
      texts.append(qobject_cast<QMessageBox*>(modal)->text());
      qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click();
      WhenModalShown([&](QWidget* second) {
        texts.append(qobject_cast<QMessageBox*>(second)->text());
        second->close();
      });
    });
    SendToMonitor(w.pagxaro);
    QCOMPARE(texts,
             (QStringList{Messages().smTondujo, MessageNaming(Messages().smNeSalvis, folder.Path("konfig.ini"))}));
  }

  // Answers stored by older versions in their 8-bit code page come back, and
  // saving after one edit keeps the other nine.
  void eightBitAnswersComeBackAndSurviveAnEdit() {
    TempProgramFolder folder;
    QByteArray stored = "[Form1]\r\n";
    auto answer = [](int i) { return QStringLiteral("Resposta nº %1: ação “certa” – é").arg(i); };
    for (int i = 1; i <= 10; ++i) {
      // Windows-1252: BA for º, E7 E3 for ç ã, 93 94 for the quotes, 96 for the dash.
      stored += "Edit" + QByteArray::number(i + 1) + "=Resposta n\xba " + QByteArray::number(i) + ": a\xe7\xe3o \x93" +
                "certa\x94 \x96 \xe9\r\n";
    }
    folder.Write("konfig.ini", stored);
    OpenSettingsFile();
    auto openWindow = [](TestWindow& w) {
      QWidget* page = w.AddPage("Traduko");
      QList<QLineEdit*> edits;
      for (int i = 1; i <= 10; ++i) edits.append(w.Add<QLineEdit>(page, QStringLiteral("Edit%1").arg(i + 1), i));
      LoadWrittenAnswers(w.pagxaro);
      return edits;
    };
    {
      TestWindow w;
      const QList<QLineEdit*> edits = openWindow(w);
      for (int i = 1; i <= 10; ++i) QCOMPARE(edits[i - 1]->text(), answer(i));
      edits[4]->setText(QStringLiteral("Nova resposta"));
      QVERIFY(SaveWrittenAnswers(w.pagxaro));
    }
    TestWindow w;
    const QList<QLineEdit*> edits = openWindow(w);
    for (int i = 1; i <= 10; ++i) {
      QCOMPARE(edits[i - 1]->text(), i == 5 ? QStringLiteral("Nova resposta") : answer(i));
    }
  }
};

QTEST_MAIN(TestWrittenAnswers)
#include "tst_writtenanswers.moc"
