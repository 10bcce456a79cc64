#include "tools/host_stub/solve_command.h"

#include <filesystem>
#include <iostream>
#include <optional>

#include "support/file_system.h"
#include "support/work_folder.h"
#include "tools/host_stub/solver.h"

namespace host_stub {

int runSolveCommand(const std::vector<std::string>& args) {
  std::optional<std::filesystem::path> override;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--work-folder" && i + 1 < args.size()) {
      override = support::pathFromUtf8(args[++i]);
    } else {
      std::cerr << "usage: host-stub solve [--work-folder DIR]\n";
      return 2;
    }
  }
  const Solution solution = solveTimetable(support::resolveWorkFolder(override));
  std::cout << "SOLUC: " << solution.placed << " lessons placed, " << solution.unplaced
            << " lessons did not fit\n";
  return 0;
}

}  // namespace host_stub
