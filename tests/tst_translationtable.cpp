#include "exercisedata.h"
#include "programpaths.h"
#include "settings.h"
#include "testsupport.h"
#include "translationfile.h"
#include "translationpaths.h"
#include "translationtable.h"
#include "translationtablewindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

namespace {

// The built course's template and sources, and a translation "Testa" in
// force that has one label and one drill item translated.
struct TableSetUp {
  TempProgramFolder folder;
  TableSetUp() {
    for (const char* name : {"tradukoj/sxablono.txt", "tradukoj/fonto.txt", "ekzercoj/ekz02.dat"}) {
      folder.Write(QLatin1String(name), ReadFileBytes(QStringLiteral(PELANO_PROGRAM_DIR) + QLatin1String(name)));
    }
    folder.Write(
        "tradukoj/testa.trd",
        "[Traduko]\r\nLingvo=Testa\r\n\r\n[Lec01]\r\nLabel3=c sounds ts\r\n\r\n[Ekzerco-0204]\r\n0=The girl sees "
        "the dog.\r\n");
    CurrentSettings().Lingvo = QStringLiteral("Testa");
    CurrentSettings().Dosiero = QStringLiteral("testa.trd");
    OpenTranslationFile(TranslationFilePath(QStringLiteral("testa.trd")));
  }
  ~TableSetUp() {
    CloseTranslationFile();
    CurrentSettings() = Settings{};
  }
};

int RowOf(const TranslationTableModel& model, const QString& section, const QString& key) {
  for (int row = 0; row < model.rowCount(); ++row) {
    if (model.index(row, TranslationTableModel::SectionColumn).data() == section &&
        model.index(row, TranslationTableModel::KeyColumn).data() == key) {
      return row;
    }
  }
  return -1;
}

}  // namespace

class TestTranslationTable : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Every key of the template has its row, with the Portuguese beside the
  // translation, menu, messages and drill items included.
  void everyKeyHasItsRow() {
    TableSetUp setUp;
    TranslationTableModel model;
    QVERIFY(model.rowCount() > 1000);
    const int label = RowOf(model, QStringLiteral("Lec01"), QStringLiteral("Label3"));
    QVERIFY(label >= 0);
    QCOMPARE(model.index(label, TranslationTableModel::TranslationColumn).data().toString(),
             QStringLiteral("c sounds ts"));
    QVERIFY(!model.index(label, TranslationTableModel::SourceColumn).data().toString().isEmpty());
    const int item = RowOf(model, QStringLiteral("Ekzerco-0204"), QStringLiteral("0"));
    QVERIFY(item >= 0);
    QCOMPARE(model.index(item, TranslationTableModel::SourceColumn).data().toString(),
             QStringLiteral("A menina vê o cachorro."));
    for (const char* key : {"smGratulon", "smNeSono"}) QVERIFY(RowOf(model, QStringLiteral("Mesagxoj"), key) >= 0);
    QVERIFY(RowOf(model, QStringLiteral("Menuo"), QStringLiteral("KieButono")) >= 0);
    QCOMPARE(model.TranslatedCount(), 3);
  }

  void filterBySearchAndState_data() {
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("onlyUntranslated");
    QTest::addColumn<int>("expectedAtMost");
    QTest::addColumn<bool>("labelShown");
    QTest::newRow("everything") << QString() << false << -1 << true;
    QTest::newRow("translation text, any case") << QStringLiteral("SOUNDS TS") << false << 1 << true;
    QTest::newRow("Portuguese source") << QStringLiteral("menina vê o cachorro") << false << 2 << false;
    QTest::newRow("untranslated only") << QString() << true << -1 << false;
    QTest::newRow("nothing matches") << QStringLiteral("ĉi tio ne ekzistas") << false << 0 << false;
  }
  void filterBySearchAndState() {
    QFETCH(QString, search);
    QFETCH(bool, onlyUntranslated);
    QFETCH(int, expectedAtMost);
    QFETCH(bool, labelShown);
    TableSetUp setUp;
    TranslationTableModel model;
    TranslationTableFilter filter;
    filter.setSourceModel(&model);
    filter.SetSearch(search);
    filter.SetOnlyUntranslated(onlyUntranslated);
    if (expectedAtMost >= 0) QVERIFY(filter.rowCount() <= expectedAtMost);
    if (expectedAtMost > 0) QVERIFY(filter.rowCount() >= 1);
    if (onlyUntranslated) QCOMPARE(filter.rowCount(), model.rowCount() - model.TranslatedCount());
    bool shown = false;
    for (int row = 0; row < filter.rowCount(); ++row) {
      shown |= filter.index(row, TranslationTableModel::KeyColumn).data() == QStringLiteral("Label3") &&
               filter.index(row, TranslationTableModel::SectionColumn).data() == QStringLiteral("Lec01");
    }
    QCOMPARE(shown, labelShown);
  }

  // A drill item, which no label shows, edited in the window's table: it is
  // saved to the translator's copy and the drill uses it after a restart.
  void editingADrillItemReachesTheDrill() {
    TableSetUp setUp;
    const QByteArray shipped = setUp.folder.Read("tradukoj/testa.trd");
    TranslationTableWindow window;
    auto* table = window.findChild<QTableView*>(QStringLiteral("Tabelo"));
    window.findChild<QLineEdit*>(QStringLiteral("Sercxu"))->setText(QStringLiteral("Minha mãe tem uma casa"));
    QCOMPARE(table->model()->rowCount(), 1);
    const QModelIndex cell = table->model()->index(0, TranslationTableModel::TranslationColumn);
    QVERIFY(table->model()->flags(cell) & Qt::ItemIsEditable);
    QVERIFY(table->model()->setData(cell, QStringLiteral("My mother has a beautiful house.")));
    QCOMPARE(setUp.folder.Read("tradukoj/testa.trd"), shipped);

    CloseTranslationFile();
    OpenTranslationFile(TranslationFilePath(QStringLiteral("testa.trd")));
    QStringList items;
    QCOMPARE(LoadExerciseItems(items, QStringLiteral("0204"), QStringLiteral("T")), 2);
    QCOMPARE(items.value(1), QStringLiteral("My mother has a beautiful house."));

    // Only the rows left to translate: the edited one is gone from them.
    window.findChild<QCheckBox*>(QStringLiteral("NurNetradukitaj"))->setChecked(true);
    QCOMPARE(table->model()->rowCount(), 0);
  }

  // A save that cannot be written leaves the row as it was.
  void aFailedEditKeepsTheRow() {
    TableSetUp setUp;
    setUp.folder.Write("user-data", "ne dosierujo");
    TranslationTableModel model;
    QSignalSpy failed(&model, &TranslationTableModel::SaveFailed);
    const QModelIndex cell = model.index(RowOf(model, QStringLiteral("Lec01"), QStringLiteral("Label3")),
                                         TranslationTableModel::TranslationColumn);
    QVERIFY(!model.setData(cell, QStringLiteral("nova")));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(cell.data().toString(), QStringLiteral("c sounds ts"));
  }
};

QTEST_MAIN(TestTranslationTable)
#include "tst_translationtable.moc"
