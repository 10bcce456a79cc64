#include "cli/command_options.h"

#include <algorithm>

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

}  // namespace cli
