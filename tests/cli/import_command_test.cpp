// transorvaldae-cli import, run as a real process on a small work folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dae_export/import_workspace.h"
#include "toolkit/child_process.h"
#include "toolkit/environment.h"
#include "toolkit/text_lines.h"

namespace cli {
namespace {

using import_test::ImportWorkspace;
using import_test::Rows;
using test_support::ProcessResult;

using test_support::lines;

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }
bool endsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

class ImportCommandTest : public ::testing::Test {
 protected:
  ImportCommandTest() {
    workspace.writeSchool();
    workspace.writeTimetable(
        {{"1", "1", "1", "AB", "1A", "MAT", "A12", "", "0"}, {"2", "3", "1", "CD", "", "GUA", "", "", ""}});
  }

  ProcessResult run(std::vector<std::string> options) const {
    std::vector<std::string> args = {"import", "--dae-folder", workspace.daeFolder().string(),
                                     "--work-folder", workspace.workFolder().string()};
    args.insert(args.end(), options.begin(), options.end());
    return test_support::runProcess(test_support::builtExecutable("src/cli/transorvaldae-cli"), args);
  }

  // A documents file (UTF-8) in the DAE folder, removed with it.
  std::string documentsFile(const std::string& text) const {
    const std::filesystem::path file = workspace.daeFolder() / "documents.txt";
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
  }

  ImportWorkspace workspace;  // The runs' safety copies and log stay in the workspace.
  test_support::ScopedEnvironment copies{"TRANSORVALDAE_BACKUP_FOLDER", workspace.copiesFolder().string()};
};

TEST_F(ImportCommandTest, DocumentsTypedInTheEditorReachTheFile) {
  const ProcessResult result = run({"--documents", documentsFile("CD;0002;X1234567Ñ\r\n\n")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(lines(result.out), (std::vector<std::string>{"Proceso finalizado", "CodigoResultado=1"}));
  EXPECT_EQ(result.err, "");
  EXPECT_NE(workspace.outputFile().find("\r\n2"
                                        "0002"
                                        "X1234567\xD1      "
                                        "03"
                                        "2"),
            std::string::npos)
      << workspace.outputFile();
  EXPECT_EQ(workspace.readUtf8("PROFT", {"ABREV", "TIPODNI", "DNI"})[1],
            (std::vector<std::string>{"CD", "0002", "X1234567Ñ"}));
}

TEST_F(ImportCommandTest, TeacherStillWithoutADocumentEndsWithoutTheFile) {
  const ProcessResult result = run({});
  EXPECT_EQ(result.exitCode, 3);
  const std::vector<std::string> out = lines(result.out);
  ASSERT_EQ(out.size(), 3u) << result.out;
  EXPECT_TRUE(startsWith(
      out[0], "           !!!ATENCIÓN!!!                 Todavía hay algún Profesor SIN DOCumento"));
  EXPECT_TRUE(endsWith(out[0], "¿Desea corregir esta incidencia?        -> No")) << out[0];
  EXPECT_EQ(out[1], "!!ATENCIÓN!! El Proceso NO ha finalizado Correctamente");
  EXPECT_EQ(out[2], "CodigoResultado=1");
  EXPECT_FALSE(workspace.outputExists());
}

TEST_F(ImportCommandTest, AnswersAboutEarlierWorkTablesComeFromTheOptions) {
  const std::string documents = documentsFile("CD;0002;X1234567L\n");
  ASSERT_EQ(run({"--documents", documents}).exitCode, 0);
  workspace.writeTimetable({});  // a kept build would empty the tables

  ProcessResult result = run({"--previous", "keep", "--straight-to-coding"});
  std::vector<std::string> out = lines(result.out);
  ASSERT_EQ(out.size(), 4u) << result.out;
  EXPECT_TRUE(startsWith(out[0], "Si Conserva los Datos") && endsWith(out[0], "-> Yes")) << out[0];
  EXPECT_TRUE(startsWith(out[1], "Si desea acceder directamente") && endsWith(out[1], "-> Yes")) << out[1];
  EXPECT_EQ(out[2], "Proceso finalizado");
  EXPECT_EQ(workspace.readUtf8("CUADROH2", {"ABREVPROF"}), (Rows{{"AB"}, {"CD"}}));

  result = run({"--previous", "keep"});
  out = lines(result.out);
  ASSERT_EQ(out.size(), 4u) << result.out;
  EXPECT_TRUE(endsWith(out[1], "-> No")) << out[1];
  EXPECT_EQ(workspace.readUtf8("CUADROH2", {"ABREVPROF"}), Rows{});

  result = run({});
  out = lines(result.out);
  ASSERT_EQ(out.size(), 3u) << result.out;
  EXPECT_TRUE(startsWith(out[0], "Si Conserva los Datos") && endsWith(out[0], "-> No")) << out[0];
}

TEST_F(ImportCommandTest, MissingCentreIsTypedFromTheOption) {
  std::filesystem::remove(workspace.workFolder() / "daeCENTRO.DBF");
  ProcessResult result = run({});
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(lines(result.out), std::vector<std::string>{"CodigoResultado=0"});
  EXPECT_NE(result.err.find("--centre"), std::string::npos) << result.err;

  result = run({"--centre", "099999;2026;2", "--documents", documentsFile("CD;0002;X1234567L\n")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(lines(result.out), (std::vector<std::string>{"Proceso finalizado", "CodigoResultado=1"}));
  EXPECT_EQ(workspace.outputFile().substr(0, 15), "1CH0999992026\r\n");
}

TEST_F(ImportCommandTest, MissingFolderStopsTheRun) {
  const ProcessResult result =
      test_support::runProcess(test_support::builtExecutable("src/cli/transorvaldae-cli"),
                               {"import", "--dae-folder", (workspace.daeFolder() / "gone").string(),
                                "--work-folder", workspace.workFolder().string()});
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(lines(result.out), (std::vector<std::string>{"No existe la carpeta", "CodigoResultado=0"}));
}

TEST_F(ImportCommandTest, TimetableHeldByTheHostIsAnError) {
  test_support::BackgroundProcess host(test_support::builtExecutable("tools/host_stub/host-stub"),
                                       {"hold", "SOLUC", "--work-folder", workspace.workFolder().string()});
  ASSERT_TRUE(host.waitForLine("holding"));
  const ProcessResult result = run({});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(lines(result.out), std::vector<std::string>{"CodigoResultado=0"});
  EXPECT_NE(result.err.find("SOLUC"), std::string::npos) << result.err;
  EXPECT_FALSE(workspace.outputExists());
}

TEST_F(ImportCommandTest, UnknownTeacherInTheDocumentsIsAnError) {
  const ProcessResult result = run({"--documents", documentsFile("XX;0001;1\n")});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("'XX'"), std::string::npos) << result.err;
  EXPECT_FALSE(workspace.outputExists());
}

TEST_F(ImportCommandTest, BadOptionsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"--centre", "099999;2026"}, {"--previous", "maybe"}, {"--documents"}, {"--colour", "red"}};
  for (const auto& options : cases) {
    SCOPED_TRACE(options[0]);
    const ProcessResult result = run(options);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
  }
  const ProcessResult noFolder =
      test_support::runProcess(test_support::builtExecutable("src/cli/transorvaldae-cli"), {"import"});
  EXPECT_EQ(noFolder.exitCode, 2);
  EXPECT_NE(noFolder.err.find("--dae-folder is required"), std::string::npos);
}

}  // namespace
}  // namespace cli
