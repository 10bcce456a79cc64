#include "tools/host_stub/hold_command.h"

#include <chrono>
#include <iostream>
#include <optional>
#include <thread>

#include "support/dbase/table.h"
#include "support/file_system.h"
#include "support/work_folder.h"

namespace host_stub {

int runHoldCommand(const std::vector<std::string>& args) {
  std::optional<std::string> table;
  std::optional<std::filesystem::path> folder;
  bool shared = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--work-folder" && i + 1 < args.size()) {
      folder = support::pathFromUtf8(args[++i]);
    } else if (args[i] == "--shared") {
      shared = true;
    } else if (!table) {
      table = args[i];
    } else {
      table.reset();
      break;
    }
  }
  if (!table) {
    std::cerr << "usage: host-stub hold TABLE [--shared] [--work-folder DIR]\n";
    return 2;
  }
  dbase::Table held(support::resolveWorkFolder(folder), *table);
  // Exclusive, as the host holds the tables it is working on.
  held.open({.exclusive = !shared, .readOnly = shared});
  std::cout << "holding " << held.dbfPath().string() << std::endl;
  while (true) std::this_thread::sleep_for(std::chrono::hours(1));
}

}  // namespace host_stub
