// Walking the options of a batch command: "--flag" alone, or "--option VALUE".
#pragma once

#include <functional>
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

}  // namespace cli
