// The grid framework's parts for the import windows: fixed columns that stay
// in place and never take the cursor, Enter moving to the next cell, titles
// on two lines, a detail model following its master, drop-down code lists
// and the navigator bar.
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/gui/code_list_delegate.h"
#include "app/gui/data_grid.h"
#include "app/gui/grid_header.h"
#include "app/gui/navigator_bar.h"
#include "app/gui/table_model.h"
#include "support/dbase/table.h"
#include "toolkit/temp_folder.h"

namespace {

using app::gui::ColumnSpec;
using app::gui::DataGrid;
using app::gui::GridOptions;
using app::gui::TableModel;

// ROWS: rows R01, R02, ... with two editable values each.
dbase::Table makeRows(const std::filesystem::path& folder, int count) {
  dbase::Table table =
      dbase::recreateTable(folder, {"ROWS",
                                    {dbase::characterField("COD", 4), dbase::characterField("NAME", 30),
                                     dbase::characterField("A", 5), dbase::characterField("B", 5)},
                                    {}});
  for (int i = 1; i <= count; ++i) {
    const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
    table.appendRecord(
        {"R" + number, "Row number " + number, std::string("a") + number, std::string("b") + number});
  }
  table.first();
  return table;
}

const std::vector<ColumnSpec> kRowColumns = {
    {"COD", "COD", 4, false}, {"NAME", "NAME", 30, false}, {"A", "A", 5, true}, {"B", "B", 5, true}};

// A grid over ROWS, shown in its own window.
struct GridWindow {
  GridWindow(dbase::Table& table, GridOptions options, QSize size = {400, 200}) {
    auto* model = new TableModel(kRowColumns, &window);
    model->setTable(&table);
    grid = new DataGrid(model, std::move(options), &window);
    grid->setGeometry(QRect(QPoint(0, 0), size));
    grid->reload();
    window.resize(size);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) qFatal("the grid was not shown");
  }

  QTableView* fixedView() const { return grid->findChild<QTableView*>(); }
  QModelIndex cell(int row, int column) const { return grid->model()->index(row, column); }

  QWidget window;
  DataGrid* grid;
};

GridOptions fixedTwo() {
  GridOptions options;
  options.fixedColumns = 2;
  options.enterMovesToNextCell = true;
  return options;
}

QString currentCell(const DataGrid* grid) {
  return QString("%1,%2").arg(grid->currentIndex().row()).arg(grid->currentIndex().column());
}

}  // namespace

class GridFrameworkTest : public QObject {
  Q_OBJECT

 private slots:
  void fixedColumnsNeverTakeTheCursor() {
    test_support::TempFolder folder;
    dbase::Table table = makeRows(folder.path(), 3);
    GridWindow w(table, fixedTwo());
    QCOMPARE(currentCell(w.grid), QString("0,2"));
    QTest::keyClick(w.grid, Qt::Key_Left);
    QCOMPARE(currentCell(w.grid), QString("0,2"));
    QTest::keyClick(w.grid, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(w.grid, Qt::Key_Home);
    QCOMPARE(currentCell(w.grid), QString("2,2"));

    // A click on a fixed cell chooses its row and keeps the column.
    w.grid->setCurrentIndex(w.cell(2, 3));
    QTableView* fixed = w.fixedView();
    QVERIFY(fixed);
    QTest::mouseClick(fixed->viewport(), Qt::LeftButton, {}, fixed->visualRect(w.cell(1, 0)).center());
    QCOMPARE(currentCell(w.grid), QString("1,3"));
    QCOMPARE(table.text("COD"), std::string("R02"));
  }

  void fixedColumnsStayWhileTheOthersScroll() {
    test_support::TempFolder folder;
    dbase::Table table = makeRows(folder.path(), 3);
    GridWindow w(table, fixedTwo(), {260, 150});
    QTableView* fixed = w.fixedView();
    const int fixedWidth = w.grid->columnWidth(0) + w.grid->columnWidth(1);
    QCOMPARE(fixed->width(), fixedWidth);
    QVERIFY(!fixed->isColumnHidden(1));
    QVERIFY(fixed->isColumnHidden(2));

    w.grid->setCurrentIndex(w.cell(0, 3));
    QVERIFY(w.grid->horizontalScrollBar()->value() > 0);
    QCOMPARE(fixed->x(), w.grid->frameWidth());
    // Back to the first scrolling column: it comes out beside the fixed ones.
    w.grid->setCurrentIndex(w.cell(0, 2));
    QVERIFY(w.grid->visualRect(w.cell(0, 2)).left() >= fixedWidth);
  }

  void enterGoesToTheNextCell_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("after");
    QTest::newRow("next column") << 0 << 2 << "0,3";
    QTest::newRow("last column: next row, first column that scrolls") << 0 << 3 << "1,2";
    QTest::newRow("last cell: stays") << 2 << 3 << "2,3";
  }
  void enterGoesToTheNextCell() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, after);
    test_support::TempFolder folder;
    dbase::Table table = makeRows(folder.path(), 3);
    GridWindow w(table, fixedTwo());
    w.grid->setCurrentIndex(w.cell(row, column));
    QTest::keyClick(w.grid, Qt::Key_Return);
    QCOMPARE(currentCell(w.grid), after);
    QVERIFY(w.window.isVisible());
  }

  void enterAfterTypingSavesAndMovesOn() {
    test_support::TempFolder folder;
    dbase::Table table = makeRows(folder.path(), 3);
    GridWindow w(table, fixedTwo());
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.grid->setCurrentIndex(w.cell(1, 2));
    QTest::keyClick(w.grid, Qt::Key_X);
    auto* editor = qobject_cast<QLineEdit*>(w.grid->indexWidget(w.cell(1, 2)));
    QVERIFY(editor);
    QTest::keyClicks(editor, "yz");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(currentCell(w.grid), QString("1,3"));
    QCOMPARE(w.cell(1, 2).data().toString(), QString("xyz"));
    dbase::Table check(folder.path(), "ROWS");
    check.open({.readOnly = true});
    check.next();
    QCOMPARE(check.text("A"), std::string("xyz"));
  }

  void longTitlesTakeTwoLines() {
    QWidget window;
    app::gui::GridHeader header(2, "DAE", {false, true}, &window);
    const QString title = "HORA INICIO CLASE";
    const int full = header.fontMetrics().horizontalAdvance(title);
    // The narrower of the two ways to split it in two lines.
    const int best = std::min(header.fontMetrics().horizontalAdvance("HORA INICIO"),
                              header.fontMetrics().horizontalAdvance("INICIO CLASE"));
    QVERIFY2(std::abs(header.titleWidth(0, title) - best) <= 1,
             qPrintable(QString::number(header.titleWidth(0, title))));
    QVERIFY(best < full);
    // Under the common title a column's own title has one line.
    QCOMPARE(header.titleWidth(1, title), full);
  }

  void detailRowsFollowTheMaster() {
    test_support::TempFolder folder;
    dbase::Table masters = makeRows(folder.path(), 3);
    dbase::Table details = dbase::recreateTable(
        folder.path(), {"DETAILS",
                        {dbase::characterField("OWNER", 4), dbase::characterField("WHAT", 5)},
                        {{"OWNER", "OWNER"}}});
    for (const char* owner : {"R01", "R03", "R01"})
      details.appendRecord({std::string(owner), std::string("x")});
    details.linkTo(masters, "COD", "OWNER");
    TableModel model({{"OWNER", "OWNER", 4, false}}, nullptr);
    model.mirrorLink(masters, "COD", "OWNER");
    model.setTable(&details);
    QCOMPARE(model.rowCount(), 2);
    masters.next();
    model.reload();
    QCOMPARE(model.rowCount(), 0);
    masters.next();
    model.reload();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.currentRow(), 0);
    masters.next();
    model.reload();
    QVERIFY(masters.atEnd());
    QCOMPARE(model.rowCount(), 0);
  }

  void codeListStoresTheChosenCode() {
    test_support::TempFolder folder;
    dbase::Table table = makeRows(folder.path(), 2);
    dbase::Table codes = dbase::recreateTable(
        folder.path(), {"CODES", {dbase::characterField("COD", 4), dbase::characterField("DESC", 20)}, {}});
    codes.appendRecord({std::string("K1"), std::string("Primero")});
    codes.appendRecord({std::string("K2"), std::string("Segundo")});
    TableModel codeModel({{"COD", "COD", 4, false}, {"DESC", "DESC", 20, false}}, nullptr);
    codeModel.setTable(&codes);
    GridWindow w(table, fixedTwo());
    auto* delegate = new app::gui::CodeListDelegate(&codeModel, w.grid);
    std::vector<int> guarded;
    delegate->setOpenGuard([&guarded](const QModelIndex& index) {
      guarded.push_back(index.row());
      return index.row() == 0;
    });
    w.grid->setItemDelegateForColumn(2, delegate);

    // Refused: no list, the value stays.
    w.grid->setCurrentIndex(w.cell(1, 2));
    QTest::keyClick(w.grid, Qt::Key_K);
    QVERIFY(!w.grid->indexWidget(w.cell(1, 2)));
    QCOMPARE(guarded, std::vector<int>{1});

    // Typing opens the list at the code that starts with it; nothing is
    // stored until a row is chosen; Delete does not clear.
    w.grid->setCurrentIndex(w.cell(0, 2));
    QTest::keyClick(w.grid, Qt::Key_K);
    auto* list = qobject_cast<QComboBox*>(w.grid->indexWidget(w.cell(0, 2)));
    QVERIFY(list);
    QVERIFY(list->view()->isVisible());
    QCOMPARE(list->view()->model()->columnCount(), 2);
    QCOMPARE(list->currentIndex(), -1);
    list->hidePopup();
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(w.cell(0, 2).data().toString(), QString("a01"));
    list->setCurrentIndex(1);
    emit list->activated(1);
    QVERIFY(!w.grid->indexWidget(w.cell(0, 2)));
    QCOMPARE(w.cell(0, 2).data().toString(), QString("K2"));
    QCOMPARE(table.text("A"), std::string("K2"));
  }

  void navigatorButtonsShowTheirHints() {
    test_support::TempFolder folder;
    dbase::Table table = makeRows(folder.path(), 1);
    GridWindow w(table, {});
    app::gui::NavigatorBar bar(w.grid, &w.window);
    QStringList hints;
    for (QToolButton* button : bar.findChildren<QToolButton*>()) hints << button->toolTip();
    QCOMPARE(hints,
             (QStringList{"Move to first record", "Move backward 10 records", "Move to prior record",
                          "Move to next record", "Move forward 10 records", "Move to last record",
                          "Edit current record", "Post changes of current record",
                          "Cancel changes made to current record", "Refresh the contents of the dataset"}));
  }

  void navigatorMovesTheRecord_data() {
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QString>("record");
    QTest::newRow("last") << QStringList{"Last"} << "R20";
    QTest::newRow("ten back from the last") << QStringList{"Last", "PriorPage"} << "R10";
    QTest::newRow("prior") << QStringList{"Last", "PriorPage", "Prior"} << "R09";
    QTest::newRow("ten back stops at the first") << QStringList{"Next", "PriorPage"} << "R01";
    QTest::newRow("ten forward") << QStringList{"NextPage", "Next"} << "R12";
    QTest::newRow("ten forward stops at the last") << QStringList{"Last", "Prior", "NextPage"} << "R20";
    QTest::newRow("first") << QStringList{"NextPage", "First"} << "R01";
  }
  void navigatorMovesTheRecord() {
    QFETCH(QStringList, presses);
    QFETCH(QString, record);
    test_support::TempFolder folder;
    dbase::Table table = makeRows(folder.path(), 20);
    GridWindow w(table, {});
    app::gui::NavigatorBar bar(w.grid, &w.window);
    for (const QString& name : presses) bar.findChild<QToolButton*>(name)->click();
    QCOMPARE(QString::fromStdString(table.text("COD")), record);
  }

  void navigatorPostsOrCancelsWhatIsTyped_data() {
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("stored");
    QTest::newRow("post") << "Post"
                          << "new";
    QTest::newRow("cancel") << "Cancel"
                            << "a01";
  }
  void navigatorPostsOrCancelsWhatIsTyped() {
    QFETCH(QString, press);
    QFETCH(QString, stored);
    test_support::TempFolder folder;
    dbase::Table table = makeRows(folder.path(), 2);
    GridWindow w(table, {});
    app::gui::NavigatorBar bar(w.grid, &w.window);
    w.grid->setCurrentIndex(w.cell(0, 2));
    bar.findChild<QToolButton*>("Edit")->click();
    auto* editor = qobject_cast<QLineEdit*>(w.grid->indexWidget(w.cell(0, 2)));
    QVERIFY(editor);
    editor->setText("new");
    bar.findChild<QToolButton*>(press)->click();
    QVERIFY(!w.grid->indexWidget(w.cell(0, 2)));
    QCOMPARE(QString::fromStdString(table.text("A")), stored);
  }
};

QTEST_MAIN(GridFrameworkTest)
#include "grid_framework_test.moc"
