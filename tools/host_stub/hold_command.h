// `host-stub hold TABLE --work-folder DIR`: keeps a table open, as the host
// does while it works on it, until the process is killed.
#pragma once

#include <string>
#include <vector>

namespace host_stub {

int runHoldCommand(const std::vector<std::string>& args);

}  // namespace host_stub
