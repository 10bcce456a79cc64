// transorvaldae-cli: the batch front end. It runs the same flows as the
// window, with the user's answers taken from options, and looks into the
// work tables. An error that ends a run is printed on standard error and the
// exit status is kExitError (1).
#include <iostream>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "cli/export_command.h"
#include "cli/import_command.h"
#include "cli/restore_command.h"
#include "cli/table_commands.h"
#include "support/error.h"
#include "support/platform.h"

namespace {

constexpr const char* kUsage =
    "usage: transorvaldae-cli export|import|restore|dump|check ...\n"
    "  export --dae-folder DIR [--work-folder DIR] [options] [--verbose]\n"
    "  import --dae-folder DIR [--work-folder DIR] [options] [--verbose]\n"
    "  restore [--work-folder DIR] [--list] [--copy NAME] [--verbose]\n"
    "  dump TABLE [--work-folder DIR] [--tag TAG]\n"
    "  check TABLE [--work-folder DIR]";

}  // namespace

int main(int argc, char** argv) {
  support::prepareConsoleOutput();
  const std::vector<std::string> args = support::commandLineArguments(argc, argv);
  if (args.empty()) {
    std::cerr << kUsage << '\n';
    return cli::kExitUsage;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  try {
    if (args[0] == "export") return runExportCommand(rest);
    if (args[0] == "import") return runImportCommand(rest);
    if (args[0] == "restore") return runRestoreCommand(rest);
    if (args[0] == "dump") return runDumpCommand(rest);
    if (args[0] == "check") return runCheckCommand(rest);
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << e.what() << '\n';
    return cli::kExitError;
  }
  std::cerr << kUsage << '\n';
  return cli::kExitUsage;
}
