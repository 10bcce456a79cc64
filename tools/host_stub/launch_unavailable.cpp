// The launch command of a build without Qt on a system other than Windows:
// there is no window to host with.
#include <iostream>

#include "tools/host_stub/launch_command.h"

namespace host_stub {

int runLaunchCommand(const std::vector<std::string>&) {
  std::cerr << "host-stub: launch needs Qt 6, which this build was made without\n";
  return 1;
}

}  // namespace host_stub
