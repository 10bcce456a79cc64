// `host-stub hold TABLE [--shared] [--work-folder DIR]`: keeps a table open,
// as the host does while it works on it, until the process is killed: for
// exclusive use, or with --shared as a program that only reads it.
#pragma once

#include <string>
#include <vector>

namespace host_stub {

int runHoldCommand(const std::vector<std::string>& args);

}  // namespace host_stub
