#include "coursetour.h"
#include "layoutaudit.h"

#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QtTest>

#include <functional>
#include <memory>

using Fill = std::function<void(QWidget*)>;
Q_DECLARE_METATYPE(Fill)
Q_DECLARE_METATYPE(CourseLanguage)

namespace {

// A small window holding the widgets a case places in it.
std::unique_ptr<QWidget> Window(const std::function<void(QWidget*)>& fill) {
  auto window = std::make_unique<QWidget>();
  window->setObjectName(QStringLiteral("Janelo"));
  window->setFixedSize(240, 120);
  fill(window.get());
  window->show();
  QCoreApplication::sendPostedEvents();
  QApplication::processEvents();
  return window;
}

QLabel* Label(QWidget* parent, const QString& text, QRect geometry, const QString& style = QString()) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QStringLiteral("Etikedo"));
  label->setGeometry(geometry);
  label->setStyleSheet(style);
  return label;
}

QPushButton* Button(QWidget* parent, const QString& name, QRect geometry) {
  auto* button = new QPushButton(name, parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  return button;
}

QString Report(const QList<LayoutFault>& faults) {
  QStringList lines;
  for (const LayoutFault& fault : faults) lines.append(fault.widget + QStringLiteral(": ") + fault.problem);
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

class TestLayoutAudit : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { PrepareCourseTour(QStringLiteral(PELANO_PROGRAM_DIR)); }

  void contrastRatiosAreThoseOfTheGuidelines() {
    QCOMPARE(ContrastRatio(Qt::black, Qt::white), 21.0);
    QCOMPARE(ContrastRatio(Qt::white, Qt::white), 1.0);
    // #767676 on white is the lightest grey that still passes for small text.
    QVERIFY(ContrastRatio(QColor(0x76, 0x76, 0x76), Qt::white) >= 4.5);
    QVERIFY(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white) < 4.5);
  }

  // Each check finds the fault it is for, and nothing else; sound windows pass.
  void theAuditFindsWhatALearnerWouldSee_data() {
    QTest::addColumn<Fill>("fill");
    QTest::addColumn<QString>("found");
    QTest::addColumn<QString>("widget");
    const QString longText = QStringLiteral("Uma frase longa demais para tão pouco espaço");
    QTest::newRow("a text wider than its label") << Fill([=](QWidget* w) {
      Label(w, longText, {10, 10, 60, 20});
    }) << "fit"
                                                 << "Etikedo";
    QTest::newRow("a wrapped text taller than its label") << Fill([=](QWidget* w) {
      Label(w, longText, {10, 10, 120, 16})->setWordWrap(true);
    }) << "fit"
                                                          << "Etikedo";
    QTest::newRow("the same label with room") << Fill([=](QWidget* w) {
      Label(w, longText, {10, 10, 220, 60})->setWordWrap(true);
    }) << ""
                                              << "";
    QTest::newRow("a button cut by its box") << Fill([](QWidget* w) {
      auto* box = new QWidget(w);
      box->setObjectName(QStringLiteral("Skatolo"));
      box->setGeometry(0, 0, 100, 40);
      Button(box, QStringLiteral("klara"), {60, 10, 60, 24});
    }) << "fit"
                                             << "klara";
    QTest::newRow("two buttons over each other") << Fill([](QWidget* w) {
      Button(w, QStringLiteral("Unu"), {10, 10, 80, 24});
      Button(w, QStringLiteral("Du"), {60, 20, 80, 24});
    }) << "overlap"
                                                 << "Unu";
    QTest::newRow("a title on its strip") << Fill([](QWidget* w) {
      Label(w, QString(), {0, 0, 240, 30}, QStringLiteral("background: #2a5d8f;"))->setObjectName("Strio");
      Label(w, QStringLiteral("Vorto-Ludo"), {10, 5, 200, 20}, QStringLiteral("color: white;"));
    }) << ""
                                          << "";
    QTest::newRow("white on a pale strip") << Fill([](QWidget* w) {
      Label(w, QString(), {0, 0, 240, 30}, QStringLiteral("background: #f4e9a8;"))->setObjectName("Strio");
      Label(w, QStringLiteral("Vorto-Ludo"), {10, 5, 200, 20}, QStringLiteral("color: white; font-weight: bold;"));
    }) << "contrast"
                                           << "Etikedo";
    QTest::newRow("dark on the same strip") << Fill([](QWidget* w) {
      Label(w, QStringLiteral("Vorto-Ludo"), {0, 0, 240, 30},
            QStringLiteral("background: #f4e9a8; color: #202020; font-weight: bold;"));
    }) << ""
                                            << "";
    QTest::newRow("a button past the window's edge") << Fill([](QWidget* w) {
      Button(w, QStringLiteral("Antauen"), {200, 90, 60, 24});
    }) << "reach"
                                                     << "Antauen";
    QTest::newRow("an affix that may wrap") << Fill([](QWidget* w) {
      Label(w, QStringLiteral("O objeto direto recebe a terminação -n do acusativo."), {10, 10, 220, 60})
          ->setWordWrap(true);
    }) << "typography"
                                            << "Etikedo";
    QTest::newRow("the affix kept whole") << Fill([](QWidget* w) {
      Label(w, QStringLiteral("O objeto direto recebe a terminação \u2011n do acusativo."), {10, 10, 220, 60})
          ->setWordWrap(true);
    }) << ""
                                          << "";
    QTest::newRow("two hyphens for a dash") << Fill([](QWidget* w) {
      Label(w, QStringLiteral("-- Bonan tagon!"), {10, 10, 200, 20});
    }) << "typography"
                                            << "Etikedo";
  }
  void theAuditFindsWhatALearnerWouldSee() {
    QFETCH(Fill, fill);
    QFETCH(QString, found);
    QFETCH(QString, widget);
    const auto window = Window(fill);
    const QList<LayoutFault> faults = AuditWindow(window.get());
    if (found.isEmpty()) {
      QVERIFY2(faults.isEmpty(), qPrintable(Report(faults)));
      return;
    }
    QVERIFY2(!faults.isEmpty(), "nothing found");
    for (const LayoutFault& fault : faults) {
      QVERIFY2(fault.problem.startsWith(found + QLatin1Char(':')), qPrintable(Report(faults)));
      QCOMPARE(fault.widget, widget);
    }
  }

  // Every page of every window, in every language the course ships.
  void everyPageLooksFinished_data() {
    QTest::addColumn<CourseLanguage>("language");
    for (const CourseLanguage& language : ShippedLanguages()) QTest::newRow(qPrintable(language.code)) << language;
  }
  void everyPageLooksFinished() {
    QFETCH(CourseLanguage, language);
    QStringList faults;
    QSet<QString> seen;
    int pages = 0;
    TourCourse(QStringLiteral(PELANO_PROGRAM_DIR), language, [&](const CoursePage& page) {
      ++pages;
      for (const LayoutFault& fault : AuditWindow(page.shown)) {
        // What every page of a window shares (its navigation bar) is told once.
        const QString key = page.window + fault.widget + fault.problem;
        if (seen.contains(key)) continue;
        seen.insert(key);
        faults.append(QStringLiteral("%1 | %2 | page %3 | %4: %5")
                          .arg(language.code, page.window, page.page, fault.widget, fault.problem));
      }
    });
    QVERIFY2(pages > 150, qPrintable(QString::number(pages)));
    for (const QString& fault : faults) qWarning().noquote() << fault;
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 faults, each told above").arg(faults.size())));
  }
};

QTEST_MAIN(TestLayoutAudit)
#include "tst_layoutaudit.moc"
