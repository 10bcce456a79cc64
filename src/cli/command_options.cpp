#include "cli/command_options.h"

#include <algorithm>

#include "support/file_system.h"

namespace cli {

std::string walkOptions(
    const std::vector<std::string>& args, const std::vector<std::string>& flags,
    const std::function<std::string(const std::string& option, const std::string& value)>& take) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    const bool flag = std::find(flags.begin(), flags.end(), option) != flags.end();
    if (!flag && i + 1 == args.size()) {
      return option.rfind("--", 0) == 0 ? "missing value for " + option : "unexpected argument " + option;
    }
    const std::string problem = take(option, flag ? std::string() : args[++i]);
    if (!problem.empty()) return problem;
  }
  return {};
}

std::string walkRunOptions(
    const std::vector<std::string>& args, std::vector<std::string> flags, RunOptions& run,
    const std::function<std::string(const std::string& option, const std::string& value)>& take) {
  flags.push_back("--verbose");
  std::string problem = walkOptions(args, flags, [&](const std::string& option, const std::string& value) {
    if (option == "--verbose") {
      run.verbose = true;
    } else if (option == "--dae-folder") {
      run.daeFolder = value;
    } else if (option == "--work-folder") {
      run.workFolder = support::pathFromUtf8(value);
    } else {
      return take(option, value);
    }
    return std::string();
  });
  if (problem.empty() && !run.daeFolder) problem = "--dae-folder is required";
  return problem;
}

}  // namespace cli
