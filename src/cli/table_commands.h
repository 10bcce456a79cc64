// `transorvaldae-cli dump` and `transorvaldae-cli check`: looking into the
// work tables from the command line.
#pragma once

#include <string>
#include <vector>

// dump TABLE [--work-folder DIR] [--tag TAG]: the table as CSV on standard
// output (header line, values in UTF-8), in physical or tag order.
int runDumpCommand(const std::vector<std::string>& args);

// check TABLE [--work-folder DIR]: verifies every tag of the table's .MDX
// against its records. Exit 0 when consistent, 3 with a report otherwise.
int runCheckCommand(const std::vector<std::string>& args);
