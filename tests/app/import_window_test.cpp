// The import driven through the window: after an export and the stand-in
// host's timetable, "OK" of the import area runs to the DAE timetable file, or
// to the message that it was not written, each shown under the normal
// cursor; without centre data the centre panel asks for them first.
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

#include "app/window_harness.h"
#include "support/dbase/table.h"

using app_test::WindowHarness;

namespace {

// The export through the window, ending in "Proceso finalizado".
void exportThroughTheWindow(WindowHarness& h) {
  h.open({});
  for (const char* button : {"BExportar", "BitBtn1", "BitBtn2", "BitBtn3"}) h.click(button);
  QCOMPARE(h.dialogs.shown, std::vector<std::string>{"Proceso finalizado"});
  h.dialogs.shown.clear();
  h.dialogs.busyAtBox.clear();
}

// The stand-in host turns the exported tables into its timetable SOLUC.
void solveTimetable(const WindowHarness& h) {
  QProcess solve;
  solve.start(TRANSORVALDAE_HOST_STUB,
              {"solve", "--work-folder", QString::fromStdString(h.workspace.workFolder().string())});
  QVERIFY(solve.waitForFinished(60000));
  QCOMPARE(solve.exitCode(), 0);
}

}  // namespace

class ImportWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void importWritesTheTimetableFile_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("closes");
    QTest::newRow("standalone") << QStringList{} << false;
    QTest::newRow("hosted") << QStringList{"importar", "1A2F"} << true;
  }
  void importWritesTheTimetableFile() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, closes);
    WindowHarness h;
    exportThroughTheWindow(h);
    solveTimetable(h);

    h.open(arguments);
    h.click("BImportar");
    QCOMPARE(h.dialogs.shown, std::vector<std::string>{"Proceso finalizado"});
    QCOMPARE(h.dialogs.busyAtBox, std::vector<bool>{false});
    QVERIFY(std::filesystem::exists(h.workspace.daeFolder() / "fCUADROS.txt"));
    QCOMPARE(h.session.CodigoResultado, 1);
    QCOMPARE(h.window->isVisible(), !closes);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    if (closes) QCOMPARE(h.ini(), std::optional<std::string>("[Transformadores]\r\nTransformado=1\r\n"));
  }

  void importEndedWithoutTheFileSaysSoUnderTheNormalCursor() {
    WindowHarness h;
    exportThroughTheWindow(h);
    solveTimetable(h);
    {
      // The first teacher loses the document: the editor asks, and is told No.
      dbase::Table teachers(h.workspace.workFolder(), "PROFT");
      teachers.open();
      teachers.first();
      teachers.edit();
      teachers.setText("DNI", "");
      teachers.post();
    }

    h.open({});
    h.click("BImportar");
    QCOMPARE(h.dialogs.shown.size(), std::size_t{2});
    QVERIFY(h.dialogs.shown[0].find("!!!ATENCIÓN!!!") != std::string::npos);
    QCOMPARE(h.dialogs.shown[1], std::string("!!ATENCIÓN!! El Proceso NO ha finalizado Correctamente"));
    QCOMPARE(h.dialogs.busyAtBox, (std::vector<bool>{false, false}));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(h.session.FlagPaso, 4);
  }

  void importStoppedByAnErrorLeavesNoHourglass() {
    WindowHarness h;
    exportThroughTheWindow(h);  // and no timetable from the host
    h.open({});
    h.click("BImportar");
    QCOMPARE(h.dialogs.shown.size(), std::size_t{1});
    QVERIFY(h.dialogs.shown[0].rfind("error: ", 0) == 0);
    QCOMPARE(h.dialogs.busyAtBox, std::vector<bool>{false});
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void importWithoutCentreDataAsksForThemFirst() {
    WindowHarness h;
    h.open({});
    h.click("BImportar");
    QVERIFY(h.showing("Panel1"));
    QCOMPARE(h.rowCount("wwDBGridCODCENTRO"), 1);
    QVERIFY(h.dialogs.shown.empty());

    // A blank field keeps the panel up, without a message.
    h.type("wwDBGridCODCENTRO", 0, 0, "012345");
    h.type("wwDBGridCODCENTRO", 0, 1, "2024");
    h.click("BitBtn1");
    QVERIFY(h.showing("Panel1"));
    QVERIFY(h.dialogs.shown.empty());

    h.type("wwDBGridCODCENTRO", 0, 2, "1");
    h.click("BitBtn1");
    QVERIFY(!h.showing("Panel1"));
    QCOMPARE(h.workspace.read("daeCENTRO", {"CODCENTRO", "ANOACAD", "VERSION"}),
             (test_support::Rows{{"012345", "2024", "1"}}));
    // No timetable was ever exported here: the import stops at its first
    // missing table, through the default error handler.
    QCOMPARE(h.dialogs.shown.size(), std::size_t{1});
    QVERIFY(h.dialogs.shown[0].rfind("error: ", 0) == 0);
  }
};

QTEST_MAIN(ImportWindowTest)
#include "import_window_test.moc"
