// The import with its real windows and message boxes: from "OK" of the
// import area on the bundled sample, through the class-hour check and the
// coding editor, to the final message; and an editor ended with a teacher
// still without a document, to the message that the process has not
// finished correctly.
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "app/message_box_dialogs.h"
#include "app/modal_script.h"
#include "converter/panel_flow.h"
#include "dae_export/import_run.h"
#include "dae_export/import_workspace.h"
#include "dae_import/code_tables.h"
#include "run/session.h"
#include "support/file_system.h"
#include "toolkit/files.h"
#include "toolkit/recording_dialogs.h"

namespace {

namespace fs = std::filesystem;
using app_test::ModalScript;

// The export on the sample through the panel flow, with every step accepted
// as offered, then the stand-in host's timetable.
void exportAndSolve(run::Session& session) {
  test_support::RecordingDialogs answers;
  converter::PanelFlow flow(session, answers);
  flow.BExportarClick(fs::path(session.CarpetaDAE).parent_path());
  flow.BitBtn1Click();
  flow.FinalRecogida();
  flow.BitBtn3Click();
  if (answers.shown != std::vector<std::string>{"Proceso finalizado"}) qFatal("the export did not end");
  QProcess solve;
  solve.start(TRANSORVALDAE_HOST_STUB,
              {"solve", "--work-folder", QString::fromStdString(session.workFolder.string())});
  if (!solve.waitForFinished(60000) || solve.exitCode() != 0) qFatal("the stand-in host did not solve");
}

}  // namespace

class ImportWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void sampleImportRunsThroughTheWindowsToItsEnd() {
    import_test::ImportWorkspace workspace;
    test_support::copyFiles(TRANSORVALDAE_SAMPLE_DAE, workspace.daeFolder());
    run::Session session = workspace.session();
    exportAndSolve(session);

    app::MessageBoxDialogs dialogs;
    app::MainWindow window(session, dialogs,
                           {{},
                            QString::fromStdString(workspace.workFolder().string()),
                            QString::fromStdString(workspace.daeFolder().string()),
                            nullptr});
    dialogs.setParentWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QString classHoursCaption;
    QString editorCaption;
    QString end;
    ModalScript script({[&classHoursCaption](QWidget* hours) {
                          classHoursCaption = hours->windowTitle();
                          app_test::clickIn("BitBtn1")(hours);
                        },
                        [&editorCaption](QWidget* editor) {
                          editorCaption = editor->windowTitle();
                          app_test::clickIn("BitBtn1")(editor);
                        },
                        app_test::pressInBox(QMessageBox::Ok, &end)});
    QTest::mouseClick(window.findChild<QPushButton*>("BImportar"), Qt::LeftButton);

    QCOMPARE(script.stepsLeft(), 0);
    QCOMPARE(classHoursCaption, QString("Control de Plantilla Horaria"));
    QCOMPARE(editorCaption, QString::fromUtf8("CODIFICACIÓN Datos DAE"));
    QCOMPARE(end, QString("Proceso finalizado"));
    QCOMPARE(session.CodigoResultado, 1);
    QCOMPARE(session.FlagPaso, 0);
    const std::string file = workspace.outputFile();
    QCOMPARE(file.substr(0, 15), std::string("1CH0149872025\r\n"));
    QVERIFY(file.size() > 1000);
  }

  void teacherLeftWithoutADocumentEndsUnfinished() {
    import_test::ImportWorkspace workspace;
    workspace.writeSchool();
    test_support::copyFiles(TRANSORVALDAE_SAMPLE_DAE, workspace.daeFolder());
    run::Session session = workspace.session();
    test_support::RecordingDialogs loading;
    QVERIFY(dae_import::loadCodeTables(session, loading));
    workspace.writeTimetable({{"2", "3", "1", "CD", "1A", "GUA", "", "", ""}});

    app::MessageBoxDialogs dialogs;
    QString question;
    QString end;
    ModalScript script({app_test::clickIn("BitBtn1"), app_test::pressInBox(QMessageBox::No, &question),
                        app_test::pressInBox(QMessageBox::Ok, &end)});
    dae_export::Importar2(session, dialogs);

    QCOMPARE(script.stepsLeft(), 0);
    QCOMPARE(question, QString::fromStdString(import_test::kTeacherWithoutDocument));
    QCOMPARE(end, QString::fromUtf8("!!ATENCIÓN!! El Proceso NO ha finalizado Correctamente"));
    QCOMPARE(session.FlagPaso, 4);
    QCOMPARE(session.CodigoResultado, 1);
    QVERIFY(!workspace.outputExists());
  }
};

QTEST_MAIN(ImportWindowsTest)
#include "import_windows_test.moc"
