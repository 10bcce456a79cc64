#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder_fixture.h"
#include "support/file_system.h"
#include "timetabler_tables/assignments.h"
#include "timetabler_tables/groups.h"
#include "timetabler_tables/rooms.h"
#include "timetabler_tables/subjects.h"
#include "timetabler_tables/teachers.h"

namespace timetabler_tables {
namespace {

struct MissingCase {
  const char* table;
  BuildOutcome (*builder)(run::Session&, run::Dialogs&);
  std::string message;
};

const MissingCase kMissingCases[] = {
    {"ASIGNOMT", CreaAsignaturas, "No existe archivo DAE de Asignaturas (V55T15W18T54_1.txt)"},
    {"PROFT", CreaProfesores, "No existe archivo DAE de Profesores (profesorado.txt)"},
    {"AULAT", CreaAulas, "No existe archivo DAE de Aulas (AULAS.txt)"},
    {"GRUPOST", CreaGrupos, "No existe archivo DAE de Grupos (GRUPOS.txt)"},
    {"ASIGT", CreaAsignaciones, "No existe archivo DAE (V55T15W18T54_2.txt)"},
};

class MissingInputTest : public BuilderTest {};

TEST_F(MissingInputTest, BuilderReportsItsFileAndKeepsTheEarlierTable) {
  for (const MissingCase& c : kMissingCases) {
    SCOPED_TRACE(c.table);
    makeTable({c.table, {dbase::characterField("ABREV", 10)}, {{"ABREV", "ABREV"}}}, {{"EARLIER"}});
    const std::string dbf = support::readFile(workFile(std::string(c.table) + ".DBF"));
    const std::string mdx = support::readFile(workFile(std::string(c.table) + ".MDX"));
    session.CodigoResultado = 1;
    dialogs.shown.clear();

    EXPECT_EQ(c.builder(session, dialogs), BuildOutcome::InputMissing);

    EXPECT_EQ(dialogs.shown, std::vector<std::string>{c.message});
    EXPECT_EQ(session.CodigoResultado, -1);
    EXPECT_EQ(support::readFile(workFile(std::string(c.table) + ".DBF")), dbf);
    EXPECT_EQ(support::readFile(workFile(std::string(c.table) + ".MDX")), mdx);
  }
}

}  // namespace
}  // namespace timetabler_tables
