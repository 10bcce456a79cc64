#include "cli/import_command.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_options.h"
#include "cli/exit_status.h"
#include "cli/result_line.h"
#include "cli/scripted_dialogs.h"
#include "cli/typed_lines.h"
#include "converter/panel_flow.h"
#include "dae_export/coding_editor.h"
#include "dae_export/coding_rules.h"
#include "dae_export/import_run.h"
#include "run/session.h"
#include "support/cp1252.h"
#include "support/error.h"
#include "support/file_system.h"
#include "support/work_folder.h"

namespace {

constexpr const char* kUsage =
    "usage: transorvaldae-cli import --dae-folder DIR [--work-folder DIR]\n"
    "    [--centre CODE;YEAR;VERSION] [--previous keep|rebuild] [--straight-to-coding]\n"
    "    [--documents FILE] [--verbose]\n";

// A line of a semicolon-separated file, split into its fields (UTF-8).
using Fields = std::vector<std::string>;

struct ImportOptions {
  cli::RunOptions run;
  std::optional<Fields> centre;  // CODCENTRO, ANOACAD, VERSION
  bool keepPrevious = false;
  bool straightToCoding = false;
  std::optional<std::filesystem::path> documentsFile;
};

// The options, or nullopt with problem set.
std::optional<ImportOptions> parseOptions(const std::vector<std::string>& args, std::string& problem) {
  ImportOptions options;
  problem = cli::walkRunOptions(
      args, {"--straight-to-coding"}, options.run, [&](const std::string& option, const std::string& value) {
        if (option == "--straight-to-coding") {
          options.straightToCoding = true;
        } else if (option == "--centre" && cli::splitSemicolons(value).size() == 3) {
          options.centre = cli::splitSemicolons(value);
        } else if (option == "--previous" && (value == "keep" || value == "rebuild")) {
          options.keepPrevious = value == "keep";
        } else if (option == "--documents") {
          options.documentsFile = support::pathFromUtf8(value);
        } else {
          return option == "--centre"     ? std::string("--centre takes CODE;YEAR;VERSION")
                 : option == "--previous" ? std::string("--previous takes keep or rebuild")
                                          : "unknown option " + option;
        }
        return std::string();
      });
  if (!problem.empty()) return std::nullopt;
  return options;
}

// The printed dialogs of the batch front end, with the import's answers: the
// two questions about earlier work tables from the options, No to every other
// question (the teacher still without a document).
class ImportDialogs : public run::Dialogs {
 public:
  ImportDialogs(const ImportOptions& options, std::vector<Fields> documents)
      : yes_(std::cout, {.yesNo = true}),
        no_(std::cout, {.yesNo = false}),
        options_(options),
        documents_(std::move(documents)) {}

  void message(const std::string& text) override { no_.message(text); }
  run::Answer askYesNo(const std::string& text, int helpContext) override {
    const bool yes = (text == dae_export::kKeepPreviousQuestion && options_.keepPrevious) ||
                     (text == dae_export::kStraightToCodingQuestion && options_.straightToCoding);
    return (yes ? yes_ : no_).askYesNo(text, helpContext);
  }
  bool askOkCancel(const std::string& caption, const std::string& text) override {
    return no_.askOkCancel(caption, text);
  }

  // Types every document in the teachers grid, then presses "&Terminar".
  void runCodingEditor(dae_export::CodingEditor& editor) override {
    for (const Fields& document : documents_) {
      if (!dae_export::enterTeacherDocument(editor.tables(), document[0], document[1], document[2])) {
        throw support::Error("El profesor '" + support::cp1252ToUtf8(document[0]) + "' de " +
                             support::displayPath(*options_.documentsFile) + " no está en PROFT");
      }
    }
    editor.Terminar();
  }

 private:
  cli::ScriptedDialogs yes_;
  cli::ScriptedDialogs no_;
  const ImportOptions& options_;
  std::vector<Fields> documents_;
};

// The exit status of a run that did not throw.
int runImport(const ImportOptions& options, run::Session& session) {
  session.workFolder = support::resolveWorkFolder(options.run.workFolder);
  ImportDialogs dialogs(options, options.documentsFile
                                     ? cli::readTypedLines(*options.documentsFile, "ABREV;TIPODNI;DNI")
                                     : std::vector<Fields>());
  converter::PanelFlow flow(session, dialogs);

  flow.BImportarClick(support::pathFromUtf8(*options.run.daeFolder));
  if (flow.state() == converter::PanelState::Centre) {
    if (options.centre) {
      dbase::Table& centre = flow.centreTable();
      centre.setText("CODCENTRO", support::utf8ToCp1252((*options.centre)[0]));
      centre.setText("ANOACAD", support::utf8ToCp1252((*options.centre)[1]));
      centre.setText("VERSION", support::utf8ToCp1252((*options.centre)[2]));
    }
    flow.BitBtn1Click();
    if (flow.state() == converter::PanelState::Centre) {
      std::cerr << "transorvaldae-cli import: the centre data are incomplete (--centre CODE;YEAR;VERSION)\n";
      return cli::kExitStopped;
    }
  }
  const bool finished = session.CodigoResultado == 1 && session.FlagPaso != run::kEndedWithoutFile;
  return finished ? cli::kExitFinished : cli::kExitStopped;
}

}  // namespace

int runImportCommand(const std::vector<std::string>& args) {
  std::string problem;
  const std::optional<ImportOptions> options = parseOptions(args, problem);
  if (!options) {
    std::cerr << "transorvaldae-cli import: " << problem << '\n' << kUsage;
    return cli::kExitUsage;
  }
  return cli::runWithResultLine(options->run.verbose,
                                [&](run::Session& session) { return runImport(*options, session); });
}
