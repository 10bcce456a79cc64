// The DAE coding editor window "CODIFICACIÓN Datos DAE" over a small school
// whose timetable has been turned into the work tables, with the DAE code
// tables of the bundled sample: the document typed for a teacher, the lists
// that a line refuses, the subject name and plan that follow a choice, and
// what "&Terminar" leaves.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/coding_editor_window.h"
#include "app/gui/data_grid.h"
#include "app/recording_dialogs.h"
#include "app/window_harness.h"
#include "dae_export/coding_editor.h"
#include "dae_export/import_workspace.h"
#include "dae_export/timetable_build.h"
#include "dae_import/code_tables.h"
#include "run/session.h"
#include "toolkit/files.h"
#include "toolkit/recording_dialogs.h"

namespace {

namespace fs = std::filesystem;
using app::gui::DataGrid;
using import_test::Rows;

const QString kNotTeaching =
    QString::fromUtf8("No debe modificar este dato. Esta línea NO es de carácter Lectivo.");
const QString kTeaching =
    QString::fromUtf8("No debe modificar este dato. Esta línea ES de carácter Lectivo.");

// Teachers AB (documented), CD (without a document) and O'NE; AB teaches MAT
// to 1A and LEN to 1B; CD has a duty (GUA, not teaching) and a MAT session
// with 1B and 1A together.
struct Editor {
  Editor() : session(workspace.session()) {
    workspace.writeSchool();
    test_support::copyFiles(TRANSORVALDAE_SAMPLE_DAE, workspace.daeFolder());
    test_support::RecordingDialogs loading;
    if (!dae_import::loadCodeTables(session, loading)) qFatal("the sample's code tables did not load");
    workspace.writeTimetable({{"1", "1", "1", "AB", "1A", "MAT", "A12", "", "0"},
                              {"1", "2", "1", "AB", "1B", "LEN", "A12", "", "0"},
                              {"2", "3", "1", "CD", "1A", "GUA", "", "", ""},
                              {"3", "1", "1", "CD", "1B", "MAT", "B01", "", "25"},
                              {"3", "1", "1", "CD", "1A", "MAT", "B01", "", "25"}});
    dae_export::buildTimetableTables(workspace.workFolder(), dae_export::WorkTables::Rebuild);
    session.FlagPaso = 1;  // as after the build
    editor.emplace(session, dialogs, session.CarpetaDAE);
    window = std::make_unique<app::CodingEditorWindow>(*editor, dialogs, &help, nullptr);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qFatal("the coding editor was not shown");
    teachers = grid("wwDBGridPROFT");
    sessions = grid("DBGridCUADROH2");
    groups = grid("DBGridCUADROH3");
  }
  ~Editor() {
    window.reset();
    editor->close();
  }

  DataGrid* grid(const char* name) const {
    auto* found = window->findChild<DataGrid*>(name);
    if (!found) qFatal("no grid %s", name);
    return found;
  }
  static int column(const DataGrid* grid, const char* field) {
    const auto& columns = grid->tableModel()->columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (columns[i].field == field) return static_cast<int>(i);
    }
    qFatal("no column %s", field);
    return -1;
  }
  static QString cell(const DataGrid* grid, int row, const char* field) {
    return grid->model()->index(row, column(grid, field)).data().toString();
  }
  void go(DataGrid* grid, int row, const char* field) const {
    grid->setCurrentIndex(grid->model()->index(row, column(grid, field)));
  }
  // Makes the teacher current, then its type-2 line of that subject.
  void goToLine(const char* teacher, const char* subject, const char* field) const {
    go(teachers, teacherRow(teacher), "TIPODNI");
    for (int row = 0; row < sessions->model()->rowCount(); ++row) {
      if (cell(sessions, row, "ABREVASIG") == subject) {
        go(sessions, row, field);
        return;
      }
    }
    qFatal("%s has no %s line", teacher, subject);
  }
  int teacherRow(const char* abrev) const {
    for (int row = 0; row < teachers->model()->rowCount(); ++row) {
      if (cell(teachers, row, "ABREV") == abrev) return row;
    }
    qFatal("no teacher %s", abrev);
    return -1;
  }
  // Opens the current cell's list and chooses its row; returns the code.
  QString choose(DataGrid* grid, int listRow) const {
    grid->edit(grid->currentIndex());
    auto* list = qobject_cast<QComboBox*>(grid->indexWidget(grid->currentIndex()));
    if (!list) qFatal("no list opened");
    list->setCurrentIndex(listRow);
    emit list->activated(listRow);
    return list->itemText(listRow);
  }
  // Types text into the current cell, as the user does, and leaves the cell
  // with Enter (which moves on) or in place (as a click elsewhere does).
  enum class Leave { Enter, InPlace };
  void type(DataGrid* grid, const QString& text, Leave leave) const {
    QTest::keyClick(grid, text.at(0).toLatin1());
    QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
    if (leave == Leave::InPlace) {
      grid->finishEditing(true);
      return;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  // Records of table that belong to teacher: their TIPDOC and DOC.
  Rows documents(const std::string& table, const std::string& teacher) const {
    Rows found;
    for (const auto& row : workspace.readUtf8(table, {"ABREVPROF", "TIPDOC", "DOC"})) {
      if (row[0] == teacher) found.push_back({row[1], row[2]});
    }
    return found;
  }
  // The first record of a code table.
  std::vector<std::string> firstCode(const std::string& table, const std::vector<std::string>& fields) const {
    return workspace.readUtf8(table, fields).at(0);
  }

  import_test::ImportWorkspace workspace;
  run::Session session;
  app_test::RecordingDialogs dialogs;
  app_test::RecordingHelp help;
  std::optional<dae_export::CodingEditor> editor;
  std::unique_ptr<app::CodingEditorWindow> window;
  DataGrid* teachers = nullptr;
  DataGrid* sessions = nullptr;
  DataGrid* groups = nullptr;
};

}  // namespace

class CodingEditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnTheFirstTeacherWithTheCentreShown() {
    Editor w;
    QCOMPARE(w.window->windowTitle(), QString::fromUtf8("CODIFICACIÓN Datos DAE"));
    QCOMPARE(w.teachers->model()->rowCount(), 3);
    QCOMPARE(Editor::cell(w.teachers, w.teachers->currentIndex().row(), "ABREV"), QString("AB"));
    QCOMPARE(w.sessions->model()->rowCount(), 2);
    QCOMPARE(w.groups->model()->rowCount(), 1);
    QStringList centre;
    for (const char* box : {"DBEditCODECENTRO", "DBEditANOACAD", "DBEditVERSION"}) {
      auto* edit = w.window->findChild<QLineEdit*>(box);
      QVERIFY(edit->isReadOnly());
      centre << edit->text();
    }
    QCOMPARE(centre, (QStringList{"014987", "2025", "1"}));
    // The leading columns are fixed: the cursor stays in the DAE columns.
    QTest::keyClick(w.sessions, Qt::Key_Home);
    QCOMPARE(w.sessions->currentIndex().column(), Editor::column(w.sessions, "CODASIG"));
  }

  void detailsFollowTheTeacherAndTheSession() {
    Editor w;
    w.go(w.teachers, w.teacherRow("CD"), "DNI");
    QCOMPARE(w.sessions->model()->rowCount(), 2);
    QCOMPARE(Editor::cell(w.sessions, 0, "ABREVASIG"), QString("GUA"));
    QCOMPARE(w.groups->model()->rowCount(), 1);
    w.go(w.sessions, 1, "TIPTAR");
    QCOMPARE(w.groups->model()->rowCount(), 2);
    QCOMPARE(Editor::cell(w.groups, 0, "ABREVGRUP"), QString("1B"));
    QCOMPARE(Editor::cell(w.groups, 1, "ALIASDAE"), QString::fromUtf8("1º ESO A"));
  }

  void documentTypedForATeacherReachesAllItsRecords() {
    Editor w;
    w.go(w.teachers, w.teacherRow("CD"), "TIPODNI");
    w.go(w.sessions, 1, "TIPTAR");
    w.go(w.groups, 1, "NUMALUM");
    const std::string type = w.choose(w.teachers, 1).toStdString();
    w.go(w.teachers, w.teacherRow("CD"), "DNI");
    w.type(w.teachers, QString::fromUtf8("X1234567Ñ"), Editor::Leave::InPlace);

    const std::vector<std::string> document = {type, "X1234567Ñ"};
    QCOMPARE(w.documents("CUADROH2", "CD"), (Rows{document, document}));
    QCOMPARE(w.documents("CUADROH3", "CD"), (Rows{document, document, document}));
    QCOMPARE(w.documents("CUADROH2", "AB"), (Rows{{"0001", "12345678Z"}, {"0001", "12345678Z"}}));
    // The type-2 and type-3 grids stay on the records they showed.
    QCOMPARE(w.sessions->currentIndex().row(), 1);
    QCOMPARE(w.groups->currentIndex().row(), 1);
    QVERIFY(w.dialogs.shown.empty());
  }

  void aLineRefusesTheListItMayNotUse_data() {
    QTest::addColumn<QString>("teacher");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("subject list, duty line") << "CD"
                                             << "GUA"
                                             << "CODASIG" << kNotTeaching;
    QTest::newRow("activity list, teaching line") << "AB"
                                                  << "MAT"
                                                  << "TIP_ACTIV" << kTeaching;
    QTest::newRow("subject list, teaching line") << "AB"
                                                 << "MAT"
                                                 << "CODASIG"
                                                 << "";
    QTest::newRow("activity list, duty line") << "CD"
                                              << "GUA"
                                              << "TIP_ACTIV"
                                              << "";
  }
  void aLineRefusesTheListItMayNotUse() {
    QFETCH(QString, teacher);
    QFETCH(QString, subject);
    QFETCH(QString, field);
    QFETCH(QString, refusal);
    Editor w;
    const std::string column = field.toStdString();
    w.goToLine(teacher.toLatin1().constData(), subject.toLatin1().constData(), column.c_str());
    QTest::keyClick(w.sessions, Qt::Key_A);
    const bool opened = w.sessions->indexWidget(w.sessions->currentIndex()) != nullptr;
    QCOMPARE(opened, refusal.isEmpty());
    const std::vector<std::string> expected =
        refusal.isEmpty() ? std::vector<std::string>{} : std::vector<std::string>{refusal.toStdString()};
    QCOMPARE(w.dialogs.shown, expected);
  }

  void choosingASubjectShowsItsName() {
    Editor w;
    w.goToLine("AB", "LEN", "CODASIG");
    const std::vector<std::string> subject = w.firstCode("daeASIGNAT", {"COD", "DESCCAST"});
    QCOMPARE(w.choose(w.sessions, 0).toStdString(), subject[0]);
    const int row = w.sessions->currentIndex().row();
    QCOMPARE(Editor::cell(w.sessions, row, "NOMASIG").toStdString(), subject[1]);
    const Rows stored = w.workspace.readUtf8("CUADROH2", {"ABREVASIG", "CODASIG", "NOMASIG"});
    QCOMPARE(stored.at(1), (std::vector<std::string>{"LEN", subject[0], subject[1]}));
  }

  void choosingALevelFillsItsPlan() {
    Editor w;
    w.goToLine("CD", "GUA", "GRUPNIV");
    const std::vector<std::string> level = w.firstCode("daeNIVIMP", {"COD", "PLAN"});
    QCOMPARE(w.choose(w.sessions, 0).toStdString(), level[0]);
    const int row = w.sessions->currentIndex().row();
    QCOMPARE(Editor::cell(w.sessions, row, "PLAN").toStdString(), level[1]);
    QCOMPARE(w.workspace.readUtf8("CUADROH2", {"GRUPNIV", "PLAN"}).at(2), level);
  }

  void terminarEndsAsTheDocumentsAllow_data() {
    QTest::addColumn<bool>("documentEveryone");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("flag");
    QTest::newRow("every teacher documented: the file") << true << false << true << true << 0;
    QTest::newRow("a teacher without one, not corrected") << false << false << true << false << 4;
    QTest::newRow("a teacher without one, to be corrected") << false << true << false << false << 1;
  }
  void terminarEndsAsTheDocumentsAllow() {
    QFETCH(bool, documentEveryone);
    QFETCH(bool, correct);
    QFETCH(bool, closes);
    QFETCH(bool, written);
    QFETCH(int, flag);
    Editor w;
    if (documentEveryone) {
      w.go(w.teachers, w.teacherRow("CD"), "DNI");
      w.type(w.teachers, "X1", Editor::Leave::Enter);
    }
    w.go(w.teachers, 0, "TIPODNI");
    w.dialogs.answers = {correct};
    w.window->findChild<QAbstractButton*>("BitBtn1")->click();

    const std::vector<std::string> question = {import_test::kTeacherWithoutDocument};
    QCOMPARE(w.dialogs.shown, documentEveryone ? std::vector<std::string>{} : question);
    QCOMPARE(w.window->isVisible(), !closes);
    QCOMPARE(w.workspace.outputExists(), written);
    QCOMPARE(w.session.FlagPaso, flag);
    if (!closes) {
      // Left on the teacher without a document, in its document column.
      QCOMPARE(Editor::cell(w.teachers, w.teachers->currentIndex().row(), "ABREV"), QString("CD"));
      QCOMPARE(w.teachers->currentIndex().column(), Editor::column(w.teachers, "DNI"));
      QCOMPARE(Editor::cell(w.sessions, 0, "ABREVPROF"), QString("CD"));
    }
  }

  void escapeDoesNotCloseTheEditor() {
    Editor w;
    QTest::keyClick(w.teachers, Qt::Key_Escape);
    QVERIFY(w.window->isVisible());
  }

  void f1AsksForTheEditorsTopic() {
    Editor w;
    w.sessions->setFocus();
    QTest::keyClick(w.sessions, Qt::Key_F1);
    QCOMPARE(w.help.requests, std::vector<int>{1});
  }
};

QTEST_MAIN(CodingEditorWindowTest)
#include "coding_editor_window_test.moc"
