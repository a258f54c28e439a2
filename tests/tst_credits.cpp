#include "credits.h"
#include "pelanowindow.h"
#include "programstart.h"
#include "settings.h"
#include "statictext.h"
#include "tabrows.h"
#include "testsupport.h"
#include "translationfile.h"
#include "translator.h"
#include "weblink.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

const QByteArray kGeneral = QByteArray(
    "[\xD8"
    "enerala]\r\n");
const QByteArray kPortuguese = QByteArray("Lingvo=Portugu\xC3\xAAs\r\n");

const QStringList kTabNames{"Label2", "Label3", "Label4",   "Label5",   "Titolo",
                            "Label6", "Label8", "Label200", "Label201", "Aliaj_kreditoj"};
const QStringList kLabelNames{"Label1",     "Label12", "Label18", "Label19", "Label16",
                              "Tradukinto", "Label17", "Label7",  "Label9",  "Label10"};
const QStringList kStaticTextNames{"StaticText10", "StaticText1", "StaticText9",  "StaticText5", "StaticText3",
                                   "StaticText2",  "StaticText6", "StaticText_1", "StaticText4"};

QPushButton* MenuButton(const TPelano& menu, const char* name) {
  return menu.findChild<QPushButton*>(QLatin1String(name));
}

// Opens the credits from the main menu's button, runs `action` on the shown
// window and closes it. True when the window was shown.
bool WithCredits(TPelano& menu, const std::function<void(TForm15&)>& action) {
  bool shown = false;
  WhenModalShown([&](QWidget* modal) {
    auto* form = qobject_cast<TForm15*>(modal);
    if (!form) return;
    shown = true;
    action(*form);
    if (form->isVisible()) form->close();
  });
  MenuButton(menu, "Kreditoj")->click();
  return shown;
}

QString LabelText(const QWidget* window, const QString& name) {
  const auto* label = window->findChild<QLabel*>(name);
  return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

}  // namespace

class TestCredits : public QObject {
  Q_OBJECT

 private:
  UrlCatcher catcher_;

 private Q_SLOTS:
  void initTestCase() {
    SetApplicationIdentity();
    SetSettingsAndCreditsFactories();
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher_, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher_, "open");
  }
  void cleanupTestCase() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
  }
  void init() {
    catcher_.urls.clear();
    CurrentSettings() = Settings{};
  }

  void opensOnTheMethodTabWithEveryTabInReach() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    TPelano menu;
    QVERIFY(WithCredits(menu, [](TForm15& form) {
      QCOMPARE(form.objectName(), QStringLiteral("Form15"));
      QCOMPARE(form.size(), QSize(491, 330));
      QCOMPARE(form.windowTitle(), QStringLiteral("Créditos"));
      auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
      QVERIFY(pages);
      QStringList names;
      for (int i = 0; i < pages->count(); ++i) names.append(pages->widget(i)->objectName());
      QCOMPARE(names, kTabNames);
      QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("Label6"));
      QCOMPARE(pages->tabText(pages->currentIndex()), QStringLiteral("Metodologia"));

      // Every tab is on screen at once, in rows inside the window, the current one marked.
      const MultiRowTabs& tabs = form.Tabs();
      QVERIFY(tabs.RowCount() > 1);
      for (int i = 0; i < pages->count(); ++i) {
        QToolButton* tab = tabs.Tab(i);
        QVERIFY(tab);
        QCOMPARE(tab->text(), pages->tabText(i));
        QCOMPARE(tab->height(), 30);
        const QRect inWindow(tab->mapTo(&form, QPoint(0, 0)), tab->size());
        QVERIFY2(form.rect().contains(inWindow), qPrintable(tab->text()));
        QCOMPARE(tab->isChecked(), i == pages->currentIndex());
      }
      QVERIFY(pages->geometry().top() >= tabs.geometry().bottom());
      QVERIFY(pages->geometry().bottom() < form.height());
      tabs.Tab(0)->click();
      QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("Label2"));
      QVERIFY(!tabs.Tab(5)->isChecked());

      for (const QString& name : kLabelNames) {
        auto* label = form.findChild<QLabel*>(name);
        QVERIFY2(label && !qobject_cast<StaticText*>(label), qPrintable(name));
        QVERIFY2(!label->text().isEmpty(), qPrintable(name));
      }
      for (const QString& name : kStaticTextNames) {
        QVERIFY2(qobject_cast<StaticText*>(form.findChild<QLabel*>(name)), qPrintable(name));
      }
      // With Portuguese the translator's tab names the course's own authors.
      QCOMPARE(LabelText(&form, QStringLiteral("Tradukinto")), QStringLiteral("Projekto Pelano de Esperanto"));
      QCOMPARE(LabelText(&form, QStringLiteral("Label16")), QStringLiteral("Tradução do programa:"));
    }));
  }

  void aTranslationWithoutItsSectionShowsWhatIsMissing() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + "Lingvo=English\r\nDosiero=angla.trd\r\n");
    folder.Write("tradukoj/angla.trd",
                 "[Traduko]\r\nLingvo=English\r\nTradukinto=Ana'#10'Bruno\r\n"
                 "[Menuo]\r\nKreditoj=Credits\r\n");
    TPelano menu;
    QVERIFY(WithCredits(menu, [](TForm15& form) {
      QCOMPARE(form.windowTitle(), QStringLiteral("Credits"));
      for (const QString& name : kLabelNames) {
        if (name != QLatin1String("Tradukinto")) QCOMPARE(LabelText(&form, name), NotTranslated);
      }
      QCOMPARE(LabelText(&form, QStringLiteral("Tradukinto")), QStringLiteral("Ana\nBruno"));
      auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
      for (int i = 0; i < pages->count(); ++i) {
        QCOMPARE(pages->tabText(i), NotTranslated);
        QCOMPARE(form.Tabs().Tab(i)->text(), NotTranslated);
      }
      // Names, addresses and lists are never translated.
      QCOMPARE(LabelText(&form, QStringLiteral("StaticText10")),
               QStringLiteral("https://pelano-de-esperanto.github.io/"));
      QCOMPARE(LabelText(&form, QStringLiteral("StaticText4")), QStringLiteral("Pelano de Esperanto "));
      QVERIFY(LabelText(&form, QStringLiteral("StaticText2")).contains(QStringLiteral("eo+m1")));
    }));
  }

  void aTranslatedCreditsWindow() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + "Lingvo=English\r\nDosiero=angla.trd\r\nTiparo=DejaVu Serif\r\n");
    folder.Write("tradukoj/angla.trd",
                 "[Traduko]\r\nTradukinto=Ana\r\n"
                 "[Menuo4]\r\nLabel6=Method\r\nLabel7=The lessons'#10'follow\r\n"
                 "Tradukinto=someone else\r\n");
    TPelano menu;
    QVERIFY(WithCredits(menu, [](TForm15& form) {
      auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
      QCOMPARE(pages->tabText(pages->currentIndex()), QStringLiteral("Method"));
      QCOMPARE(form.Tabs().Tab(pages->currentIndex())->text(), QStringLiteral("Method"));
      QCOMPARE(form.Tabs().Tab(pages->currentIndex())->font().family(), QStringLiteral("DejaVu Serif"));
      QCOMPARE(LabelText(&form, QStringLiteral("Label7")), QStringLiteral("The lessons\nfollow"));
      QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label7"))->font().family(), QStringLiteral("DejaVu Serif"));
      // The translator's name comes from the translation's own record.
      QCOMPARE(LabelText(&form, QStringLiteral("Tradukinto")), QStringLiteral("Ana"));
    }));
  }

  void doubleClickedLabelsOpenTheTranslator() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + "Lingvo=English\r\nDosiero=angla.trd\r\nTradukilo=1\r\n");
    folder.Write("tradukoj/angla.trd", "[Traduko]\r\nTradukinto=Ana\r\n");
    TPelano menu;
    TForm19 translator(&menu);
    QStringList opened;
    QVERIFY(WithCredits(menu, [&](TForm15& form) {
      for (const char* name : {"Label7", "Tradukinto", "StaticText5"}) {
        WhenModalShown([&](QWidget* modal) {
          if (auto* dialog = qobject_cast<TForm19*>(modal)) {
            opened.append(dialog->Section() + QLatin1Char('/') + dialog->Key());
            dialog->reject();
          }
        });
        QTest::mouseDClick(form.findChild<QLabel*>(QLatin1String(name)), Qt::LeftButton);
        QTest::qWait(50);  // lets the watch end on this window when no translator opened
      }
    }));
    QCOMPARE(opened, QStringList{QStringLiteral("menuo4/Label7")});
  }

  void linksAndLeaving() {
    TempProgramFolder folder;
    folder.Write("konfig.ini", kGeneral + kPortuguese);
    TPelano menu;
    bool closed = false;
    QVERIFY(WithCredits(menu, [&](TForm15& form) {
      auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
      pages->setCurrentIndex(0);
      QTest::mouseClick(form.findChild<QLabel*>(QStringLiteral("StaticText10")), Qt::LeftButton);
      pages->setCurrentIndex(1);
      QTest::mouseClick(form.findChild<QLabel*>(QStringLiteral("StaticText9")), Qt::LeftButton);
      form.findChild<QToolButton*>(QStringLiteral("Eliri"))->click();
      closed = !form.isVisible();
    }));
    QVERIFY(closed);
    QCOMPARE(catcher_.urls.size(), 2);
    QCOMPARE(catcher_.urls[0], QUrl(QStringLiteral("https://pelano-de-esperanto.github.io/")));
    // The author is reached by e-mail, not through a web page.
    QCOMPARE(catcher_.urls[1].scheme(), QStringLiteral("mailto"));
  }

  void captionsNameWebAndMailAddresses_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("address");
    QTest::newRow("bare host and page") << " pelano-de-esperanto.github.io/monitor.html "
                                        << "https://pelano-de-esperanto.github.io/monitor.html";
    QTest::newRow("with its scheme") << "http://example.org/a"
                                     << "http://example.org/a";
    QTest::newRow("e-mail address") << "ana@example.org"
                                    << "mailto:ana@example.org";
    QTest::newRow("mail link") << "mailto:ana@example.org"
                               << "mailto:ana@example.org";
    QTest::newRow("page holding an at sign") << "example.org/@ana"
                                             << "https://example.org/@ana";
  }
  void captionsNameWebAndMailAddresses() {
    QFETCH(QString, caption);
    QFETCH(QString, address);
    QCOMPARE(CaptionAddress(caption), QUrl(address));
  }
};

QTEST_MAIN(TestCredits)
#include "tst_credits.moc"
