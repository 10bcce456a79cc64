// The data-aware grid: Ctrl+Del after a confirmation, typing limited to the
// field's width, and the current row kept on the handle's record.
#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

#include "app/gui/data_grid.h"
#include "app/gui/table_model.h"
#include "support/dbase/table.h"
#include "toolkit/temp_folder.h"

namespace {

using app::gui::DataGrid;
using app::gui::GridOptions;
using app::gui::TableModel;

dbase::Table makeLevels(const std::filesystem::path& folder) {
  dbase::Table table = dbase::recreateTable(
      folder, {"LEVELS", {dbase::characterField("COD", 4), dbase::characterField("ABREV", 5)}, {}});
  for (const char* cod : {"ESO", "BACH", "FP"}) table.appendRecord({std::string(cod)});
  table.first();
  return table;
}

TableModel* levelsModel(dbase::Table& table, QObject* parent) {
  auto* model = new TableModel({{"COD", "COD", 5, false}, {"ABREV", "ABREV", 5, true}}, parent);
  model->setTable(&table);
  return model;
}

}  // namespace

class DataGridTest : public QObject {
  Q_OBJECT

 private slots:
  void ctrlDeleteAsksFirst_data() {
    QTest::addColumn<bool>("confirmable");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("asked");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("OK deletes the current row") << true << true << 1 << QStringList{"ESO", "FP"};
    QTest::newRow("Cancel keeps it") << true << false << 1 << QStringList{"ESO", "BACH", "FP"};
    QTest::newRow("a grid without deletion asks nothing")
        << false << true << 0 << QStringList{"ESO", "BACH", "FP"};
  }
  void ctrlDeleteAsksFirst() {
    QFETCH(bool, confirmable);
    QFETCH(bool, answer);
    QFETCH(int, asked);
    QFETCH(QStringList, left);
    test_support::TempFolder folder;
    dbase::Table table = makeLevels(folder.path());
    QWidget window;
    int questions = 0;
    GridOptions options;
    if (confirmable) {
      options.confirmDelete = [&] {
        ++questions;
        return answer;
      };
    }
    auto* grid = new DataGrid(levelsModel(table, &window), options, &window);
    grid->reload();
    grid->setCurrentIndex(grid->model()->index(1, 1));
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(questions, asked);
    QStringList shown;
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
      shown << grid->model()->index(row, 0).data().toString();
    }
    QCOMPARE(shown, left);
    QCOMPARE(table.recordCount(), left.size());
  }

  // The Windows styles' smallest header section (the font's height and 8)
  // must not make the rows taller than the windows were laid out for.
  void rowsAreTheFontsHeightAndFourUnderEveryStyle_data() {
    QTest::addColumn<QString>("style");
    for (const QString& style : QStyleFactory::keys()) QTest::newRow(qPrintable(style)) << style;
  }
  void rowsAreTheFontsHeightAndFourUnderEveryStyle() {
    QFETCH(QString, style);
    const QString previous = QApplication::style()->name();
    QApplication::setStyle(style);
    test_support::TempFolder folder;
    dbase::Table table = makeLevels(folder.path());
    QWidget window;
    GridOptions options;
    options.fixedColumns = 1;
    auto* grid = new DataGrid(levelsModel(table, &window), options, &window);
    grid->reload();
    const int expected = grid->fontMetrics().height() + 4;
    const auto views = window.findChildren<QTableView*>();
    QApplication::setStyle(previous);
    QCOMPARE(views.size(), 2);  // the grid and its fixed columns
    for (const QTableView* view : views) QCOMPARE(view->rowHeight(0), expected);
  }

  void editorTakesNoMoreThanTheFieldWidth() {
    test_support::TempFolder folder;
    dbase::Table table = makeLevels(folder.path());
    QWidget window;
    auto* grid = new DataGrid(levelsModel(table, &window), {}, &window);
    grid->reload();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    grid->edit(grid->model()->index(0, 1));
    auto* editor = grid->findChild<QLineEdit*>();
    QVERIFY(editor);
    QCOMPARE(editor->maxLength(), 5);
  }

  void currentRowFollowsTheHandle() {
    test_support::TempFolder folder;
    dbase::Table table = makeLevels(folder.path());
    QWidget window;
    auto* grid = new DataGrid(levelsModel(table, &window), {}, &window);
    table.last();
    grid->reload();
    QCOMPARE(grid->currentIndex().row(), 2);
    grid->setCurrentIndex(grid->model()->index(0, 1));
    QCOMPARE(table.text("COD"), std::string("ESO"));
  }
};

QTEST_MAIN(DataGridTest)
#include "data_grid_test.moc"
