#include "dae_export/coding_tables.h"

namespace dae_export {

CodingTables::CodingTables(const std::filesystem::path& workFolder)
    : centre(workFolder, "daeCENTRO"),
      teachers(workFolder, "PROFT"),
      sessions(workFolder, "CUADROH2"),
      sessionGroups(workFolder, "CUADROH3"),
      teacherGroups(workFolder, "CUADROH3"),
      documentTypes(workFolder, "daeTIPDOC"),
      taskTypes(workFolder, "daeTIPTAR"),
      levels(workFolder, "daeNIVIMP"),
      subjects(workFolder, "daeASIGNAT"),
      languages(workFolder, "daeIDIOMA"),
      activities(workFolder, "daeOTRACT") {}

void CodingTables::open() {
  centre.open();
  teachers.open({.exclusive = true});
  teachers.selectTag("ABREV");
  teachers.first();
  sessions.open();
  sessions.linkTo(teachers, "ABREV", "ABREVPROF");
  sessionGroups.open();
  sessionGroups.linkTo(sessions, "PROF_DIA_SES", "PROF_DIA_SES");
  teacherGroups.open();
  teacherGroups.linkTo(teachers, "ABREV", "ABREVPROF");
  for (dbase::Table* codes : {&documentTypes, &taskTypes, &levels, &subjects, &languages, &activities}) {
    codes->open({.readOnly = true});
  }
}

void CodingTables::close() {
  for (dbase::Table* table : {&activities, &languages, &subjects, &levels, &taskTypes, &documentTypes,
                              &teacherGroups, &sessionGroups, &sessions, &teachers, &centre}) {
    table->close();
  }
}

}  // namespace dae_export
