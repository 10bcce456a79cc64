// Walking the options of a batch command: "--flag" alone, or "--option VALUE".
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// Hands each option to take, with the next argument as its value unless the
// option is one of flags (then the value is empty). take returns "" when it
// understood the option, else the problem. The first problem met (take's, a
// missing value or a stray argument), or "" when every option was understood.
std::string walkOptions(
    const std::vector<std::string>& args, const std::vector<std::string>& flags,
    const std::function<std::string(const std::string& option, const std::string& value)>& take);

// The options both runs (export and import) take: --dae-folder DIR,
// --work-folder DIR and --verbose.
struct RunOptions {
  std::optional<std::string> daeFolder;
  std::optional<std::filesystem::path> workFolder;
  bool verbose = false;
};

// walkOptions for a run: the run options go into run, the others (flags
// among them) to take. The first problem met, a missing --dae-folder among
// them, or "".
std::string walkRunOptions(
    const std::vector<std::string>& args, std::vector<std::string> flags, RunOptions& run,
    const std::function<std::string(const std::string& option, const std::string& value)>& take);

}  // namespace cli
