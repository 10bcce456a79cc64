// host-stub: a stand-in for the host timetabler in tests and in the demo.
#include <iostream>
#include <string>
#include <vector>

#include "support/error.h"
#include "support/platform.h"
#include "tools/host_stub/hold_command.h"
#include "tools/host_stub/launch_command.h"
#include "tools/host_stub/solve_command.h"

int main(int argc, char** argv) {
  support::prepareConsoleOutput();
  const std::vector<std::string> args = support::commandLineArguments(argc, argv);
  if (args.empty()) {
    std::cerr << "usage: host-stub solve [--work-folder DIR]\n"
                 "       host-stub hold TABLE [--shared] [--work-folder DIR]\n"
                 "       host-stub launch importar|exportar [CONVERTER]\n";
    return 2;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  try {
    if (args[0] == "hold") return host_stub::runHoldCommand(rest);
    if (args[0] == "solve") return host_stub::runSolveCommand(rest);
    if (args[0] == "launch") return host_stub::runLaunchCommand(rest);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  std::cerr << "host-stub: unknown command " << args[0] << '\n';
  return 2;
}
