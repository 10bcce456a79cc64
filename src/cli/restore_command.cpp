#include "cli/restore_command.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>

#include "cli/command_options.h"
#include "cli/exit_status.h"
#include "cli/result_line.h"
#include "run/run_log.h"
#include "safety/copies_folder.h"
#include "safety/restore.h"
#include "safety/run_log_file.h"
#include "support/file_system.h"
#include "support/work_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: transorvaldae-cli restore [--work-folder DIR] [--list] [--copy NAME] [--verbose]\n";

struct RestoreOptions {
  std::optional<fs::path> workFolder;
  bool list = false;
  std::optional<std::string> copy;
  bool verbose = false;
};

std::optional<RestoreOptions> parseOptions(const std::vector<std::string>& args, std::string& problem) {
  RestoreOptions options;
  problem = cli::walkOptions(args, {"--list", "--verbose"},
                             [&](const std::string& option, const std::string& value) {
                               if (option == "--list") {
                                 options.list = true;
                               } else if (option == "--verbose") {
                                 options.verbose = true;
                               } else if (option == "--work-folder") {
                                 options.workFolder = support::pathFromUtf8(value);
                               } else if (option == "--copy") {
                                 options.copy = value;
                               } else {
                                 return "unknown option " + option;
                               }
                               return std::string();
                             });
  if (problem.empty() && options.list && options.copy) problem = "--list and --copy go alone";
  if (!problem.empty()) return std::nullopt;
  return options;
}

// The names of the files of copy that existed (or did not) before its run.
std::string fileNames(const safety::StoredCopy& copy, bool existed) {
  std::string names;
  for (const safety::KeptFile& file : copy.manifest.files) {
    if (file.existed != existed) continue;
    if (!names.empty()) names += ' ';
    if (file.place == safety::Place::DaeFolder) names += "DAE:";
    names += file.name;
  }
  return names.empty() ? "-" : names;
}

void printList(const std::vector<safety::StoredCopy>& copies, const fs::path& workFolder) {
  if (copies.empty()) {
    std::cout << "No hay copias de seguridad de la carpeta de trabajo " << support::displayPath(workFolder)
              << '\n';
    return;
  }
  for (const safety::StoredCopy& copy : copies) {
    std::cout << copy.name << "  " << copy.manifest.operation;
    if (!copy.manifest.daeFolder.empty())
      std::cout << "  carpeta DAE: " << support::displayPath(copy.manifest.daeFolder);
    std::cout << "\n    guardados: " << fileNames(copy, true)
              << "\n    no existían: " << fileNames(copy, false) << '\n';
  }
}

// The copy to restore, or nullopt after saying why there is none.
std::optional<safety::StoredCopy> chosenCopy(const std::vector<safety::StoredCopy>& copies,
                                             const RestoreOptions& options, const fs::path& workFolder,
                                             run::RunLog& log) {
  for (const safety::StoredCopy& copy : copies) {
    if (!options.copy || copy.name == *options.copy) return copy;
  }
  const std::string text =
      (options.copy ? "No hay ninguna copia " + *options.copy + " de la carpeta de trabajo "
                    : std::string("No hay ninguna copia de seguridad de la carpeta de trabajo ")) +
      support::displayPath(workFolder);
  std::cout << text << '\n';
  log.add("mensaje: " + text);
  return std::nullopt;
}

int restore(const RestoreOptions& options, const fs::path& workFolder, const fs::path& copiesFolder,
            run::RunLog& log) {
  const std::vector<safety::StoredCopy> copies = safety::copiesOf(copiesFolder, workFolder);
  if (options.list) {
    printList(copies, workFolder);
    return cli::kExitFinished;
  }
  log.add("==== restaurar: carpeta de trabajo " + support::displayPath(workFolder));
  const std::optional<safety::StoredCopy> copy = chosenCopy(copies, options, workFolder, log);
  if (!copy) return cli::kExitStopped;
  log.add("copia: " + copy->name + " (" + copy->manifest.operation + ")");

  const safety::RestoreResult result = safety::restoreCopy(copiesFolder, *copy);
  if (!result.refusal.empty()) {
    std::cout << result.refusal << '\n';
    log.add("mensaje: " + result.refusal);
    return cli::kExitStopped;
  }
  log.add("copia de seguridad: " + support::displayPath(result.ownCopy.folder));
  for (const std::string& file : result.restored) log.add("repuesto: " + file);
  for (const std::string& file : result.removed) log.add("eliminado: " + file);
  const std::string text = "Restaurada la copia " + copy->name + " (" + copy->manifest.operation +
                           "): " + std::to_string(result.restored.size()) + " archivos repuestos y " +
                           std::to_string(result.removed.size()) +
                           " eliminados. Lo que había antes está en la copia " + result.ownCopy.name + ".";
  std::cout << text << '\n';
  log.add("mensaje: " + text);
  return cli::kExitFinished;
}

}  // namespace

int runRestoreCommand(const std::vector<std::string>& args) {
  std::string problem;
  const std::optional<RestoreOptions> options = parseOptions(args, problem);
  if (!options) {
    std::cerr << "transorvaldae-cli restore: " << problem << '\n' << kUsage;
    return cli::kExitUsage;
  }
  const fs::path workFolder = support::absolutePath(support::resolveWorkFolder(options->workFolder));
  const fs::path copiesFolder = safety::copiesFolder();
  run::RunLog log;
  if (options->verbose) cli::echoRunLog(log);
  int status = cli::kExitError;
  try {
    status = restore(*options, workFolder, copiesFolder, log);
  } catch (const std::exception& error) {
    log.add(std::string("error: ") + error.what());
    safety::appendToRunLog(safety::runLogFile(copiesFolder), log.takeLines());
    throw;
  }
  if (!options->list)
    log.add(status == cli::kExitFinished ? "resultado: restaurada" : "resultado: no restaurada");
  safety::appendToRunLog(safety::runLogFile(copiesFolder), log.takeLines());
  return status;
}
