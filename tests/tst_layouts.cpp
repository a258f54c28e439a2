#include "layoutpaths.h"
#include "lessonwindows.h"
#include "pagedlayout.h"
#include "programpaths.h"
#include "storedpictures.h"
#include "uiloader.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QWidget>
#include <QtTest>

#include <memory>

namespace {

// What a built widget tree is made of, in the order it was made.
QStringList Makeup(QWidget* root) {
  QStringList makeup;
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (widget->objectName().startsWith(QLatin1String("qt_"))) continue;  // Qt's own insides
    makeup.append(QStringLiteral("%1 %2 %3 %4 %5")
                      .arg(QLatin1String(widget->metaObject()->className()), widget->objectName(),
                           widget->parentWidget()->objectName(), widget->property("tag").toString(),
                           widget->property("text").toString()));
  }
  return makeup;
}

}  // namespace

// Every stored layout loads with known classes only, names each component
// once, and every picture it names is part of the built course. A lesson
// layout built page by page gives the same window as built at once.
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

  // The pictures a layout names are found from its text, read ahead on a
  // thread of their own, and then shared by every window that shows one.
  void picturesAreReadAheadAndShared() {
    QFile file(LayoutPath(QStringLiteral("pelano.ui")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray layout = file.readAll();
    std::unique_ptr<QWidget> menu(PelanoUiLoader::Load(file.fileName(), nullptr));
    QStringList named;
    for (QWidget* widget : menu->findChildren<QWidget*>()) {
      if (const QString picture = widget->property("picture").toString(); !picture.isEmpty()) named.append(picture);
    }
    QStringList found = PicturesNamedIn(layout);
    QVERIFY(found.size() > 1);
    QCOMPARE(QSet<QString>(found.begin(), found.end()), QSet<QString>(named.begin(), named.end()));

    found.append(QStringLiteral("figuroj\\nenio.png"));
    PrefetchCoursePictures(found);
    PrefetchCoursePictures(found);  // asked twice, read once
    for (const QString& picture : found.mid(0, found.size() - 1)) {
      const QPixmap ahead = LoadCoursePicture(picture);
      QVERIFY2(!ahead.isNull(), qPrintable(picture));
      QCOMPARE(ahead.size(), QImage(DataPath(picture)).size());
      QCOMPARE(LoadCoursePicture(picture).cacheKey(), ahead.cacheKey());
    }
    QVERIFY(LoadCoursePicture(found.last()).isNull());
  }

  void aLessonBuiltPageByPageIsTheSame_data() {
    QTest::addColumn<QString>("path");
    for (const QString& path : AllLayoutPaths()) {
      if (path.contains(QLatin1String("/lec"))) QTest::newRow(qPrintable(path)) << path;
    }
  }
  void aLessonBuiltPageByPageIsTheSame() {
    QFETCH(QString, path);
    const PagedLayout paged = StoredPagedLayout(path, QStringLiteral("Pagxaro"));
    QVERIFY(paged.IsValid());
    QWidget whole;
    QVERIFY(PelanoUiLoader::LoadInto(&whole, path));
    auto* wholePages = whole.findChild<QTabWidget*>(QStringLiteral("Pagxaro"));
    QCOMPARE(paged.pages.size(), wholePages->count());

    QWidget window;
    auto loader = PelanoUiLoader::Make();
    QVERIFY(loader->BuildInto(&window, paged.window));
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("Pagxaro"));
    QCOMPARE(pages->count(), wholePages->count());
    QCOMPARE(pages->currentIndex(), wholePages->currentIndex());
    for (int i = 0; i < pages->count(); ++i) {
      QVERIFY(pages->widget(i)->children().isEmpty());
      QCOMPARE(pages->widget(i)->objectName(), paged.pageNames[i]);
      QCOMPARE(pages->tabText(i), wholePages->tabText(i));
      QCOMPARE(pages->widget(i)->styleSheet(), wholePages->widget(i)->styleSheet());
    }
    // Built from the last page to the first, as a learner may turn them.
    for (qsizetype i = paged.pages.size() - 1; i >= 0; --i)
      QVERIFY(loader->BuildInto(pages->widget(i), paged.pages[i]));
    for (int i = 0; i < pages->count(); ++i) QCOMPARE(Makeup(pages->widget(i)), Makeup(wholePages->widget(i)));
    QCOMPARE(Makeup(&window).size(), Makeup(&whole).size());
  }

  void layoutTextsAreCutAtThePageControl_data() {
    QTest::addColumn<QByteArray>("layout");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QByteArray>("window");  // kept in the window's layout, or what must not be ("!...")
    const QByteArray head = "<?xml version=\"1.0\"?>\n<ui version=\"4.0\"><widget class=\"QDialog\" name=\"F\">";
    const QByteArray tail = "</widget></ui>";
    const QByteArray control = "<widget class=\"QTabWidget\" name=\"Pagxaro\">";
    const QByteArray page =
        "<widget class=\"QWidget\" name=\"P1\"><attribute name=\"title\"><string>1</string>"
        "</attribute><layout class=\"QVBoxLayout\" name=\"L1\"><item><widget class=\"QLabel\" "
        "name=\"A\"/></item></layout></widget>";
    QTest::newRow("properties of the page control stay")
        << head + control + "<property name=\"currentIndex\"><number>1</number></property>" + page + "</widget>" + tail
        << QStringList{"P1"} << QByteArray("<number>1</number>");
    QTest::newRow("a page keeps its title, not its contents")
        << head + control + page + "</widget>" + tail << QStringList{"P1"} << QByteArray("!name=\"A\"");
    QTest::newRow("comments and quoted '>' are not tags")
        << head + "<!-- <widget class=\"QTabWidget\" name=\"Pagxaro\"> -->" + control +
               "<widget class=\"QWidget\" name=\"P1\"><property name=\"toolTip\"><string>a &gt; b</string>"
               "</property><widget class=\"QLabel\" name=\"B\"><property name=\"text\"><string>x</string>"
               "</property></widget></widget><widget class=\"QWidget\" name=\"P2\" extra=\"1 > 0\"/></widget>" +
               tail
        << QStringList{"P1", "P2"} << QByteArray("!name=\"B\"");
    QTest::newRow("a second widget of that name inside a page is the page's")
        << head + control +
               "<widget class=\"QWidget\" name=\"P1\"><widget class=\"QTabWidget\" name=\"Inner\">"
               "<widget class=\"QWidget\" name=\"Pagxaro\"/></widget></widget></widget>" +
               tail
        << QStringList{"P1"} << QByteArray("!Inner");
    QTest::newRow("no page control") << head + tail << QStringList{} << QByteArray();
    QTest::newRow("a page control without pages")
        << head + control + "</widget>" + tail << QStringList{} << QByteArray();
    QTest::newRow("tags that do not match") << head + control + page + tail << QStringList{} << QByteArray();
    QTest::newRow("cut short") << head + control + page.left(40) << QStringList{} << QByteArray();
  }
  void layoutTextsAreCutAtThePageControl() {
    QFETCH(QByteArray, layout);
    QFETCH(QStringList, pages);
    QFETCH(QByteArray, window);
    const PagedLayout paged = SplitPagedLayout(layout, QStringLiteral("Pagxaro"));
    QCOMPARE(paged.pageNames, pages);
    QCOMPARE(paged.IsValid(), !pages.isEmpty());
    if (window.startsWith('!')) {
      QVERIFY(!paged.window.contains(window.mid(1)));
    } else {
      QVERIFY(paged.window.contains(window));
    }
    for (qsizetype i = 0; i < paged.pages.size(); ++i) {
      QVERIFY(paged.pages[i].contains("<class>" + pages[i].toUtf8() + "</class>"));
    }
  }
};

QTEST_MAIN(TestLayouts)
#include "tst_layouts.moc"
