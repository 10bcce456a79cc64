#include "dae_export/coding_rules.h"

#include <string>

#include "run/dialogs.h"
#include "run/session.h"
#include "support/text.h"

namespace dae_export {
namespace {

const std::string kNotTeachingLine = "No debe modificar este dato. Esta línea NO es de carácter Lectivo.";
const std::string kTeachingLine = "No debe modificar este dato. Esta línea ES de carácter Lectivo.";
const std::string kTeacherWithoutDocument =
    "           !!!ATENCIÓN!!!                 \r"
    "Todavía hay algún Profesor SIN DOCumento(DNI).\r"
    "       ¿Desea corregir esta incidencia?       ";

// A DAE subject code has 8 characters; task-type and activity codes have 4 at
// most.
constexpr std::size_t kLongestNonSubjectCode = 4;

// Sets TIPDOC and DOC on every record of view from its first, stopping at one
// that belongs to another teacher (the view is linked to the teacher, so none
// should).
void stampDocument(dbase::Table& view, const std::string& abrev, const std::string& type,
                   const std::string& number) {
  const int teacher = view.fieldNumber("ABREVPROF");
  const int documentType = view.fieldNumber("TIPDOC");
  const int document = view.fieldNumber("DOC");
  for (view.first(); !view.atEnd() && view.characters(teacher) == abrev; view.next()) {
    view.edit();
    view.setText(documentType, type);
    view.setText(document, number);
    view.post();
  }
}

// A view that stood past the end (no records) has nothing to return to.
void returnTo(dbase::Table& view, dbase::Bookmark mark) {
  if (mark.record != 0) view.gotoBookmark(mark);
}

}  // namespace

void propagateTeacherDocument(CodingTables& tables) {
  if (tables.teachers.atEnd()) return;  // no teacher, nothing typed
  const std::string abrev = tables.teachers.text("ABREV");
  const std::string type = tables.teachers.text("TIPODNI");
  const std::string number = tables.teachers.text("DNI");

  // Walking the type-2 view moves the type-3 view with it, so both marks are
  // taken first and the type-3 one is restored after its master.
  const dbase::Bookmark sessionMark = tables.sessions.bookmark();
  const dbase::Bookmark groupMark = tables.sessionGroups.bookmark();
  // The teacher's records are written together once they all hold the
  // document, a run of records at a time.
  dbase::WriteBatch sessionWrites(tables.sessions);
  dbase::WriteBatch groupWrites(tables.teacherGroups);
  stampDocument(tables.sessions, abrev, type, number);
  stampDocument(tables.teacherGroups, abrev, type, number);
  sessionWrites.commit();
  groupWrites.commit();
  returnTo(tables.sessions, sessionMark);
  returnTo(tables.sessionGroups, groupMark);
}

bool enterTeacherDocument(CodingTables& tables, std::string_view abrev, std::string_view documentType,
                          std::string_view documentNumber) {
  if (!tables.teachers.findKey(abrev)) return false;
  tables.teachers.edit();
  tables.teachers.setText("TIPODNI", documentType);
  tables.teachers.setText("DNI", documentNumber);
  propagateTeacherDocument(tables);
  tables.teachers.post();
  return true;
}

bool isTeachingLine(const dbase::Table& sessions) {
  return support::trimControls(sessions.text("CODASIG")).size() > kLongestNonSubjectCode;
}

bool enterSubjectList(const dbase::Table& sessions, run::Dialogs& dialogs) {
  if (isTeachingLine(sessions)) return true;
  dialogs.message(kNotTeachingLine);
  return false;
}

bool enterActivityList(const dbase::Table& sessions, run::Dialogs& dialogs) {
  if (!isTeachingLine(sessions)) return true;
  dialogs.message(kTeachingLine);
  return false;
}

void takeSubjectName(CodingTables& tables) {
  dbase::Table& sessions = tables.sessions;
  if (!isTeachingLine(sessions)) return;  // the list was read-only
  if (!tables.subjects.locate("COD", {sessions.text("CODASIG")})) return;
  const std::string name = tables.subjects.text("DESCCAST");
  if (sessions.text("NOMASIG") == name) return;
  sessions.edit();
  sessions.setText("NOMASIG", name);
}

void takePlanFromLevel(CodingTables& tables) {
  dbase::Table& sessions = tables.sessions;
  sessions.edit();
  const std::string level = sessions.text("GRUPNIV");
  if (support::trimControls(level).empty()) {
    sessions.setText("PLAN", "");
  } else if (tables.levels.locate("COD", {level})) {
    sessions.setText("PLAN", tables.levels.text("PLAN"));
  }
}

FinishOutcome finishCoding(CodingTables& tables, run::Session& session, run::Dialogs& dialogs,
                           const TimetableFileWriter& writeFile) {
  FinishOutcome outcome{.editorCloses = true, .ResultadoAjuste = 0};
  dbase::Table& teachers = tables.teachers;
  for (teachers.first(); !teachers.atEnd(); teachers.next()) {
    if (!support::trimControls(teachers.text("DNI")).empty()) continue;
    if (dialogs.askYesNo(kTeacherWithoutDocument, run::kDaeDataHelpContext) != run::Answer::No) {
      return {.editorCloses = false, .ResultadoAjuste = 0};
    }
    outcome.ResultadoAjuste = run::kEndedWithoutFile;
    break;
  }
  if (outcome.ResultadoAjuste == 0 && !writeFile(tables)) outcome.ResultadoAjuste = run::kEndedWithoutFile;
  session.FlagPaso = outcome.ResultadoAjuste == run::kEndedWithoutFile ? run::kEndedWithoutFile : 0;
  tables.close();
  return outcome;
}

}  // namespace dae_export
