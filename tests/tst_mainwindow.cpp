#include "coursebeacon.h"
#include "drillprogress.h"
#include "hattypingfilter.h"
#include "inifile.h"
#include "languagechoice.h"
#include "lessonbadge.h"
#include "lessonwindows.h"
#include "letters.h"
#include "menubutton.h"
#include "messages.h"
#include "mp3player.h"
#include "ownedcomponents.h"
#include "pelanowindow.h"
#include "playeractions.h"
#include "programstart.h"
#include "resumerequest.h"
#include "settings.h"
#include "testsupport.h"
#include "translationfile.h"
#include "verdicts.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <thread>

namespace {

const QByteArray kGeneral = QByteArray(
    "[\xD8"
    "enerala]\r\n");
const QByteArray kPortuguese = QByteArray("Lingvo=Portugu\xC3\xAAs\r\n");

QPushButton* ButtonOf(const TPelano& window, const char* name) {
  return window.findChild<QPushButton*>(QLatin1String(name));
}

QString BadgeOf(const TPelano& window, const char* button) {
  const auto* badge = window.findChild<LessonBadge*>(QLatin1String(button) + QStringLiteral("Insigno"));
  return badge ? badge->Text() : QStringLiteral("no badge");
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

 private:
  UrlCatcher catcher_;

 private Q_SLOTS:
  void initTestCase() {
    SetApplicationIdentity();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher_, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher_, "open");
  }
  void init() {
    catcher_.urls.clear();
    CurrentSettings() = Settings{};
  }

  void firstStartAsksForTheLanguage() {
    TempProgramFolder folder;
    folder.Write("tradukoj/angla.trd", "[Traduko]\r\nLingvo=English\r\nLingvoID=ENU\r\n");
    folder.Write("tradukoj/Ceha.TRD",
                 "[Traduko]\r\nLingvo=\xC4\x8C"
                 "e\xC5\xA1tina\r\nLingvoID=CSY\r\n");
    folder.Write("tradukoj/notes.txt", "not a translation");
    QString shownEntry;
    QStringList entries;
    WhenModalShown([&](QWidget* modal) {
      auto* list = modal->findChild<QListWidget*>(QStringLiteral("Tradukoj"));
      for (int i = 0; i < list->count(); ++i) entries.append(list->item(i)->text());
      shownEntry = list->currentItem() ? list->currentItem()->text() : QString();
      modal->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    });
    TPelano window;
    // The system speaks Brazilian Portuguese (the test runs with LANG=pt_BR).
    QCOMPARE(entries, (QStringList{"English", "Čeština", "Português (Portugala)"}));
    QCOMPARE(shownEntry, QStringLiteral("Português (Portugala)"));
    QCOMPARE(window.TranslationFiles(), (QStringList{"angla.trd", "Ceha.TRD"}));
    QCOMPARE(CurrentSettings().Lingvo, QStringLiteral("Português"));
    QCOMPARE(CurrentSettings().LastaLeciono, 1);
    QCOMPARE(CurrentSettings().LastaPagxo, 1);
    QCOMPARE(ButtonOf(window, "KieButono")->text(), QStringLiteral("Onde eu parei?"));
    QVERIFY(!TranslationFile());
  }

  void theMenuAsBuilt() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    TPelano window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Pelano de Esperanto 3.02"));
    QCOMPARE(window.size(), QSize(630, 444));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(ButtonOf(window, "Lec01")->text(), QStringLiteral(" Leciono 1"));
    QCOMPARE(ButtonOf(window, "Lec05A")->text(), QStringLiteral(" Leciono 6"));
    QCOMPARE(ButtonOf(window, "Lec11")->text(), QStringLiteral(" Leciono 12"));
    QCOMPARE(ButtonOf(window, "Lec12")->text(), QStringLiteral("Fina Ekzameno"));
    QCOMPARE(ButtonOf(window, "Lec06")->geometry(), QRect(474, 189, 130, 24));
    QCOMPARE(ButtonOf(window, "KieButono")->geometry(), QRect(401, 388, 203, 24));
    QCOMPARE(ButtonOf(window, "Eliri")->geometry(), QRect(3, 348, 240, 28));
    QCOMPARE(ButtonOf(window, "KioEstas")->text(), QStringLiteral("O que é o Esperanto?"));
    QCOMPARE(ButtonOf(window, "KielUzi")->text(), QStringLiteral("Como usar o Curso"));
    QCOMPARE(ButtonOf(window, "Ligilo")->toolTip(), QStringLiteral("O Curso na Internet"));
    QCOMPARE(ButtonOf(window, "Lec07")->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("3.02"));

    // Lessons in blue, the course's own matters in yellow; a button lights
    // up while it has the focus.
    const auto colour = [&window](const char* name) {
      return window.findChild<MenuButton*>(QLatin1String(name))->TextColour().name();
    };
    QCOMPARE(colour("Lec03"), QStringLiteral("#004080"));
    QCOMPARE(colour("Kreditoj"), QStringLiteral("#ffd23a"));
    QCOMPARE(colour("Ligilo"), QStringLiteral("#1f5fbf"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    ButtonOf(window, "Kreditoj")->setFocus();
    QCOMPARE(colour("Kreditoj"), QStringLiteral("#fff3b0"));
    QCOMPARE(colour("Lec03"), QStringLiteral("#004080"));
    ButtonOf(window, "Lec03")->setFocus();
    QCOMPARE(colour("Lec03"), QStringLiteral("#1e73be"));
  }

  void translatedMenu() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + "Lingvo=English\r\nDosiero=ANGLA.trd\r\nTiparo=DejaVu Sans\r\n");
    folder.Write("tradukoj/angla.trd",
                 "[Menuo]\r\nKioEstas=What is Esperanto?\r\nEliri=Quit'#10'now\r\n"
                 "[Mesagxoj]\r\nsmLigilo=The course online\r\n");
    TPelano window;
    QVERIFY(TranslationFile());
    QCOMPARE(ButtonOf(window, "KioEstas")->text(), QStringLiteral("What is Esperanto?"));
    QCOMPARE(ButtonOf(window, "Eliri")->text(), QStringLiteral("Quit\nnow"));
    QCOMPARE(ButtonOf(window, "Kreditoj")->text(), NotTranslated);
    QCOMPARE(ButtonOf(window, "Ligilo")->toolTip(), QStringLiteral("The course online"));
    // Lesson buttons keep their Esperanto captions in every language.
    QCOMPARE(ButtonOf(window, "Lec02")->text(), QStringLiteral(" Leciono 2"));
  }

  void languageWithoutTheAccentIsATranslation() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + "Lingvo=Portugues\r\nDosiero=nenio.trd\r\n");
    TPelano window;
    QCOMPARE(ButtonOf(window, "KieButono")->text(), NotTranslated);
    QCOMPARE(Messages().smGratulon, NotTranslated);
  }

  void fontFallsBackToTheSystemFont() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese + "Tiparo=Nenia Tiparo\r\n");
    {
      TPelano window;
      const QString systemFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
      QCOMPARE(CurrentSettings().Tiparo, systemFont);
      QCOMPARE(ButtonOf(window, "Konfigurado")->font().family(), systemFont);
      QVERIFY(ButtonOf(window, "Konfigurado")->font().bold());
    }
    QVERIFY(folder.Read("konfig.ini").contains("Tiparo=Nenia Tiparo"));  // only memory changes
  }

  void ctrlTSwitchesTheTranslator() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    TPelano window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QStringList shown;
    auto pressCtrlT = [&] {
      WhenModalShown([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        shown.append(box->text());
        box->accept();
      });
      QTest::keyPress(&window, Qt::Key_T, Qt::ControlModifier);
      QTest::keyRelease(&window, Qt::Key_T, Qt::ControlModifier);
    };
    pressCtrlT();
    QVERIFY(CurrentSettings().Tradukilo);
    QVERIFY(folder.Read("konfig.ini").contains("Tradukilo=1"));
    pressCtrlT();
    QVERIFY(!CurrentSettings().Tradukilo);
    QVERIFY(folder.Read("konfig.ini").contains("Tradukilo=0"));
    QCOMPARE(shown, (QStringList{"La Tradukilo aktivighis.", "La Tradukilo malaktivighis."}));
    // A T without Ctrl does nothing.
    QTest::keyClick(&window, Qt::Key_T);
    QCOMPARE(shown.size(), 2);
  }

  void closingWritesWhereTheLearnerStopped() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese + "LastaLeciono=2\r\n");
    TPelano window;
    window.show();
    CurrentSettings().LastaLeciono = 7;
    CurrentSettings().LastaPagxo = 4;
    ButtonOf(window, "Eliri")->click();
    QVERIFY(!window.isVisible());
    TIniFile settings(folder.Path("konfig.ini"));
    QCOMPARE(settings.ReadInteger(SettingsKeys::General, SettingsKeys::LastaLeciono, 0), 7);
    QCOMPARE(settings.ReadInteger(SettingsKeys::General, SettingsKeys::LastaPagxo, 0), 4);
  }

  // Once the settings file cannot be written (a folder stands in its place,
  // which holds for root too), the switch and the closing say so.
  void failedWritesAreTold() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    TPelano window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QFile::remove(folder.Path("konfig.ini"));
    QDir().mkpath(folder.Path("konfig.ini"));
    QStringList shown;
    auto tell = [&shown] {
      WhenModalShown([&shown](QWidget* modal) {
        shown.append(qobject_cast<QMessageBox*>(modal)->text());
        modal->close();
      });
    };
    tell();
    QTest::keyPress(&window, Qt::Key_T, Qt::ControlModifier);
    QTest::keyRelease(&window, Qt::Key_T, Qt::ControlModifier);
    QVERIFY(!CurrentSettings().Tradukilo);
    tell();
    ButtonOf(window, "Eliri")->click();
    QVERIFY(!window.isVisible());
    const QString failure = MessageNaming(Messages().smNeSalvis, folder.Path("konfig.ini"));
    QCOMPARE(shown, (QStringList{failure, failure}));
  }

  // A second copy started while the first runs (here another process holding
  // the lock) writes nothing, says so and is never shown.
  void aSecondCopyLeavesTheFirstAlone() {
    TempProgramFolder folder;
    const QByteArray original = kGeneral + kPortuguese + "LastaLeciono=3\r\n";
    folder.Write("konfig.ini", original);
    QProcess first;
    first.start(QStringLiteral(PELANO_SETTINGS_PROBE), {folder.Path(), QStringLiteral("hold")});
    QVERIFY(first.waitForReadyRead(30000));
    QCOMPARE(first.readLine().trimmed(), QByteArray("locked"));
    QString shown;
    WhenModalShown([&shown](QWidget* modal) {
      shown = qobject_cast<QMessageBox*>(modal)->text();
      modal->close();
    });
    bool menuShown = false;
    QCOMPARE(RunPelano(*qApp, [&menuShown](TPelano&) { menuShown = true; }), 0);
    QVERIFY(!menuShown);
    QCOMPARE(shown, Messages().smJamMalfermita);
    QCOMPARE(folder.Read("konfig.ini"), original);
    first.closeWriteChannel();
    QVERIFY(first.waitForFinished(10000));
  }

  // The copy that runs comes forward when a second one calls it.
  void theRunningCopyComesForward() {
    TempProgramFolder folder;
    CourseBeacon beacon(folder.Path("konfig.ini"));
    QSignalSpy called(&beacon, &CourseBeacon::ForwardRequested);
    QVERIFY(!CourseBeacon::CallForward(folder.Path("other/konfig.ini")));
    bool answered = false;
    std::thread caller([&] { answered = CourseBeacon::CallForward(folder.Path("konfig.ini")); });
    QTRY_COMPARE(called.count(), 1);
    caller.join();
    QVERIFY(answered);
  }

  // A reading that ends while a message box over its lesson window, or
  // another program, has the focus still puts the lesson's buttons to rest.
  void theEndOfAStreamReachesTheLessonWindow() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    TPelano menu;
    menu.show();
    QList<QWidget*> reached;
    RegisterEndOfStreamAction(QStringLiteral("FormEndOfStream"),
                              [&reached](QWidget* window) { reached.append(window); });
    QDialog lesson(&menu);
    lesson.setObjectName(QStringLiteral("FormEndOfStream"));
    QTimer::singleShot(0, &lesson, [&] {
      QMessageBox box(QMessageBox::Information, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Ok, &lesson);
      QTimer::singleShot(0, &box, [&] {
        Q_EMIT menu.mp3().NotifyPlayerState(Mp3Player::EndOfStream);  // a message box has the focus
        box.accept();
      });
      box.exec();
      QApplication::setActiveWindow(nullptr);  // another program has the focus
      Q_EMIT menu.mp3().NotifyPlayerState(Mp3Player::EndOfStream);
      lesson.accept();
    });
    lesson.exec();
    RegisterEndOfStreamAction(QStringLiteral("FormEndOfStream"), {});
    QCOMPARE(reached, (QList<QWidget*>{&lesson, &lesson}));
  }

  void lessonButtonsOpenTheirWindowsModally() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    TPelano window;
    window.show();
    QList<int> opened;
    QList<bool> resumed;
    QList<bool> busyWhileBuilding;
    for (int lesson = 1; lesson <= 13; ++lesson) {
      TPelano::SetLessonWindowFactory(lesson, [&, lesson](QWidget* owner) {
        opened.append(lesson);
        resumed.append(ResumeRequested());
        const QCursor* cursor = QGuiApplication::overrideCursor();
        busyWhileBuilding.append(cursor && cursor->shape() == Qt::BusyCursor);
        auto dialog = std::make_unique<QDialog>(owner);
        WhenModalShown([](QWidget* modal) { modal->close(); });
        return dialog;
      });
    }
    ButtonOf(window, "Lec05A")->click();
    ButtonOf(window, "Lec06")->click();
    ButtonOf(window, "Lec12")->click();
    QCOMPARE(opened, (QList<int>{6, 7, 13}));
    QCOMPARE(resumed, (QList<bool>{false, false, false}));
    QCOMPARE(busyWhileBuilding, (QList<bool>{true, true, true}));
    QVERIFY(!QGuiApplication::overrideCursor());

    // Resume with nothing stored: lesson 1, with the resume flag up only while it opens.
    opened.clear();
    resumed.clear();
    ButtonOf(window, "KieButono")->click();
    QCOMPARE(opened, QList<int>{1});
    QCOMPARE(resumed, QList<bool>{true});
    QVERIFY(!ResumeRequested());

    CurrentSettings().LastaLeciono = 12;
    ButtonOf(window, "KieButono")->click();
    QCOMPARE(opened.last(), 12);
    for (int outside : {0, 14, -3}) {
      CurrentSettings().LastaLeciono = outside;
      ButtonOf(window, "KieButono")->click();
    }
    QCOMPARE(opened.size(), 2);
    for (int lesson = 1; lesson <= 13; ++lesson) TPelano::SetLessonWindowFactory(lesson, {});
  }

  // Beside each lesson, its drills passed; beside the exam, whether it was
  // sent. A drill passed in a lesson window shows once the window closes.
  void badgesShowTheProgress() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese +
                                   "[Progreso]\r\n0203.vortludo=75,75\r\n0201.auskultado=40,71\r\n"
                                   "0202.akuzativo=20,30\r\nEkzamenoSendita=1\r\n");
    TPelano window;
    window.show();
    QCOMPARE(BadgeOf(window, "Lec02"), QStringLiteral("2/4"));
    QCOMPARE(BadgeOf(window, "Lec01"), QString());
    QCOMPARE(BadgeOf(window, "Lec11"), QString());
    QCOMPARE(BadgeOf(window, "Lec12"), QStringLiteral("✓"));
    // Said in words too, in the course language.
    QCOMPARE(window.findChild<QWidget*>(QStringLiteral("Lec02Insigno"))->toolTip(),
             MessageNaming(Messages().smAprobitaj, QStringLiteral("2/4")));
    QCOMPARE(window.findChild<QWidget*>(QStringLiteral("Lec12Insigno"))->toolTip(), Messages().smEkzamenoSendita);
    for (const char* button : {"Lec01", "Lec05A", "Lec12"}) {
      const QRect badge = window.findChild<QWidget*>(QLatin1String(button) + QStringLiteral("Insigno"))->geometry();
      QVERIFY(badge.left() > ButtonOf(window, button)->geometry().right());
      QVERIFY(window.rect().contains(badge));
    }

    RegisterLessonWidgets();
    TPelano::SetLessonWindowFactory(1, [](QWidget* owner) { return CreateLessonWindow(1, owner); });
    auto passInTheWindow = [&](const char* drill) {
      QString shown;
      WhenModalShown([drill, &shown](QWidget* lesson) {
        shown = lesson->objectName();
        // As a drill run ends.
        DrillProgress(SettingsFile()).Record(QLatin1String(drill), 85);
        lesson->close();
      });
      ButtonOf(window, "Lec01")->click();
      QCOMPARE(shown, QStringLiteral("Form1"));
    };
    passInTheWindow("0103.vortludo");
    QCOMPARE(BadgeOf(window, "Lec01"), QStringLiteral("1/3"));
    passInTheWindow("0102.auskultado");
    passInTheWindow("0101.ekzerco");
    QCOMPARE(BadgeOf(window, "Lec01"), QStringLiteral("✓"));
    TPelano::SetLessonWindowFactory(1, {});

    // A real run of lesson 3's numbers, played to its verdict, counts as well.
    folder.Write("ekzercoj/ekz03.dat", "[0301D]\r\n1=du\r\n[0301R]\r\n1=2\r\n");
    folder.Write("sonoj/lec03/.keep", "");
    SoundsEnabled() = false;
    TPelano::SetLessonWindowFactory(3, [](QWidget* owner) { return CreateLessonWindow(3, owner); });
    QString verdict;
    QTimer verdictCloser;
    connect(&verdictCloser, &QTimer::timeout, [&verdict] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        verdict = box->text();
        box->close();
      }
    });
    WhenModalShown([&verdictCloser](QWidget* lesson) {
      qobject_cast<QTabWidget*>(OwnedComponent(lesson, QStringLiteral("Pagxaro")))->setCurrentIndex(2);
      qobject_cast<QPushButton*>(OwnedComponent(lesson, QStringLiteral("BitBtn1")))->click();
      qobject_cast<QLineEdit*>(OwnedComponent(lesson, QStringLiteral("Edit1")))->setText(QStringLiteral("2"));
      verdictCloser.start(10);
      qobject_cast<QPushButton*>(OwnedComponent(lesson, QStringLiteral("BitBtn2")))->click();
      verdictCloser.stop();
      lesson->close();
    });
    ButtonOf(window, "Lec03")->click();
    QCOMPARE(verdict, Messages().smGratulon);
    QCOMPARE(BadgeOf(window, "Lec03"), QStringLiteral("1/3"));
    TPelano::SetLessonWindowFactory(3, {});

    // Erased in the configuration window: nothing is shown once it closes.
    SetSettingsAndCreditsFactories();
    WhenModalShown([](QWidget* settings) {
      WhenModalShown(
          [](QWidget* question) { qobject_cast<QMessageBox*>(question)->button(QMessageBox::Yes)->click(); });
      settings->findChild<QAbstractButton*>(QStringLiteral("Restarigi"))->click();
      settings->close();
    });
    ButtonOf(window, "Konfigurado")->click();
    for (const char* button : {"Lec01", "Lec02", "Lec12"}) QCOMPARE(BadgeOf(window, button), QString());
  }

  void failedWindowRestoresTheCursor() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    TPelano window;
    TPelano::SetLessonWindowFactory(3, [](QWidget*) { return std::unique_ptr<QDialog>(); });
    ButtonOf(window, "Lec03")->click();
    QVERIFY(!QGuiApplication::overrideCursor());
    TPelano::SetLessonWindowFactory(3, {});
  }

  void helpDocumentsAndTheWebLink() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    folder.Write("tradukoj/KioEstas.rtf", "{\\rtf1}");
    folder.Write("tradukoj/kieluzi.rtf", "{\\rtf1}");
    {
      TPelano window;
      ButtonOf(window, "KioEstas")->click();
      ButtonOf(window, "KielUzi")->click();
      ButtonOf(window, "Ligilo")->click();
    }
    QCOMPARE(catcher_.urls.size(), 3);
    QCOMPARE(catcher_.urls[0].toLocalFile(), folder.Path("tradukoj/KioEstas.rtf"));
    QCOMPARE(catcher_.urls[1].toLocalFile(), folder.Path("tradukoj/kieluzi.rtf"));
    QCOMPARE(catcher_.urls[2], QUrl(QStringLiteral("https://pelano-de-esperanto.github.io")));
    QCOMPARE(WebAddressUrl(QStringLiteral("http://example.org/a")), QUrl(QStringLiteral("http://example.org/a")));

    // A translation names its own documents; one it names that cannot be
    // shown gives way to the default of the key, then to the built-in one.
    catcher_.urls.clear();
    folder.Write("konfig.ini", kGeneral + "Lingvo=Esperanto\r\nDosiero=eo.trd\r\n");
    folder.Write("tradukoj/eo.trd", "[Traduko]\r\nKioDosiero=kio_eo.rtf\r\nKielDosiero=../../etc/passwd\r\n");
    folder.Write("tradukoj/kio_eo.rtf", "{\\rtf1}");
    folder.Write("tradukoj/Kiel_ang.rtf", "{\\rtf1}");
    {
      TPelano window;
      ButtonOf(window, "KioEstas")->click();
      ButtonOf(window, "KielUzi")->click();
    }
    QCOMPARE(catcher_.urls.size(), 2);
    QCOMPARE(catcher_.urls[0].toLocalFile(), folder.Path("tradukoj/kio_eo.rtf"));
    QCOMPARE(catcher_.urls[1].toLocalFile(), folder.Path("tradukoj/Kiel_ang.rtf"));
  }

  // What a translation may name as its help document.
  void helpDocumentNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a document of the folder") << "kio_eo.rtf"
                                              << "tradukoj/kio_eo.rtf";
    QTest::newRow("letter case as on the disk") << "KIO_EO.RTF"
                                                << "tradukoj/kio_eo.rtf";
    QTest::newRow("web page") << "kio.html"
                              << "tradukoj/kio.html";
    QTest::newRow("out of the folder") << "../../etc/passwd" << QString();
    QTest::newRow("into the parent") << "../konfig.ini" << QString();
    QTest::newRow("Windows folders") << "..\\konfig.ini" << QString();
    QTest::newRow("absolute path") << "/etc/passwd" << QString();
    QTest::newRow("a program the desktop would run") << "kio.desktop" << QString();
    QTest::newRow("a link out of the folder") << "link.rtf" << QString();
    QTest::newRow("missing") << "absent.rtf" << QString();
    QTest::newRow("a folder") << "folder.rtf" << QString();
    QTest::newRow("empty") << "" << QString();
  }
  void helpDocumentNames() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    TempProgramFolder folder;
    folder.Write("konfig.ini", "[x]\r\n");
    folder.Write("tradukoj/kio_eo.rtf", "{\\rtf1}");
    folder.Write("tradukoj/kio.html", "<p>");
    folder.Write("tradukoj/kio.desktop", "[Desktop Entry]\nExec=true\n");
    folder.Write("outside.rtf", "{\\rtf1}");
    QVERIFY(QFile::link(folder.Path("outside.rtf"), folder.Path("tradukoj/link.rtf")));
    QDir().mkpath(folder.Path("tradukoj/folder.rtf"));
    const QString path = HelpDocumentPath(name);
    QCOMPARE(path, expected.isEmpty() ? QString() : QFileInfo(folder.Path(expected)).canonicalFilePath());
  }

  // Without a program for documents or web pages, the learner is told what to do.
  void whenTheDesktopCannotOpen() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    folder.Write("tradukoj/kioestas.rtf", "{\\rtf1}");
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QStringList shown;
    auto tell = [&shown] {
      WhenModalShown([&shown](QWidget* modal) {
        shown.append(qobject_cast<QMessageBox*>(modal)->text());
        modal->close();
      });
    };
    {
      TPelano window;
      tell();
      ButtonOf(window, "KioEstas")->click();
      tell();
      ButtonOf(window, "KielUzi")->click();  // not there at all
      tell();
      ButtonOf(window, "Ligilo")->click();
    }
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher_, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher_, "open");
    const QString address = QStringLiteral("https://pelano-de-esperanto.github.io");
    QCOMPARE(shown, (QStringList{MessageNaming(Messages().smNeDokumento,
                                               QFileInfo(folder.Path("tradukoj/kioestas.rtf")).canonicalFilePath()),
                                 MessageNaming(Messages().smNeDokumento, folder.Path("tradukoj/kieluzi.rtf")),
                                 MessageNaming(Messages().smNeRetejo, address)}));
    QCOMPARE(QApplication::clipboard()->text(), address);
    QVERIFY(catcher_.urls.isEmpty());
  }

  void typedXIsSwallowedAfterALetter() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    HatTypingFilter filter;
    qApp->installEventFilter(&filter);
    TPelano window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_C);
    QTest::keyClick(&window, Qt::Key_X);
    QCOMPARE(LastTypedKey(), QChar());
    qApp->removeEventFilter(&filter);
  }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
