#include "hattypingfilter.h"
#include "inifile.h"
#include "konfig.h"
#include "messages.h"
#include "pelanowindow.h"
#include "programstart.h"
#include "settings.h"
#include "statictext.h"
#include "testsupport.h"
#include "translationfile.h"
#include "translator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

const QByteArray kGeneral = QByteArray(
    "[\xD8"
    "enerala]\r\n");
const QByteArray kPortuguese = QByteArray("Lingvo=Portugu\xC3\xAAs\r\n");

const QByteArray kEnglish =
    "[Traduko]\r\nLingvo=English\r\nTiparo=DejaVu Serif\r\nTradukinto=Ana\r\n"
    "[Mesagxoj]\r\nsmModifis=Save the changes?\r\nsmGratulon=Well done!\r\n"
    "[Menuo]\r\nKonfigurado=Settings\r\n"
    "[Konfig]\r\nLabel1=Translation\r\nLabel2=Language:\r\n";

template <typename T>
T* Child(const QWidget* window, const char* name) {
  T* child = window->findChild<T*>(QLatin1String(name));
  if (!child) qWarning("no component %s", name);
  return child;
}

// Answers the next message box that offers `answer` once it is shown, noting
// its text. Deleting the returned timer cancels the watch.
QTimer* AnswerNextMessageBox(QMessageBox::StandardButton answer, QStringList* texts) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, answer, texts] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || !box->button(answer)) return;
    timer->stop();
    timer->deleteLater();
    if (texts) texts->append(box->text());
    box->button(answer)->click();
  });
  timer->start();
  return timer;
}

// Opens the configuration window from the main menu's button and runs
// `action` on it while it is shown; closes it by its close box if the action
// left it open. True when the window was shown.
bool WithConfiguration(TPelano& menu, const std::function<void(TForm13&)>& action) {
  bool shown = false;
  WhenModalShown([&](QWidget* modal) {
    auto* form = qobject_cast<TForm13*>(modal);
    if (!form) return;
    shown = true;
    action(*form);
    if (form->isVisible()) form->close();
  });
  Child<QPushButton>(&menu, "Konfigurado")->click();
  return shown;
}

void Choose(QComboBox* box, const QString& text) {
  const int index = box->findText(text);
  QVERIFY2(index >= 0, qPrintable(text));
  box->setCurrentIndex(index);
  Q_EMIT box->activated(index);
}

QByteArrayList GeneralKeysInOrder(const QByteArray& file) {
  QByteArrayList keys;
  for (const QByteArray& line : file.split('\n')) {
    const qsizetype equals = line.indexOf('=');
    if (equals > 0) keys.append(line.left(equals));
  }
  return keys;
}

}  // namespace

class TestConfiguration : public QObject {
  Q_OBJECT

 private:
  UrlCatcher catcher_;

 private Q_SLOTS:
  void initTestCase() {
    SetApplicationIdentity();
    SetSettingsAndCreditsFactories();
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher_, "open");
  }
  void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
  void init() {
    catcher_.urls.clear();
    CurrentSettings() = Settings{};
  }

  void showingFillsTheWindowFromTheSettings() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese +
                                   "Korektanto=1\r\nNomo=Jo\xC3\xA3o\r\nAdreso=joao@example.org\r\nSistemo=2\r\n"
                                   "\xC6"
                                   "apeligo=0\r\n");
    TPelano menu;
    const bool shown = WithConfiguration(menu, [](TForm13& form) {
      QCOMPARE(form.objectName(), QStringLiteral("Form13"));
      QCOMPARE(form.size(), QSize(592, 373));
      QCOMPARE(form.windowTitle(), QStringLiteral("Configurações"));
      QCOMPARE(Child<QLabel>(&form, "Label1")->text(), QStringLiteral("Tradução"));
      QCOMPARE(Child<QLineEdit>(&form, "Edit3")->text(), QStringLiteral("Ĉ Ĝ Ĥ Ĵ Ŝ Ŭ  ĉ ĝ ĥ ĵ ŝ ŭ"));
      QCOMPARE(Child<QLabel>(&form, "Sistemo_1")->text(), QStringLiteral("Sistema 'x' (ŝ = sx, ŭ = ux)"));
      QVERIFY(qobject_cast<StaticText*>(Child<QLabel>(&form, "StaticText7")));
      QVERIFY(!qobject_cast<StaticText*>(Child<QLabel>(&form, "Label8")));
      QCOMPARE(Child<QComboBox>(&form, "Lingvo")->currentText(), QStringLiteral("Português"));
      QVERIFY(Child<QCheckBox>(&form, "Korektanto")->isChecked());
      QCOMPARE(form.focusWidget(), Child<QCheckBox>(&form, "Korektanto"));
      QCOMPARE(Child<QLineEdit>(&form, "Edit1")->text(), QStringLiteral("João"));
      QCOMPARE(Child<QLineEdit>(&form, "Edit2")->text(), QStringLiteral("joao@example.org"));
      QVERIFY(Child<QLineEdit>(&form, "Edit1")->isEnabled());
      QVERIFY(Child<QGroupBox>(&form, "Sistemo")->isEnabled());
      QVERIFY(!Child<QCheckBox>(&form, "SistemoB_0")->isChecked());
      QVERIFY(!Child<QCheckBox>(&form, "SistemoB_1")->isChecked());
      QVERIFY(Child<QCheckBox>(&form, "SistemoB_2")->isChecked());
      QVERIFY(!Child<QCheckBox>(&form, "Cxapeligo")->isChecked());
      // Filling the window is no change of the learner's.
      QVERIFY(!Child<QToolButton>(&form, "Savu")->isEnabled());
    });
    QVERIFY(shown);
  }

  void leavingUntouchedAsksNothing() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    TPelano menu;
    QStringList questions;
    const QPointer<QTimer> watch = AnswerNextMessageBox(QMessageBox::Cancel, &questions);
    bool closed = false;
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      Child<QToolButton>(&form, "Eliri")->click();
      closed = !form.isVisible();
    }));
    QVERIFY(closed);
    QVERIFY(questions.isEmpty());
    delete watch.data();
    QCOMPARE(folder.Read("konfig.ini"), kGeneral + kPortuguese);
  }

  void cancelKeepsTheTypedTextAndTheWindow() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese + "Korektanto=1\r\n");
    TPelano menu;
    QStringList questions;
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      auto* name = Child<QLineEdit>(&form, "Edit1");
      name->setFocus();
      QTest::keyClicks(name, QStringLiteral("Ana"));
      QVERIFY(Child<QToolButton>(&form, "Savu")->isEnabled());
      AnswerNextMessageBox(QMessageBox::Cancel, &questions);
      Child<QToolButton>(&form, "Eliri")->click();
      QVERIFY(form.isVisible());
      QCOMPARE(name->text(), QStringLiteral("Ana"));
      QVERIFY(Child<QToolButton>(&form, "Savu")->isEnabled());
    }));
    QCOMPARE(questions, QStringList{QStringLiteral("Foram feitas mudanças na configuração. Deseja salvá-las?")});
    // Closed by its close box afterwards: nothing was written.
    QVERIFY(!folder.Read("konfig.ini").contains("Nomo"));
    QCOMPARE(CurrentSettings().Nomo, QString());
  }

  void yesSavesInOrderAndNoDiscards() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    TPelano menu;
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      Child<QCheckBox>(&form, "Korektanto")->click();
      QCOMPARE(form.focusWidget(), Child<QLineEdit>(&form, "Edit1"));
      QTest::keyClicks(Child<QLineEdit>(&form, "Edit1"), QStringLiteral("Ana"));
      Child<QLineEdit>(&form, "Edit2")->setText(QStringLiteral("ana@example.org"));
      Child<QCheckBox>(&form, "SistemoB_1")->click();
      Child<QCheckBox>(&form, "Cxapeligo")->click();
      Child<QCheckBox>(&form, "SenduRezultojn")->click();
      AnswerNextMessageBox(QMessageBox::Yes, nullptr);
      Child<QToolButton>(&form, "Eliri")->click();
      QVERIFY(!form.isVisible());
    }));
    const QByteArray saved = folder.Read("konfig.ini");
    QCOMPARE(GeneralKeysInOrder(saved), (QByteArrayList{"Lingvo", "Tiparo", "Dosiero", "Korektanto", "Nomo", "Adreso",
                                                        "\xC6"
                                                        "apeligo",
                                                        "Sistemo", "SenduRezultojn"}));
    TIniFile file(folder.Path("konfig.ini"));
    using namespace SettingsKeys;
    QCOMPARE(file.ReadString(General, Nomo, QString()), QStringLiteral("Ana"));
    QCOMPARE(file.ReadString(General, Adreso, QString()), QStringLiteral("ana@example.org"));
    QCOMPARE(file.ReadInteger(General, Sistemo, -1), 1);
    QCOMPARE(file.ReadBool(General, Korektanto, false), true);
    QCOMPARE(file.ReadBool(General, Capeligo, true), false);
    QCOMPARE(file.ReadBool(General, SenduRezultojn, false), true);
    QCOMPARE(file.ReadString(General, Lingvo, QString()), QStringLiteral("Português"));
    // In memory at once.
    QCOMPARE(CurrentSettings().Nomo, QStringLiteral("Ana"));
    QCOMPARE(CurrentSettings().Adreso, QStringLiteral("ana@example.org"));
    QCOMPARE(CurrentSettings().Sistemo, 1);
    QVERIFY(CurrentSettings().Korektanto);
    QVERIFY(!CurrentSettings().Capeligo);
    QVERIFY(CurrentSettings().SenduRezultojn);

    // No: the window closes and neither the file nor memory changes.
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      QCOMPARE(Child<QLineEdit>(&form, "Edit1")->text(), QStringLiteral("Ana"));
      Child<QLineEdit>(&form, "Edit1")->setText(QStringLiteral("Bruno"));
      Child<QCheckBox>(&form, "Korektanto")->click();
      AnswerNextMessageBox(QMessageBox::No, nullptr);
      Child<QToolButton>(&form, "Eliri")->click();
      QVERIFY(!form.isVisible());
    }));
    QCOMPARE(folder.Read("konfig.ini"), saved);
    QCOMPARE(CurrentSettings().Nomo, QStringLiteral("Ana"));
    QVERIFY(CurrentSettings().Korektanto);
  }

  void monitorFieldsFollowTheMonitorBoxAndAreSavedEvenWhenOff() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese + "Korektanto=0\r\nNomo=Ana\r\nSistemo=1\r\n");
    TPelano menu;
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      QVERIFY(!Child<QLineEdit>(&form, "Edit1")->isEnabled());
      QVERIFY(!Child<QLineEdit>(&form, "Edit2")->isEnabled());
      QVERIFY(!Child<QGroupBox>(&form, "Sistemo")->isEnabled());
      // Off by default, and of use only with a Monitor.
      QVERIFY(!Child<QCheckBox>(&form, "SenduRezultojn")->isEnabled());
      QVERIFY(!Child<QCheckBox>(&form, "SenduRezultojn")->isChecked());
      Child<QCheckBox>(&form, "Korektanto")->click();
      QVERIFY(Child<QLineEdit>(&form, "Edit1")->isEnabled());
      QVERIFY(Child<QCheckBox>(&form, "SenduRezultojn")->isEnabled());
      Child<QCheckBox>(&form, "Korektanto")->click();
      QVERIFY(!Child<QGroupBox>(&form, "Sistemo")->isEnabled());
      QVERIFY(form.SavuClick());
    }));
    TIniFile file(folder.Path("konfig.ini"));
    QCOMPARE(file.ReadString(SettingsKeys::General, SettingsKeys::Nomo, QString()), QStringLiteral("Ana"));
    QCOMPARE(file.ReadInteger(SettingsKeys::General, SettingsKeys::Sistemo, -1), 1);
    QCOMPARE(file.ReadBool(SettingsKeys::General, SettingsKeys::Korektanto, true), false);
  }

  // Erasing the progress asks first, is done at once, and leaves everything
  // else the settings file keeps; with nothing kept it cannot be asked for.
  void theProgressIsErasedAfterAQuestion() {
    TempProgramFolder folder;
    const QByteArray answers = "[Form1]\r\nEdit2=Mi estas\r\n";
    folder.Write("konfig.ini",
                 kGeneral + kPortuguese + answers + "[Progreso]\r\n0103.vortludo=80,80\r\nEkzamenoSendita=1\r\n");
    TPelano menu;
    QStringList questions;
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      auto* erase = Child<QToolButton>(&form, "Restarigi");
      QVERIFY(erase->isEnabled());
      AnswerNextMessageBox(QMessageBox::No, &questions);
      erase->click();
      QVERIFY(folder.Read("konfig.ini").contains("0103.vortludo=80,80"));
      AnswerNextMessageBox(QMessageBox::Yes, &questions);
      erase->click();
      QVERIFY(!erase->isEnabled());
      // Nothing waits to be saved: leaving asks nothing.
      Child<QToolButton>(&form, "Eliri")->click();
      QVERIFY(!form.isVisible());
    }));
    QCOMPARE(questions, (QStringList{Messages().smRestarigi, Messages().smRestarigi}));
    QCOMPARE(folder.Read("konfig.ini"), kGeneral + kPortuguese + answers);
  }

  // An erasing that cannot be saved (a folder stands where the settings file
  // must go, which holds for root too) is told.
  void aFailedErasingIsTold() {
    TempProgramFolder folder;
    const QByteArray kept = kGeneral + kPortuguese + "[Progreso]\r\n0103.vortludo=80,80\r\n";
    folder.Write("konfig.ini", kept);
    TPelano menu;
    QStringList texts;
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      QVERIFY(QFile::rename(folder.Path("konfig.ini"), folder.Path("kept.ini")));
      QVERIFY(QDir().mkpath(folder.Path("konfig.ini")));
      AnswerNextMessageBox(QMessageBox::Yes, &texts);
      AnswerNextMessageBox(QMessageBox::Ok, &texts);
      Child<QToolButton>(&form, "Restarigi")->click();
      QVERIFY(QDir().rmdir(folder.Path("konfig.ini")));
      QVERIFY(QFile::rename(folder.Path("kept.ini"), folder.Path("konfig.ini")));
    }));
    QCOMPARE(texts,
             (QStringList{Messages().smRestarigi, MessageNaming(Messages().smNeSalvis, folder.Path("konfig.ini"))}));
    QCOMPARE(folder.Read("konfig.ini"), kept);
  }

  void theThreeLetterSystemsAreOneChoice() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese + "Korektanto=1\r\n");
    TPelano menu;
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      QList<QCheckBox*> boxes;
      for (const char* name : {"SistemoB_0", "SistemoB_1", "SistemoB_2"}) boxes.append(Child<QCheckBox>(&form, name));
      QVERIFY(boxes[0]->isChecked());
      // The chosen box clicked again stays chosen, and still counts as a change.
      boxes[0]->click();
      QVERIFY(boxes[0]->isChecked());
      QVERIFY(Child<QToolButton>(&form, "Savu")->isEnabled());
      TIniFile file(folder.Path("konfig.ini"));
      for (int system : {2, 1, 0}) {
        boxes[system]->click();
        for (int other = 0; other < 3; ++other) QCOMPARE(boxes[other]->isChecked(), other == system);
        QVERIFY(form.SavuClick());
        QVERIFY(!Child<QToolButton>(&form, "Savu")->isEnabled());
        QCOMPARE(file.ReadInteger(SettingsKeys::General, SettingsKeys::Sistemo, -1), system);
        QCOMPARE(CurrentSettings().Sistemo, system);
      }
    }));
  }

  void hatTypingInTheNameField() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese + "Korektanto=1\r\n");
    HatTypingFilter filter;
    qApp->installEventFilter(&filter);
    TPelano menu;
    menu.show();
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      QVERIFY(QTest::qWaitForWindowActive(&form));
      auto* name = Child<QLineEdit>(&form, "Edit1");
      name->setFocus();
      QTest::keyClicks(name, QStringLiteral("Cxu sxi"));
      QCOMPARE(name->text(), QStringLiteral("Ĉu ŝi"));
      // Switched off and saved, it is off at once: the x stays an x.
      name->clear();
      Child<QCheckBox>(&form, "Cxapeligo")->click();
      QVERIFY(form.SavuClick());
      name->setFocus();
      QTest::keyClicks(name, QStringLiteral("cx"));
      QCOMPARE(name->text(), QStringLiteral("cx"));
    }));
    qApp->removeEventFilter(&filter);
  }

  void aReadOnlySettingsFileIsLeftAlone() {
    TempProgramFolder folder;
    const QByteArray original = kGeneral + kPortuguese + "Nomo=Ana\r\n";
    folder.Write("konfig.ini", original);
    QFile::setPermissions(folder.Path("konfig.ini"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::remove(QDir(PerUserConfigFolder()).filePath(SettingsFileName));
    {
      // The per-user copy does not exist yet: it starts as the one beside the program.
      TPelano menu;
      QVERIFY(SettingsReadOnly());
      QCOMPARE(CurrentSettings().Nomo, QStringLiteral("Ana"));
      QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
        Child<QCheckBox>(&form, "Korektanto")->click();
        Child<QLineEdit>(&form, "Edit1")->setText(QStringLiteral("Bruno"));
        QVERIFY(form.SavuClick());
      }));
    }
    QCOMPARE(folder.Read("konfig.ini"), original);
    TIniFile perUser(SettingsFileName);
    QCOMPARE(perUser.ReadString(SettingsKeys::General, SettingsKeys::Nomo, QString()), QStringLiteral("Bruno"));
    QCOMPARE(perUser.ReadString(SettingsKeys::General, SettingsKeys::Lingvo, QString()), QStringLiteral("Português"));
    QFile::remove(QDir(PerUserConfigFolder()).filePath(SettingsFileName));
  }

  void aFailedSaveIsToldAndKeepsTheChanges() {
    TempProgramFolder folder;
    // A folder where the settings file should be: nothing can be written there.
    QDir().mkpath(folder.Path("konfig.ini"));
    OpenSettingsFile();
    ReadSettings();
    SetBuiltInMessages();
    QWidget owner;
    TForm13 form({}, {}, &owner);
    form.show();
    QStringList texts;
    auto* name = Child<QLineEdit>(&form, "Edit1");
    name->setText(QStringLiteral("Ana"));
    AnswerNextMessageBox(QMessageBox::Yes, &texts);
    AnswerNextMessageBox(QMessageBox::Ok, &texts);
    form.EliriClick();
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0], Messages().smModifis);
    QCOMPARE(texts[1], MessageNaming(Messages().smNeSalvis, folder.Path("konfig.ini")));
    QVERIFY(form.isVisible());
    QVERIFY(Child<QToolButton>(&form, "Savu")->isEnabled());
    QCOMPARE(name->text(), QStringLiteral("Ana"));
    QCOMPARE(CurrentSettings().Nomo, QString());
    CloseSettingsFile();
  }

  void changingTheLanguageReloadsTheMessages() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    folder.Write("tradukoj/angla.trd", kEnglish);
    folder.Write("tradukoj/nevalida.trd", "[Alia]\r\nx=1\r\n");
    TPelano menu;
    QStringList infos;
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      auto* languages = Child<QComboBox>(&form, "Lingvo");
      QStringList items;
      for (int i = 0; i < languages->count(); ++i) items.append(languages->itemText(i));
      QCOMPARE(items, (QStringList{"English", "Nevalida", "Português"}));

      Choose(languages, QStringLiteral("English"));
      QVERIFY(Child<QToolButton>(&form, "Savu")->isEnabled());
      QCOMPARE(Child<QFontComboBox>(&form, "Tiparo")->currentText(), QStringLiteral("DejaVu Serif"));
      QCOMPARE(Child<QLineEdit>(&form, "Edit3")->font().family(), QStringLiteral("DejaVu Serif"));
      QVERIFY(form.SavuClick());
      QCOMPARE(Messages().smModifis, QStringLiteral("Save the changes?"));
      QCOMPARE(Child<QPushButton>(&menu, "Konfigurado")->text(), QStringLiteral("Settings"));
      QCOMPARE(CurrentSettings().Lingvo, QStringLiteral("English"));
      // The window's own labels follow the new language at once.
      QCOMPARE(Child<QLabel>(&form, "Label1")->text(), QStringLiteral("Translation"));
      QCOMPARE(Child<QLabel>(&form, "Label3")->text(), NotTranslated);
      QCOMPARE(Child<QLabel>(&form, "StaticText3")->text(), QStringLiteral("cx → ĉ"));

      // Back to Portuguese: Arial, the file kept, and the learner told when it shows.
      Choose(languages, Portuguese);
      AnswerNextMessageBox(QMessageBox::Ok, &infos);
      QVERIFY(form.SavuClick());
    }));
    const QString later = QStringLiteral("A tradução para o português se efetivará quando retornar ao Menu Principal");
    QCOMPARE(infos, QStringList{later});
    TIniFile file(folder.Path("konfig.ini"));
    using namespace SettingsKeys;
    QCOMPARE(file.ReadString(General, Lingvo, QString()), Portuguese);
    QCOMPARE(file.ReadString(General, Tiparo, QString()), QStringLiteral("Arial"));
    QCOMPARE(file.ReadString(General, Dosiero, QString()), QStringLiteral("angla.trd"));
    QCOMPARE(Messages().smModifis, QStringLiteral("Foram feitas mudanças na configuração. Deseja salvá-las?"));
    QVERIFY(!TranslationFile());
  }

  void changingOnlyTheFontReloadsToo() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese + "Tiparo=DejaVu Sans\r\n");
    TPelano menu;
    QStringList infos;
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      auto* fonts = Child<QFontComboBox>(&form, "Tiparo");
      QCOMPARE(fonts->currentText(), QStringLiteral("DejaVu Sans"));
      Choose(fonts, QStringLiteral("DejaVu Serif"));
      QCOMPARE(Child<QLineEdit>(&form, "Edit3")->font().family(), QStringLiteral("DejaVu Serif"));
      AnswerNextMessageBox(QMessageBox::Ok, &infos);
      QVERIFY(form.SavuClick());
    }));
    QCOMPARE(infos.size(), 1);
    QCOMPARE(CurrentSettings().Tiparo, QStringLiteral("DejaVu Serif"));
    QCOMPARE(Child<QPushButton>(&menu, "Kreditoj")->font().family(), QStringLiteral("DejaVu Serif"));
    // Saving again without a change of language or font reloads nothing.
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      Child<QCheckBox>(&form, "Cxapeligo")->click();
      QVERIFY(form.SavuClick());
    }));
    QCOMPARE(infos.size(), 1);
  }

  void doubleClickedLabelsOpenTheTranslator() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + "Lingvo=English\r\nDosiero=angla.trd\r\nTradukilo=1\r\n");
    folder.Write("tradukoj/angla.trd", kEnglish);
    TPelano menu;
    TForm19 translator(&menu);
    QStringList opened;
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      for (const char* name : {"Sistemo_2", "StaticText3"}) {
        WhenModalShown([&](QWidget* modal) {
          if (auto* dialog = qobject_cast<TForm19*>(modal)) {
            opened.append(dialog->Section() + QLatin1Char('/') + dialog->Key());
            dialog->reject();
          }
        });
        QTest::mouseDClick(Child<QLabel>(&form, name), Qt::LeftButton);
        QTest::qWait(50);  // lets the watch end on this window when no translator opened
      }
    }));
    QCOMPARE(opened, QStringList{QStringLiteral("konfig/Sistemo_2")});
  }

  void theLinkOpensTheMonitorPage() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    TPelano menu;
    QVERIFY(WithConfiguration(menu, [&](TForm13& form) {
      auto* link = Child<QLabel>(&form, "StaticText2");
      QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
      QTest::mouseClick(link, Qt::LeftButton);
    }));
    QCOMPARE(catcher_.urls, QList<QUrl>{QUrl(QStringLiteral("https://pelano-de-esperanto.github.io/monitor.html"))});
  }
};

QTEST_MAIN(TestConfiguration)
#include "tst_configuration.moc"
