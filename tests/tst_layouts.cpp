#include "layoutpaths.h"
#include "lessonwindows.h"
#include "programpaths.h"
#include "uiloader.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QWidget>
#include <QtTest>

#include <memory>

// Every stored layout loads with known classes only, names each component
// once, and every picture it names is part of the built course.
class TestLayouts : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    SetProgramFolder(QStringLiteral(PELANO_PROGRAM_DIR));
    RegisterLessonWidgets();
    QVERIFY(!AllLayoutPaths().isEmpty());
  }

  void everyLayoutLoads_data() {
    QTest::addColumn<QString>("path");
    for (const QString& path : AllLayoutPaths()) QTest::newRow(qPrintable(path)) << path;
  }
  void everyLayoutLoads() {
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(file.readAll());

    static const QRegularExpression widgetPattern(QStringLiteral(R"re(<widget class="([^"]+)" name="([^"]+)")re"));
    QSet<QString> names;
    for (const auto& match : widgetPattern.globalMatch(xml)) {
      const QString className = match.captured(1);
      const QString name = match.captured(2);
      QVERIFY2(PelanoUiLoader::IsKnownClass(className), qPrintable(className + QStringLiteral(" is unknown")));
      QVERIFY2(!names.contains(name), qPrintable(name + QStringLiteral(" is named twice")));
      names.insert(name);
    }

    std::unique_ptr<QWidget> root(PelanoUiLoader::Load(path, nullptr));
    QVERIFY(root);
    // Every page of a lesson's page control says its kind and its tab icon.
    if (auto* pages = root->findChild<QTabWidget*>(QStringLiteral("Pagxaro"))) {
      for (int i = 0; i < pages->count(); ++i) {
        QWidget* page = pages->widget(i);
        QVERIFY2(page->property("tag").isValid(), qPrintable(page->objectName() + QStringLiteral(" has no tag")));
        QVERIFY2(page->property("icon").isValid(), qPrintable(page->objectName() + QStringLiteral(" has no icon")));
        QCOMPARE(pages->tabText(i), QString::number(i + 1));
      }
    }
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root.get());
    for (QWidget* widget : widgets) {
      const QString picture = widget->property("picture").toString();
      if (picture.isEmpty()) continue;
      QVERIFY2(DataFileExists(picture), qPrintable(widget->objectName() + QStringLiteral(": ") + picture));
    }
  }
};

QTEST_MAIN(TestLayouts)
#include "tst_layouts.moc"
