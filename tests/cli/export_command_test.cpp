// transorvaldae-cli export, run as a real process on a small DAE folder.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "dae_import/complete_export.h"
#include "toolkit/child_process.h"
#include "toolkit/environment.h"
#include "toolkit/text_lines.h"

namespace cli {
namespace {

using dae_test::periodRecord;
using dae_test::templateHeader;
using test_support::ProcessResult;
using test_support::Rows;
using test_support::Workspace;

using test_support::lines;

class ExportCommandTest : public ::testing::Test {
 protected:
  ExportCommandTest() { dae_test::writeCompleteExport(workspace); }

  ProcessResult run(std::vector<std::string> options) {
    std::vector<std::string> args = {"export", "--dae-folder", workspace.daeFolder().string(),
                                     "--work-folder", workspace.workFolder().string()};
    args.insert(args.end(), options.begin(), options.end());
    return test_support::runProcess(test_support::builtExecutable("src/cli/transorvaldae-cli"), args);
  }

  // A levels file (UTF-8) in the work area's parent, removed with it.
  std::string levelsFile(const std::string& text) {
    const std::filesystem::path file = workspace.daeFolder() / "levels.csv";
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
  }

  Workspace workspace;  // The runs' safety copies and log stay in the workspace.
  test_support::ScopedEnvironment copies{"TRANSORVALDAE_BACKUP_FOLDER", workspace.copiesFolder().string()};
};

TEST_F(ExportCommandTest, CompleteExportEndsWithProcesoFinalizado) {
  const ProcessResult result =
      run({"--levels", levelsFile("ESO;ESO;DBH\r\n\nBACH;BACH;BATX\n"), "--template", "PLANB",
           "--centre-code", "0123Ñ5", "--centre-version", "1", "--private", "--language", "CASTELLANO"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(lines(result.out), (std::vector<std::string>{"Proceso finalizado", "CodigoResultado=1"}));
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(workspace.read("daeCENTRO", {"CODCENTRO", "ANOACAD", "VERSION"}), (Rows{{"0123\xD1"
                                                                                     "5",
                                                                                     "2024", "1"}}));
  EXPECT_EQ(workspace.read("daeNIVIMP", {"COD", "ABREVCAST", "ABREVEUSK"}),
            (Rows{{"ESO", "ESO", "DBH"}, {"BACH", "BACH", "BATX"}}));
  EXPECT_EQ(workspace.read("DIASHORAST", {"DIHO", "PLANTILLA"}),
            (Rows{{"31", "PLANB"}, {"32", "PLANB"}, {"210", "PLANB"}}));
  EXPECT_EQ(workspace.read("ASIGNOMT", {"NOMBRE"}).front(), std::vector<std::string>{"Matem\xE1ticas"});
}

TEST_F(ExportCommandTest, CarryOverQuestionIsAnsweredFromTheOption) {
  ASSERT_EQ(run({"--levels", levelsFile("ESO;ESO;DBH\n")}).exitCode, 0);
  const std::string question =
      "Recuperación de Niveles y Cursos importados anteriormente: Existen Niveles y Cursos ya definidos de "
      "una "
      "Importación anterior. ¿Quiere recuperar las codificaciones introducidas anteriormente?";

  ProcessResult result = run({});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(lines(result.out),
            (std::vector<std::string>{question + " -> OK", "Proceso finalizado", "CodigoResultado=1"}));
  EXPECT_EQ(workspace.read("daeNIVIMP", {"ABREVCAST"}), (Rows{{"ESO"}, {""}}));

  result = run({"--previous-levels", "discard"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(lines(result.out).front(), question + " -> Cancel");
  EXPECT_EQ(workspace.read("daeNIVIMP", {"ABREVCAST"}), (Rows{{""}, {""}}));
}

struct StopCase {
  const char* name;
  std::string missingFile;
  std::vector<std::string> options;
  std::vector<std::string> out;
};

TEST_F(ExportCommandTest, StopsAndMissingInputsExitWithThree) {
  const StopCase cases[] = {
      {"MissingCodeFile", "T13.txt", {}, {"No existe archivo DAE (T13.TXT)", "CodigoResultado=-1"}},
      {"MissingRoomsFile",
       "AULAS.txt",
       {},
       {"No existe archivo DAE de Aulas (AULAS.txt)", "Proceso finalizado", "CodigoResultado=-1"}},
      {"RepeatedShortName",
       "",
       {"--levels", levelsFile("ESO;Eso;\nBACH;eso;\n")},
       {"Abreviatura en Castellano Repetida - Compruébelo.", "CodigoResultado=1"}},
      {"MissingFolder",
       "",
       {"--dae-folder", (workspace.daeFolder() / "gone").string()},
       {"No existe la carpeta", "CodigoResultado=0"}},
      // Said when the templates are listed and again on the template panel's OK.
      {"NoTemplateFile",
       "PLANTILLAS.txt",
       {},
       {"No existe archivo DAE (Plantillas.txt o T02.txt)",
        "Pero podrá Crear su Plantilla Horaria, cuando Exporte la Solución del Horario.",
        "No existe archivo DAE (Plantillas.txt o T02.txt)",
        "Pero podrá Crear su Plantilla Horaria, cuando Exporte la Solución del Horario.",
        "CodigoResultado=1"}},
  };
  for (const StopCase& c : cases) {
    SCOPED_TRACE(c.name);
    Workspace fresh;
    dae_test::writeCompleteExport(fresh);
    if (!c.missingFile.empty()) fresh.removeDaeFile(c.missingFile);
    std::vector<std::string> args = {"export", "--dae-folder", fresh.daeFolder().string(), "--work-folder",
                                     fresh.workFolder().string()};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const ProcessResult result =
        test_support::runProcess(test_support::builtExecutable("src/cli/transorvaldae-cli"), args);
    EXPECT_EQ(result.exitCode, 3) << result.err;
    EXPECT_EQ(lines(result.out), c.out);
  }
}

TEST_F(ExportCommandTest, ErrorIsPrintedOnStandardErrorWithExitOne) {
  workspace.writeDaeFile("PLANTILLAS.txt", templateHeader("A", "A") +
                                               periodRecord("01", "1", "08:00", "09:00") +
                                               periodRecord("0x", "1", "09:00", "10:00"));
  const ProcessResult result = run({});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "'0x' is not a valid integer value\n");
  EXPECT_EQ(lines(result.out), std::vector<std::string>{"CodigoResultado=1"});
  EXPECT_EQ(workspace.read("DIASHORAST", {"DIHO"}), Rows{{"11"}});
}

TEST_F(ExportCommandTest, UnknownTemplateOrLevelIsAnError) {
  ProcessResult result = run({"--template", "NOPE"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "La plantilla 'NOPE' no está en daePLANTILLAS\n");
  EXPECT_FALSE(workspace.workFileExists("DIASHORAST.DBF"));

  const std::string file = levelsFile("FP;FP;LH\n");
  result = run({"--levels", file});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "El nivel 'FP' de " + file + " no está en daeNIVIMP\n");
}

TEST_F(ExportCommandTest, MalformedLevelsFileStopsBeforeAnythingIsLoaded) {
  const ProcessResult result = run({"--levels", levelsFile("ESO;ESO\n")});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("línea 1: se esperaba COD;ABREVCAST;ABREVEUSK"), std::string::npos) << result.err;
  EXPECT_EQ(lines(result.out), std::vector<std::string>{"CodigoResultado=0"});
  EXPECT_FALSE(workspace.workFileExists("daeTIPTAR.DBF"));
}

TEST_F(ExportCommandTest, MissingWorkFolderIsAnError) {
  const ProcessResult result = run({"--work-folder", (workspace.workFolder() / "none").string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err.rfind("No existe la carpeta de trabajo", 0), 0u) << result.err;
}

TEST_F(ExportCommandTest, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"export"},
      {"export", "--dae-folder"},
      {"export", "--dae-folder", "x", "--colour", "red"},
      {"export", "--dae-folder", "x", "--previous-levels", "maybe"},
      {"export", "--work-folder", "x"},
  };
  for (const std::vector<std::string>& args : cases) {
    SCOPED_TRACE(args.back());
    const ProcessResult result =
        test_support::runProcess(test_support::builtExecutable("src/cli/transorvaldae-cli"), args);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("usage: transorvaldae-cli export"), std::string::npos);
  }
}

}  // namespace
}  // namespace cli
