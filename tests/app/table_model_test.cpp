// The grid model over a table handle: Windows-1252 on disk, Unicode on
// screen; edits posted at once; the pending new record; the current row.
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

#include "app/gui/table_model.h"
#include "support/dbase/table.h"
#include "toolkit/temp_folder.h"

namespace {

using app::gui::ColumnSpec;
using app::gui::TableModel;

const std::vector<ColumnSpec> kColumns{
    {"COD", "COD", 4, false}, {"NOMBRE", "Nombre", 10, true}, {"N", "N", 4, true}};

// LEVELS with fields COD C4, NOMBRE C10, N I and the given rows.
dbase::Table makeTable(const std::filesystem::path& folder,
                       const std::vector<std::vector<dbase::Value>>& rows) {
  dbase::Table table = dbase::recreateTable(
      folder,
      {"LEVELS",
       {dbase::characterField("COD", 4), dbase::characterField("NOMBRE", 10), dbase::integerField("N")},
       {}});
  for (const auto& row : rows) table.appendRecord(row);
  table.first();
  return table;
}

// The NOMBRE field of every record, read through a handle of its own.
std::vector<std::string> namesOnDisk(const std::filesystem::path& folder) {
  dbase::Table reader(folder, "LEVELS");
  reader.open();
  std::vector<std::string> names;
  for (reader.first(); !reader.atEnd(); reader.next()) names.push_back(reader.text("NOMBRE"));
  return names;
}

}  // namespace

class TableModelTest : public QObject {
  Q_OBJECT

 private slots:
  void showsRowsInUnicode() {
    test_support::TempFolder folder;
    dbase::Table table = makeTable(folder.path(), {{std::string("ESO"),
                                                    std::string("Tutor\xED"
                                                                "a"),
                                                    7}});
    TableModel model(kColumns, nullptr);
    model.setTable(&table);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QString::fromUtf8("Tutoría"));
    QCOMPARE(model.data(model.index(0, 2), Qt::DisplayRole).toString(), QString("7"));
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Nombre"));
  }

  void editIsPostedAsWindows1252() {
    test_support::TempFolder folder;
    dbase::Table table = makeTable(folder.path(), {{std::string("A")}, {std::string("B")}});
    TableModel model(kColumns, nullptr);
    model.setTable(&table);
    QVERIFY(model.setData(model.index(1, 1), QString::fromUtf8("Año"), Qt::EditRole));
    QCOMPARE(table.state(), dbase::EditState::Browse);
    QCOMPARE(namesOnDisk(folder.path()), (std::vector<std::string>{"", "A\xF1o"}));
    // The edited row is the handle's current record.
    QCOMPARE(table.text("COD"), std::string("B"));
    QCOMPARE(model.currentRow(), 1);
  }

  void valueLongerThanTheFieldShowsAsStored() {
    test_support::TempFolder folder;
    dbase::Table table = makeTable(folder.path(), {{std::string("A")}});
    TableModel model(kColumns, nullptr);
    model.setTable(&table);
    QVERIFY(model.setData(model.index(0, 1), "ABCDEFGHIJKL", Qt::EditRole));
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QString("ABCDEFGHIJ"));
    QCOMPARE(model.fieldWidth(1), 10);
  }

  void readOnlyColumnRefusesEdits() {
    test_support::TempFolder folder;
    dbase::Table table = makeTable(folder.path(), {{std::string("A")}});
    TableModel model(kColumns, nullptr);
    model.setTable(&table);
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(!model.setData(model.index(0, 0), "X", Qt::EditRole));
    QCOMPARE(table.text("COD"), std::string("A"));
  }

  void engineErrorIsASignalNotABox() {
    test_support::TempFolder folder;
    dbase::Table table = makeTable(folder.path(), {{std::string("A")}});
    TableModel model(kColumns, nullptr);
    model.setTable(&table);
    QSignalSpy errors(&model, &TableModel::errorOccurred);
    QVERIFY(!model.setData(model.index(0, 2), "12x", Qt::EditRole));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), QString("'12x' is not a valid integer value for field 'N'"));
  }

  void pendingNewRecordIsARowAndIsPostedByAnEdit() {
    test_support::TempFolder folder;
    dbase::Table table = makeTable(folder.path(), {});
    table.edit();  // on an empty table: a new, pending record
    TableModel model(kColumns, nullptr);
    model.setTable(&table);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.currentRow(), 0);
    QVERIFY(model.setData(model.index(0, 1), "Nuevo", Qt::EditRole));
    QCOMPARE(table.recordCount(), 1);
    QCOMPARE(namesOnDisk(folder.path()), std::vector<std::string>{"Nuevo"});
    model.reload();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.currentRow(), 0);
  }

  void reloadLeavesTheHandleAndShowsItsUnpostedEdit() {
    test_support::TempFolder folder;
    dbase::Table table =
        makeTable(folder.path(), {{std::string("A")}, {std::string("B")}, {std::string("C")}});
    table.next();
    table.edit();
    table.setText("NOMBRE", "typed");
    TableModel model(kColumns, nullptr);
    model.setTable(&table);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.data(model.index(1, 1), Qt::DisplayRole).toString(), QString("typed"));
    QCOMPARE(table.state(), dbase::EditState::Edit);
    QCOMPARE(model.currentRow(), 1);
    QCOMPARE(namesOnDisk(folder.path()), (std::vector<std::string>{"", "", ""}));
  }

  void currentRowMovesTheHandle() {
    test_support::TempFolder folder;
    dbase::Table table =
        makeTable(folder.path(), {{std::string("A")}, {std::string("B")}, {std::string("C")}});
    TableModel model(kColumns, nullptr);
    model.setTable(&table);
    model.setCurrentRow(2);
    QCOMPARE(table.text("COD"), std::string("C"));
    table.first();
    QCOMPARE(model.currentRow(), 0);
  }

  void removeRowDeletesTheRecord() {
    test_support::TempFolder folder;
    dbase::Table table =
        makeTable(folder.path(), {{std::string("A")}, {std::string("B")}, {std::string("C")}});
    TableModel model(kColumns, nullptr);
    model.setTable(&table);
    QVERIFY(model.removeRow(1));
    QCOMPARE(table.recordCount(), 2);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.data(model.index(1, 0), Qt::DisplayRole).toString(), QString("C"));
  }

  void closedTableHasNoRows() {
    test_support::TempFolder folder;
    dbase::Table table = makeTable(folder.path(), {{std::string("A")}});
    table.close();
    TableModel model(kColumns, nullptr);
    model.setTable(&table);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.currentRow(), -1);
  }
};

QTEST_GUILESS_MAIN(TableModelTest)
#include "table_model_test.moc"
