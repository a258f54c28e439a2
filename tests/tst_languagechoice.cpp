#include "inifile.h"
#include "languagechoice.h"
#include "localeabbreviation.h"
#include "messages.h"
#include "settings.h"
#include "testsupport.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

class TestLanguageChoice : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { CloseSettingsFile(); }

  void preselection_data() {
    QTest::addColumn<QStringList>("identifiers");
    QTest::addColumn<QString>("system");
    QTest::addColumn<int>("expected");
    QTest::newRow("Brazilian system, built-in entry") << QStringList{"RUS", "ENU", "PTB"} << "PTB" << 2;
    QTest::newRow("file matching exactly wins over built-in") << QStringList{"PTG", "PTB"} << "ptg" << 0;
    QTest::newRow("first two letters, file first") << QStringList{"RUS", "PTX", "PTB"} << "PTG" << 1;
    QTest::newRow("first two letters, built-in") << QStringList{"RUS", "PTB"} << "PTG" << 1;
    QTest::newRow("no match, EN file") << QStringList{"RUS", "EN", "PTB"} << "JPN" << 1;
    QTest::newRow("nothing") << QStringList{"RUS", "PTB"} << "JPN" << -1;
    QTest::newRow("only built-in, PT system") << QStringList{"PTB"} << "PTG" << 0;
    QTest::newRow("blank system") << QStringList{"RUS", "PTB"} << "" << -1;
  }
  void preselection() {
    QFETCH(QStringList, identifiers);
    QFETCH(QString, system);
    QFETCH(int, expected);
    QCOMPARE(PreselectedLanguage(identifiers, system), expected);
  }

  // The shipped translations preselected from the system's locale: each
  // language its own, and any other language English.
  void preselectionOfTheShippedFiles_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English (UK)") << "en_GB"
                                  << "English";
    QTest::newRow("English (US)") << "en_US"
                                  << "English";
    QTest::newRow("Spanish (Mexico)") << "es_MX"
                                      << "Español";
    QTest::newRow("Spanish (Spain)") << "es_ES"
                                     << "Español";
    QTest::newRow("German") << "de_DE"
                            << "English";
    QTest::newRow("C") << "C"
                       << "English";
    QTest::newRow("Brazilian Portuguese") << "pt_BR"
                                          << "Português (Portugala)";
  }
  void preselectionOfTheShippedFiles() {
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    TempProgramFolder folder;
    const QStringList files{"angla.trd", "hispana.trd"};
    for (const QString& file : files) {
      folder.Write(QStringLiteral("tradukoj/") + file,
                   ReadFileBytes(QStringLiteral(PELANO_SOURCE_DIR "course/tradukoj/") + file));
    }
    OpenSettingsFile();
    TForm17 choice(files, LanguageAbbreviation(QLocale(locale)));
    auto* list = choice.findChild<QListWidget*>(QStringLiteral("Tradukoj"));
    QVERIFY(choice.SelectedIndex() >= 0);
    QCOMPARE(list->item(choice.SelectedIndex())->text(), expected);
  }

  void listAndChoiceOfAFile() {
    TempProgramFolder folder;
    folder.Write("tradukoj/angla.trd", "[Traduko]\r\nLingvo=English\r\nTiparo=DejaVu Sans\r\n");
    folder.Write("tradukoj/rusa.trd",
                 "[Traduko]\r\nLingvo=\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9\r\nLingvoID=rus\r\n"
                 "Tiparo=Arial\r\n");
    OpenSettingsFile();
    TForm17 choice({"angla.trd", "rusa.trd"}, QStringLiteral("RUS"));
    auto* list = choice.findChild<QListWidget*>(QStringLiteral("Tradukoj"));
    QVERIFY(list);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("English"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("Русский"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("Português (Portugala)"));
    QCOMPARE(choice.SelectedIndex(), 1);
    QCOMPARE(choice.windowTitle(), QStringLiteral("Lingvo"));
    QCOMPARE(choice.size(), QSize(231, 304));

    choice.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    using namespace SettingsKeys;
    QCOMPARE(SettingsFile()->ReadString(General, Dosiero, "-"), QStringLiteral("rusa.trd"));
    QCOMPARE(SettingsFile()->ReadString(General, Lingvo, "-"), QStringLiteral("Русский"));
    QCOMPARE(SettingsFile()->ReadString(General, Tiparo, "-"), QStringLiteral("Arial"));
  }

  void fileWithoutNamesAndClosingByTheCloseBox() {
    TempProgramFolder folder;
    folder.Write("tradukoj/nenio.trd", "[Alia]\r\nx=1\r\n");
    OpenSettingsFile();
    TForm17 choice({"nenio.trd"}, QStringLiteral("JPN"));
    auto* list = choice.findChild<QListWidget*>(QStringLiteral("Tradukoj"));
    QCOMPARE(list->item(0)->text(), QStringLiteral("....."));
    QCOMPARE(choice.SelectedIndex(), 0);  // no identifier counts as "EN"
    choice.show();
    choice.close();
    using namespace SettingsKeys;
    QCOMPARE(SettingsFile()->ReadString(General, Dosiero, "-"), QStringLiteral("nenio.trd"));
    QCOMPARE(SettingsFile()->ReadString(General, Lingvo, "-"), QStringLiteral("Português"));
    QCOMPARE(SettingsFile()->ReadString(General, Tiparo, "-"), QApplication::font().family());
  }

  void builtInChoice() {
    TempProgramFolder folder;
    OpenSettingsFile();
    TForm17 choice({}, QStringLiteral("PTB"));
    QCOMPARE(choice.SelectedIndex(), 0);
    choice.accept();
    using namespace SettingsKeys;
    QCOMPARE(SettingsFile()->ReadString(General, Dosiero, "-"), QString(""));
    QCOMPARE(SettingsFile()->ReadString(General, Lingvo, "-"), QStringLiteral("Português"));
    QCOMPARE(SettingsFile()->ReadString(General, Tiparo, "-"), QStringLiteral("Arial"));
  }

  // The choice cannot be stored (a folder stands where the settings file
  // should be, which holds for root too): the learner is told.
  void aChoiceThatCannotBeStoredIsTold() {
    TempProgramFolder folder;
    QDir().mkpath(folder.Path("konfig.ini"));
    OpenSettingsFile();
    SetBuiltInMessages();
    TForm17 choice({}, QStringLiteral("PTB"));
    QCOMPARE(MessageShownBy([&] { choice.accept(); }), MessageNaming(Messages().smNeSalvis, folder.Path("konfig.ini")));
  }
};

QTEST_MAIN(TestLanguageChoice)
#include "tst_languagechoice.moc"
