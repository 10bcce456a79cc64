// The import with its real windows and message boxes: from "OK" of the
// import area on the bundled sample, through the class-hour check and the
// coding editor, to the final message; the questions closed without an
// answer; and an editor ended with a teacher still without a document, to
// the message that the process has not finished correctly.
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/message_box_dialogs.h"
#include "app/modal_script.h"
#include "app/window_harness.h"
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

// The import's small school with the bundled sample's DAE code tables, which
// the coding editor's lists show.
struct School {
  School() {
    workspace.writeSchool();
    test_support::copyFiles(TRANSORVALDAE_SAMPLE_DAE, workspace.daeFolder());
    test_support::RecordingDialogs loading;
    if (!dae_import::loadCodeTables(session, loading)) qFatal("the sample's code tables did not load");
  }

  import_test::ImportWorkspace workspace;
  run::Session session = workspace.session();
};

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

  // The two questions about the work tables of an earlier import, closed
  // without an answer (the title-bar button, then Escape): the tables stay as
  // they were, with the codes typed then, and the editor opens on them.
  void questionsClosedKeepTheCodesOfTheEarlierImport() {
    School school;
    import_test::ImportWorkspace& workspace = school.workspace;
    run::Session& session = school.session;
    workspace.writeTeachers({{"AB", "Ana Blanco", "", "12345678Z", "0001"}});
    workspace.writeTimetable({{"1", "1", "1", "AB", "1A", "MAT", "A12", "", "0"}});
    test_support::RecordingDialogs headless;
    dae_export::Importar2(session, headless);
    workspace.typeTaskType("AB        101", "0103");
    // A build would stop at the missing timetable.
    fs::remove(workspace.workFolder() / "SOLUC.DBF");

    app::MessageBoxDialogs dialogs;
    QString keep;
    QString straightToCoding;
    QString end;
    ModalScript script({app_test::closeWindow(&keep), app_test::pressKey(Qt::Key_Escape, &straightToCoding),
                        app_test::clickIn("BitBtn1"), app_test::pressInBox(QMessageBox::Ok, &end)});
    dae_export::Importar2(session, dialogs);

    QCOMPARE(script.stepsLeft(), 0);
    QCOMPARE(keep, QString::fromStdString(dae_export::kKeepPreviousQuestion));
    QCOMPARE(straightToCoding, QString::fromStdString(dae_export::kStraightToCodingQuestion));
    QCOMPARE(end, QString("Proceso finalizado"));
    QCOMPARE(workspace.readUtf8("CUADROH2", {"PROF_DIA_SES", "TIPTAR"}),
             (import_test::Rows{{"AB        101", "0103"}}));
  }

  // "&Terminar" with a teacher still without a document asks; F1 over the
  // question shows its help. No ends the editor without the file: the
  // process has not finished correctly. Escape closes the question without
  // an answer: the editor stays open on the teacher; closed in turn with its
  // title-bar button, it writes no file and the import ends as finished.
  void teacherLeftWithoutADocument_data() {
    QTest::addColumn<bool>("closed");  // else No
    QTest::addColumn<bool>("editorStaysOpen");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("flag");
    QTest::newRow("No") << false << false
                        << QString::fromUtf8("!!ATENCIÓN!! El Proceso NO ha finalizado Correctamente") << 4;
    QTest::newRow("closed") << true << true << QString("Proceso finalizado") << 0;
  }
  void teacherLeftWithoutADocument() {
    QFETCH(bool, closed);
    QFETCH(bool, editorStaysOpen);
    QFETCH(QString, end);
    QFETCH(int, flag);
    School school;
    school.workspace.writeTimetable({{"2", "3", "1", "CD", "1A", "GUA", "", "", ""}});

    app_test::RecordingHelp help;
    app::MessageBoxDialogs dialogs;
    dialogs.setHelp(&help);
    bool editorOpenAfterTheQuestion = false;
    QString question;
    QString shownAtTheEnd;
    ModalScript script({[&editorOpenAfterTheQuestion](QWidget* editor) {
                          app_test::clickIn("BitBtn1")(editor);  // "&Terminar": the question comes
                          editorOpenAfterTheQuestion = editor->isVisible();
                          if (editorOpenAfterTheQuestion) editor->close();
                        },
                        [&question, closed](QWidget* box) {
                          app_test::pressKey(Qt::Key_F1)(box);
                          if (closed) {
                            app_test::pressKey(Qt::Key_Escape, &question)(box);
                          } else {
                            app_test::pressInBox(QMessageBox::No, &question)(box);
                          }
                        },
                        app_test::pressInBox(QMessageBox::Ok, &shownAtTheEnd)});
    dae_export::Importar2(school.session, dialogs);

    QCOMPARE(script.stepsLeft(), 0);
    QCOMPARE(question, QString::fromStdString(import_test::kTeacherWithoutDocument));
    QCOMPARE(help.requests, std::vector<int>{1});
    QCOMPARE(editorOpenAfterTheQuestion, editorStaysOpen);
    QCOMPARE(shownAtTheEnd, end);
    QCOMPARE(school.session.FlagPaso, flag);
    QCOMPARE(school.session.CodigoResultado, 1);
    QVERIFY(!school.workspace.outputExists());
  }
};

QTEST_MAIN(ImportWindowsTest)
#include "import_windows_test.moc"
