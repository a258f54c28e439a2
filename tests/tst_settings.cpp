#include "inifile.h"
#include "localeabbreviation.h"
#include "messages.h"
#include "programpaths.h"
#include "settings.h"
#include "testsupport.h"
#include "translationfile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {
const QByteArray kGeneralHeader = QByteArray(
    "[\xD8"
    "enerala]\r\n");
}

class TestSettings : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() {
    CloseSettingsFile();
    CloseTranslationFile();
    QFile::remove(PerUserConfigFolder() + QStringLiteral("/konfig.ini"));
  }

  void defaultsWithoutAFile() {
    TempProgramFolder folder;
    OpenSettingsFile();
    QVERIFY(!SettingsReadOnly());
    QCOMPARE(SettingsFile()->FileName(), folder.Path("konfig.ini"));
    ReadSettings();
    const Settings& s = CurrentSettings();
    QCOMPARE(s.Lingvo, QStringLiteral("Português"));
    QCOMPARE(s.Tiparo, QStringLiteral("Arial"));
    QCOMPARE(s.Dosiero, QString());
    QVERIFY(!s.Korektanto);
    QVERIFY(s.Capeligo);
    QCOMPARE(s.Sistemo, 0);
    QCOMPARE(s.LastaLeciono, 1);
    QCOMPARE(s.LastaPagxo, 1);
    QVERIFY(!s.Tradukilo);
    QVERIFY(!QFile::exists(folder.Path("konfig.ini")));  // reading creates nothing
  }

  void keysAreTheExactBytes() {
    TempProgramFolder folder;
    OpenSettingsFile();
    using namespace SettingsKeys;
    SettingsFile()->WriteBool(General, Capeligo, false);
    SettingsFile()->WriteString(General, Nomo, QStringLiteral("Ĝoja Ŝanĉo"));
    QCOMPARE(folder.Read("konfig.ini"), kGeneralHeader +
                                            "\xC6"
                                            "apeligo=0\r\nNomo=\xC4\x9Coja \xC5\x9C"
                                            "an\xC4\x89o\r\n");
    ReadSettings();
    QVERIFY(!CurrentSettings().Capeligo);
    QCOMPARE(CurrentSettings().Nomo, QStringLiteral("Ĝoja Ŝanĉo"));
  }

  void olderFilesInWindows1252() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneralHeader +
                                   "Nomo=Jos\xe9 Mar\xed"
                                   "a\r\nAdreso=jose@example.org\r\nSistemo=2\r\n"
                                   "LastaLeciono=0x0C\r\nLastaPagxo=7\r\nKorektanto=1\r\n");
    OpenSettingsFile();
    ReadSettings();
    const Settings& s = CurrentSettings();
    QCOMPARE(s.Nomo, QStringLiteral("José María"));
    QCOMPARE(s.Adreso, QStringLiteral("jose@example.org"));
    QCOMPARE(s.Sistemo, 2);
    QCOMPARE(s.LastaLeciono, 12);
    QCOMPARE(s.LastaPagxo, 7);
    QVERIFY(s.Korektanto);
  }

  void readOnlyFileBesideTheProgramIsNeverWritten() {
    TempProgramFolder folder;
    const QByteArray original = kGeneralHeader + "Lingvo=Portugu\xeas\r\nLastaLeciono=4\r\n[Form1]\r\nEdit2=Mi\r\n";
    folder.Write("konfig.ini", original);
    QFile::setPermissions(folder.Path("konfig.ini"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    OpenSettingsFile();
    QVERIFY(SettingsReadOnly());
    QCOMPARE(SettingsFile()->FileName(), PerUserConfigFolder() + QStringLiteral("/konfig.ini"));
    // The per-user copy does not exist yet: it starts as the one beside the program.
    ReadSettings();
    QCOMPARE(CurrentSettings().LastaLeciono, 4);
    QVERIFY(SettingsFile()->WriteInteger(SettingsKeys::General, SettingsKeys::LastaLeciono, 9));
    QCOMPARE(folder.Read("konfig.ini"), original);
    ReadSettings();
    QCOMPARE(CurrentSettings().LastaLeciono, 9);
    QCOMPARE(SettingsFile()->ReadString("Form1", "Edit2", QString()), QStringLiteral("Mi"));
  }

  // Where the settings live, decided by another user than the owner of the
  // program folder: the probe runs as "nobody" when the test runs as root,
  // else as this user, for whom the folders below are not writable either.
  void settingsOfAFileThisUserCannotReplace_data() {
    QTest::addColumn<QFileDevice::Permissions>("filePermissions");
    QTest::addColumn<QFileDevice::Permissions>("folderPermissions");
    QTest::addColumn<bool>("besideTheProgram");
    const auto all = QFileDevice::Permissions(0x7777);
    const auto readable = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther |
                          QFileDevice::ReadUser | QFileDevice::WriteOwner | QFileDevice::WriteUser;
    const auto traversable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                             QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser |
                             QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                             QFileDevice::ExeOther;
    const bool root = ::geteuid() == 0;
    // Without root the probe is the owner: only missing write bits stop it.
    const auto unwritableFile =
        root ? readable : QFileDevice::Permissions(QFileDevice::ReadOwner | QFileDevice::ReadUser);
    const auto unwritableFolder = root ? traversable
                                       : QFileDevice::Permissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                                  QFileDevice::ReadUser | QFileDevice::ExeUser);
    QTest::newRow("file and folder writable") << all << all << true;
    QTest::newRow("file owned by someone else") << unwritableFile << all << false;
    QTest::newRow("folder this user cannot write") << all << unwritableFolder << false;
  }
  void settingsOfAFileThisUserCannotReplace() {
    QFETCH(QFileDevice::Permissions, filePermissions);
    QFETCH(QFileDevice::Permissions, folderPermissions);
    QFETCH(bool, besideTheProgram);
    TempProgramFolder folder;
    QTemporaryDir home;
    const QByteArray original = kGeneralHeader + "Nomo=Ana\r\n";
    folder.Write("konfig.ini", original);
    QVERIFY(QFile::setPermissions(folder.Path("konfig.ini"), filePermissions));
    QVERIFY(QFile::setPermissions(folder.Path(), folderPermissions));

    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    probe.setProcessEnvironment(environment);
    QStringList command{QStringLiteral(PELANO_SETTINGS_PROBE), folder.Path(), QStringLiteral("where")};
    if (::geteuid() == 0) {
      QVERIFY(QFile::setPermissions(home.path(), QFileDevice::Permissions(0x7777)));
      command = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                            QStringLiteral("--clear-groups"), QStringLiteral("--")} +
                command;
      command.prepend(QStringLiteral("setpriv"));
    }
    probe.start(command.takeFirst(), command);
    QVERIFY(probe.waitForFinished(30000));
    const QString output = QString::fromUtf8(probe.readAllStandardOutput());
    QVERIFY(QFile::setPermissions(folder.Path(), QFileDevice::Permissions(0x7700)));
    QCOMPARE(probe.exitCode(), 0);

    const QString beside = folder.Path("konfig.ini");
    const QString perUser = home.path() + QStringLiteral("/pelano_settingsprobe/konfig.ini");
    QVERIFY2(output.contains(QStringLiteral("file=") + (besideTheProgram ? beside : perUser)), qPrintable(output));
    QVERIFY2(output.contains(besideTheProgram ? "readonly=0" : "readonly=1"), qPrintable(output));
    // The learner's settings come along, and every save works.
    QVERIFY2(output.contains(QStringLiteral("Nomo=Ana\nwritten=1")), qPrintable(output));
    if (!besideTheProgram) {
      QCOMPARE(folder.Read("konfig.ini"), original);
      QCOMPARE(ReadFileBytes(perUser), kGeneralHeader + "Nomo=probe\r\n");
    }
  }

  // Two real copies of the course: the second cannot take the lock while the
  // first runs, and takes it over once the first has been killed; taking it
  // removes the half-made saves a killed copy left.
  void oneCourseWritesAtATime() {
    TempProgramFolder folder;
    auto hold = [&](QProcess& probe) {
      probe.start(QStringLiteral(PELANO_SETTINGS_PROBE), {folder.Path(), QStringLiteral("hold")});
      if (!probe.waitForStarted(10000)) return QByteArray();
      if (!probe.waitForReadyRead(30000)) return QByteArray();
      return probe.readLine().trimmed();
    };
    QProcess first;
    QCOMPARE(hold(first), QByteArray("locked"));
    QProcess second;
    QCOMPARE(hold(second), QByteArray("busy"));
    QVERIFY(second.waitForFinished(10000));
    // In this process too.
    OpenSettingsFile();
    QVERIFY(!LockSettingsFile());
    CloseSettingsFile();

    folder.Write("konfig.ini.Ab12Cd", "[half");
    folder.Write("konfig.ini.keep", "not a save");
    folder.Write("konfig.ini.Ab12Cde", "not a save");
    folder.Write("konfig.ini.Ab-2Cd", "not a save");
    first.kill();
    QVERIFY(first.waitForFinished(10000));
    QProcess third;
    QCOMPARE(hold(third), QByteArray("locked"));
    QVERIFY(!QFile::exists(folder.Path("konfig.ini.Ab12Cd")));
    QVERIFY(QFile::exists(folder.Path("konfig.ini.keep")));
    QVERIFY(QFile::exists(folder.Path("konfig.ini.Ab12Cde")));
    QVERIFY(QFile::exists(folder.Path("konfig.ini.Ab-2Cd")));
    third.closeWriteChannel();
    QVERIFY(third.waitForFinished(10000));
    OpenSettingsFile();
    QVERIFY(LockSettingsFile());
    QCOMPARE(folder.Read("konfig.ini.lock"), QByteArray::number(QCoreApplication::applicationPid()) + '\n');
    // Released, its file goes with it.
    CloseSettingsFile();
    QVERIFY(!QFile::exists(folder.Path("konfig.ini.lock")));
  }

  void builtInMessages() {
    SetBuiltInMessages();
    QCOMPARE(Messages().smGratulon, QStringLiteral("Parabéns, o seu resultado foi muito bom!"));
    QCOMPARE(Messages().smPordo, QStringLiteral("Retorna ao Menu Principal"));
    QCOMPARE(MenuTexts().KieButono, QStringLiteral("Onde eu parei?"));
    QCOMPARE(MenuTexts().Konfigurado, QStringLiteral("Configurações"));
  }

  void messagesFromATranslation() {
    TempProgramFolder folder;
    folder.Write("tradukoj/angla.trd",
                 "[Traduko]\r\nTradukinto=Ana \xC5\x9C"
                 "tono\r\n"
                 "[Mesagxoj]\r\nsmGratulon=Well done!'#10'Very good.\r\nsmDenove=\r\nsmPordo=\xe9t\xe9\r\n"
                 "[Menuo]\r\nKieButono=Where did I stop?\r\n");
    OpenTranslationFile(DataPath("tradukoj\\angla.trd"));
    ReadMessagesFromTranslation();
    QCOMPARE(Messages().smGratulon, QStringLiteral("Well done!\nVery good."));
    QCOMPARE(Messages().smDenove, NotTranslated);
    QCOMPARE(Messages().smNeSono, NotTranslated);
    QCOMPARE(Messages().smPordo, QString());  // not UTF-8: shown empty
    QCOMPARE(MenuTexts().KieButono, QStringLiteral("Where did I stop?"));
    QCOMPARE(MenuTexts().Eliri, NotTranslated);
    QCOMPARE(CurrentSettings().Tradukinto, QStringLiteral("Ana Ŝtono"));

    OpenTranslationFile(DataPath("tradukoj\\missing.trd"));
    ReadMessagesFromTranslation();
    QCOMPARE(Messages().smGratulon, NotTranslated);
    QCOMPARE(CurrentSettings().Tradukinto, QString());
  }

  void dataPathsIgnoreLetterCase() {
    TempProgramFolder folder;
    folder.Write("Sonoj/Lec01/Btn12.mp3", "x");
    QCOMPARE(DataPath("sonoj\\lec01\\btn12.mp3"), folder.Path("Sonoj/Lec01/Btn12.mp3"));
    QVERIFY(DataFileExists("SONOJ\\LEC01\\BTN12.MP3"));
    QVERIFY(!DataFileExists("sonoj\\lec02\\btn12.mp3"));
    QCOMPARE(DataPath("sonoj\\lec02\\x.mp3"), folder.Path("sonoj/lec02/x.mp3"));
  }

  void languageAbbreviations_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("abbreviation");
    QTest::newRow("Brazil") << "pt_BR"
                            << "PTB";
    QTest::newRow("Portugal") << "pt_PT"
                              << "PTG";
    QTest::newRow("US") << "en_US"
                        << "ENU";
    QTest::newRow("UK") << "en_GB"
                        << "ENG";
    QTest::newRow("Spain") << "es_ES"
                           << "ESN";
    QTest::newRow("France") << "fr_FR"
                            << "FRA";
    QTest::newRow("Germany") << "de_DE"
                             << "DEU";
    QTest::newRow("Russia") << "ru_RU"
                            << "RUS";
    QTest::newRow("Czech") << "cs_CZ"
                           << "CSY";
    QTest::newRow("Greek") << "el_GR"
                           << "ELL";
    QTest::newRow("Japan") << "ja_JP"
                           << "JPN";
    QTest::newRow("Croatia") << "hr_HR"
                             << "HRV";
    QTest::newRow("Lithuania") << "lt_LT"
                               << "LTH";
    QTest::newRow("Norway") << "nb_NO"
                            << "NOR";
    QTest::newRow("Serbian Latin") << "sr_Latn_RS"
                                   << "SRL";
    QTest::newRow("Esperanto") << "eo"
                               << "EO";
  }
  void languageAbbreviations() {
    QFETCH(QString, locale);
    QFETCH(QString, abbreviation);
    QCOMPARE(LanguageAbbreviation(QLocale(locale)), abbreviation);
  }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
