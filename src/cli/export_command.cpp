#include "cli/export_command.h"

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
#include "dae_import/hour_templates.h"
#include "dae_import/study_levels.h"
#include "run/session.h"
#include "support/cp1252.h"
#include "support/error.h"
#include "support/file_system.h"
#include "support/work_folder.h"

namespace {

constexpr const char* kUsage =
    "usage: transorvaldae-cli export --dae-folder DIR [--work-folder DIR]\n"
    "    [--language TEXT] [--private]\n"
    "    [--centre-code TEXT] [--academic-year TEXT] [--centre-version TEXT]\n"
    "    [--previous-levels keep|discard] [--levels FILE] [--template CODE] [--verbose]\n";

struct ExportOptions {
  cli::RunOptions run;
  std::string language = "EUSKERA";
  bool privateCentre = false;
  std::optional<std::string> centreCode;
  std::optional<std::string> academicYear;
  std::optional<std::string> centreVersion;
  bool keepPreviousLevels = true;
  std::optional<std::filesystem::path> levelsFile;
  std::optional<std::string> templateCode;
};

// The options, or nullopt with problem set.
std::optional<ExportOptions> parseOptions(const std::vector<std::string>& args, std::string& problem) {
  ExportOptions options;
  problem = cli::walkRunOptions(
      args, {"--private"}, options.run, [&](const std::string& option, const std::string& value) {
        if (option == "--private") {
          options.privateCentre = true;
        } else if (option == "--language") {
          options.language = value;
        } else if (option == "--centre-code") {
          options.centreCode = value;
        } else if (option == "--academic-year") {
          options.academicYear = value;
        } else if (option == "--centre-version") {
          options.centreVersion = value;
        } else if (option == "--previous-levels" && (value == "keep" || value == "discard")) {
          options.keepPreviousLevels = value == "keep";
        } else if (option == "--levels") {
          options.levelsFile = support::pathFromUtf8(value);
        } else if (option == "--template") {
          options.templateCode = value;
        } else {
          return option == "--previous-levels" ? std::string("--previous-levels takes keep or discard")
                                               : "unknown option " + option;
        }
        return std::string();
      });
  if (!problem.empty()) return std::nullopt;
  return options;
}

void typeCentre(dbase::Table& centre, const ExportOptions& options) {
  const std::pair<const char*, const std::optional<std::string>&> typed[] = {
      {"CODCENTRO", options.centreCode},
      {"ANOACAD", options.academicYear},
      {"VERSION", options.centreVersion}};
  for (const auto& [field, value] : typed) {
    if (value) centre.setText(field, support::utf8ToCp1252(*value));
  }
}

// The exit status of a run that did not throw.
int runExport(const ExportOptions& options, run::Session& session) {
  session.workFolder = support::resolveWorkFolder(options.run.workFolder);
  const std::vector<std::vector<std::string>> typedLevels =
      options.levelsFile ? cli::readTypedLines(*options.levelsFile, "COD;ABREVCAST;ABREVEUSK")
                         : std::vector<std::vector<std::string>>();
  cli::ScriptedDialogs dialogs(std::cout, {false, options.keepPreviousLevels});
  converter::PanelFlow flow(session, dialogs);
  flow.setLanguage(support::utf8ToCp1252(options.language));
  flow.setPrivateChecked(options.privateCentre);

  flow.BExportarClick(support::pathFromUtf8(*options.run.daeFolder));
  if (flow.state() != converter::PanelState::Centre) return cli::kExitStopped;
  typeCentre(flow.centreTable(), options);

  flow.BitBtn1Click();
  if (flow.state() != converter::PanelState::Levels) return cli::kExitStopped;
  for (const std::vector<std::string>& level : typedLevels) {
    if (!dae_import::typeShortNames(flow.levelsTable(), level[0], level[1], level[2])) {
      throw support::Error("El nivel '" + support::cp1252ToUtf8(level[0]) + "' de " +
                           support::displayPath(*options.levelsFile) + " no está en daeNIVIMP");
    }
  }

  flow.FinalRecogida();
  if (flow.state() != converter::PanelState::Templates) return cli::kExitStopped;
  if (options.templateCode &&
      !dae_import::chooseTemplate(flow.templatesTable(), support::utf8ToCp1252(*options.templateCode))) {
    throw support::Error("La plantilla '" + *options.templateCode + "' no está en daePLANTILLAS");
  }

  flow.BitBtn3Click();
  const bool finished = flow.state() == converter::PanelState::Done;
  return finished && session.CodigoResultado == 1 ? cli::kExitFinished : cli::kExitStopped;
}

}  // namespace

int runExportCommand(const std::vector<std::string>& args) {
  std::string problem;
  const std::optional<ExportOptions> options = parseOptions(args, problem);
  if (!options) {
    std::cerr << "transorvaldae-cli export: " << problem << '\n' << kUsage;
    return cli::kExitUsage;
  }
  return cli::runWithResultLine(options->run.verbose,
                                [&](run::Session& session) { return runExport(*options, session); });
}
