// The export driven through the window as the user drives it: the export
// button, the centre panel, short names typed into the levels grid, the
// second template chosen, and the end of the run, standalone and hosted; and
// the same with the keyboard, Enter pressing each panel's default button.
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

#include "app/window_harness.h"
#include "dae_import/complete_export.h"
#include "toolkit/files.h"

using app_test::WindowHarness;

namespace {

// Row of the level with code cod in the levels grid.
int levelRow(const WindowHarness& h, const QString& cod) {
  for (int row = 0; row < h.rowCount("wwDBGridNIVIMP"); ++row) {
    if (h.cell("wwDBGridNIVIMP", row, 0) == cod) return row;
  }
  qFatal("no level %s", qPrintable(cod));
}

constexpr int kAbrevCast = 2;
constexpr int kAbrevEusk = 4;

}  // namespace

class ExportWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Either direction's OK when the safety copy cannot be made: the error box
  // names the copies folder, no panel or window opens, nothing changes.
  void aCopyThatCannotBeMadeStopsEitherDirectionWithNothingChanged() {
    WindowHarness h;
    const std::filesystem::path blocked = h.workspace.copiesFolder();
    test_support::writeBytes(blocked, "a file where a folder should be");
    h.session.copiesFolder = blocked / "copias";
    h.open({});
    for (const char* button : {"BExportar", "BImportar"}) {
      h.dialogs.shown.clear();
      h.click(button);
      QCOMPARE(h.dialogs.shown.size(), std::size_t{1});
      const std::string expected =
          "error: No se puede hacer la copia de seguridad en " + h.session.copiesFolder.string();
      QVERIFY2(h.dialogs.shown[0].starts_with(expected), h.dialogs.shown[0].c_str());
      QVERIFY(!h.showing("Panel1"));
      QCOMPARE(h.dialogs.classHourChecks, 0);
      QCOMPARE(h.session.CodigoResultado, 0);
      QVERIFY(QApplication::overrideCursor() == nullptr);
      QVERIFY(test_support::folderFiles(h.workspace.workFolder()).empty());
    }
  }

  void exportRunsThroughThePanelsToTheEnd() {
    WindowHarness h;
    h.open({});
    h.click("BExportar");
    QVERIFY(h.showing("Panel1"));
    QCOMPARE(h.session.CodigoResultado, 1);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(h.rowCount("wwDBGridCODCENTRO"), 1);
    QCOMPARE(h.cell("wwDBGridCODCENTRO", 0, 0), QString("012345"));
    QCOMPARE(h.cell("wwDBGridCODCENTRO", 0, 1), QString("2024"));
    h.type("wwDBGridCODCENTRO", 0, 2, "v1");

    h.click("BitBtn1");
    QVERIFY(h.showing("Panel2"));
    QVERIFY(!h.showing("Panel1"));
    QVERIFY(!h.showing("Panel3"));
    h.type("wwDBGridNIVIMP", levelRow(h, "ESO"), kAbrevCast, "ESO");
    h.type("wwDBGridNIVIMP", levelRow(h, "ESO"), kAbrevEusk, "DBH");
    h.type("wwDBGridNIVIMP", levelRow(h, "BACH"), kAbrevCast, QString::fromUtf8("BAÑ"));

    h.click("BitBtn2");
    QVERIFY(h.showing("Panel3"));
    QCOMPARE(h.rowCount("wwDBGridPlantillas"), 2);
    QCOMPARE(h.cell("wwDBGridPlantillas", 1, 0), QString("PLANB"));
    h.select("wwDBGridPlantillas", 1, 1);

    h.click("BitBtn3");
    QCOMPARE(h.dialogs.shown, std::vector<std::string>{"Proceso finalizado"});
    QCOMPARE(h.dialogs.busyAtBox, std::vector<bool>{false});
    QVERIFY(!h.showing("Panel2"));
    QVERIFY(h.showing("Button3"));
    QVERIFY(!h.child<QPushButton>("BExportar")->isEnabled());
    QVERIFY(!h.child<QPushButton>("BImportar")->isEnabled());
    QVERIFY(h.window->isVisible());
    QCOMPARE(h.session.CodigoResultado, 1);

    QCOMPARE(h.workspace.read("daeCENTRO", {"CODCENTRO", "ANOACAD", "VERSION"}),
             (test_support::Rows{{"012345", "2024", "v1"}}));
    QCOMPARE(h.workspace.read("daeNIVIMP2", {"COD", "ABREVCAST", "ABREVEUSK"}),
             (test_support::Rows{{"ESO", "ESO", "DBH"}, {"BACH", "BA\xD1", ""}}));
    QCOMPARE(h.workspace.read("DIASHORAST", {"PLANTILLA", "DIHO"}),
             (test_support::Rows{{"PLANB", "31"}, {"PLANB", "32"}, {"PLANB", "210"}}));

    // Back to the levels: the template panel as it was left, without its OK.
    h.click("Button3");
    QVERIFY(h.showing("Panel2"));
    QVERIFY(h.showing("Panel3"));
    QVERIFY(!h.showing("BitBtn3"));
    QVERIFY(h.showing("LabelEspere2"));
  }

  // Each panel's grid takes the keyboard when the panel comes up; Enter there
  // presses the panel's default button, except while a cell is being typed
  // in, where it only keeps the value.
  void enterOnAPanelPressesItsDefaultButton() {
    WindowHarness h;
    h.open({});
    QApplication::setActiveWindow(h.window.get());
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    const auto press = [](int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); };
    h.click("BExportar");
    QCOMPARE(QApplication::focusWidget(), h.child<QWidget>("wwDBGridCODCENTRO"));
    press(Qt::Key_Return);  // the centre's "OK"
    QVERIFY(h.showing("Panel2"));
    QCOMPARE(QApplication::focusWidget(), h.child<QWidget>("wwDBGridNIVIMP"));

    h.select("wwDBGridNIVIMP", levelRow(h, "ESO"), kAbrevCast);
    QTest::keyClicks(QApplication::focusWidget(), "E");  // typing opens the cell's editor
    QTest::keyClicks(QApplication::focusWidget(), "SO");
    press(Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(h.cell("wwDBGridNIVIMP", levelRow(h, "ESO"), kAbrevCast), QString("ESO"));
    QVERIFY(!h.showing("Panel3"));

    press(Qt::Key_Enter);  // "Aceptar", from the keypad
    QVERIFY(h.showing("Panel3"));
    QCOMPARE(QApplication::focusWidget(), h.child<QWidget>("wwDBGridPlantillas"));
    press(Qt::Key_Down);    // the second template
    press(Qt::Key_Return);  // the template's "OK"
    QCOMPARE(h.dialogs.shown, std::vector<std::string>{"Proceso finalizado"});
    QCOMPARE(h.workspace.read("DIASHORAST", {"PLANTILLA"}).at(0), std::vector<std::string>{"PLANB"});
  }

  void enterOnAFocusedButtonPressesThatButton() {
    WindowHarness h;
    h.open({});
    QApplication::setActiveWindow(h.window.get());
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.click("BExportar");
    h.click("BitBtn1");
    auto* back = h.child<QPushButton>("Button2");  // "Volver a Datos Centro"
    back->setFocus();
    QTest::keyClick(back, Qt::Key_Return);
    QVERIFY(h.showing("Panel1"));
    QVERIFY(!h.showing("Panel2"));
  }

  void hostedExportClosesTheWindowAndReportsTheResult() {
    WindowHarness h;
    h.open({"exportar", "1A2F"});
    QSignalSpy closed(h.window.get(), &app::MainWindow::closed);
    h.click("BExportar");
    h.click("BitBtn1");
    h.click("BitBtn2");
    h.click("BitBtn3");
    QCOMPARE(h.dialogs.shown, std::vector<std::string>{"Proceso finalizado"});
    QVERIFY(!h.window->isVisible());
    QCOMPARE(closed.size(), 1);
    QCOMPARE(h.ini(), std::optional<std::string>("[Transformadores]\r\nTransformado=1\r\n"));
  }

  void hostedExportWithAMissingFileStaysOpenAndReportsMinusOne() {
    WindowHarness h;
    h.workspace.removeDaeFile("T13.txt");
    h.open({"exportar", "1A2F"});
    h.click("BExportar");
    QCOMPARE(h.dialogs.shown, std::vector<std::string>{"No existe archivo DAE (T13.TXT)"});
    QCOMPARE(h.dialogs.busyAtBox, std::vector<bool>{true});  // the loading was under way
    QVERIFY(h.window->isVisible());
    QVERIFY(!h.showing("Panel1"));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    h.click("BClose");
    QCOMPARE(h.ini(), std::optional<std::string>("[Transformadores]\r\nTransformado=-1\r\n"));
  }

  void repeatedShortNameKeepsTheLevelsAndPointsAtIt() {
    WindowHarness h;
    h.open({});
    h.click("BExportar");
    h.click("BitBtn1");
    h.type("wwDBGridNIVIMP", levelRow(h, "ESO"), kAbrevCast, "ESO");
    h.type("wwDBGridNIVIMP", levelRow(h, "BACH"), kAbrevCast, "eso");
    h.select("wwDBGridNIVIMP", levelRow(h, "ESO"), kAbrevCast);
    h.click("BitBtn2");
    QCOMPARE(h.dialogs.shown, std::vector<std::string>{"Abreviatura en Castellano Repetida - Compruébelo."});
    QVERIFY(h.showing("Panel2"));
    QVERIFY(!h.showing("Panel3"));
    QCOMPARE(h.currentRow("wwDBGridNIVIMP"), levelRow(h, "BACH"));
  }

  void backToTheCentreAndOnToTheLevelsAgain() {
    WindowHarness h;
    h.open({});
    h.click("BExportar");
    h.click("BitBtn1");
    h.type("wwDBGridNIVIMP", levelRow(h, "ESO"), kAbrevCast, "ESO");
    h.click("Button2");
    QVERIFY(h.showing("Panel1"));
    QVERIFY(!h.showing("Panel2"));
    h.click("BitBtn1");
    QVERIFY(h.showing("Panel2"));
    QCOMPARE(h.cell("wwDBGridNIVIMP", levelRow(h, "ESO"), kAbrevCast), QString("ESO"));
  }

  void ctrlDeleteRemovesALevelAfterConfirmation() {
    WindowHarness h;
    h.open({});
    h.click("BExportar");
    h.click("BitBtn1");
    h.select("wwDBGridNIVIMP", levelRow(h, "BACH"), kAbrevCast);
    QTest::keyClick(h.child<QWidget>("wwDBGridNIVIMP"), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(h.dialogs.shown, std::vector<std::string>{"Confirm|Delete record?"});
    QCOMPARE(h.rowCount("wwDBGridNIVIMP"), 1);
    QCOMPARE(h.workspace.read("daeNIVIMP", {"COD"}), (test_support::Rows{{"ESO"}}));
  }

  void errorInTheTemplateStepLeavesThePanelsAsTheyWere() {
    WindowHarness h;
    // A period number with a trailing blank does not convert.
    h.workspace.writeDaeFile("PLANTILLAS.txt", dae_test::templateHeader("A",
                                                                        "Ma\xF1"
                                                                        "ana") +
                                                   dae_test::periodRecord("1 ", "1", "08:00", "08:55"));
    h.open({"exportar", "1A2F"});
    h.click("BExportar");
    h.click("BitBtn1");
    h.click("BitBtn2");
    h.click("BitBtn3");
    QCOMPARE(h.dialogs.shown, std::vector<std::string>{"error: '1 ' is not a valid integer value"});
    QVERIFY(h.window->isVisible());
    QVERIFY(h.showing("Panel3"));
    QVERIFY(!h.showing("BitBtn3"));
    QVERIFY(h.showing("LabelEspere2"));
    QCOMPARE(h.session.CodigoResultado, 1);
  }
};

QTEST_MAIN(ExportWindowTest)
#include "export_window_test.moc"
