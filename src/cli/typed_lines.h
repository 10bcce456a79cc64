// The small files in which the batch front end receives what the user would
// type into a grid: one row per line, its values separated by ';', UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace cli {

// text split at every ';' (no quoting: the values never hold one).
std::vector<std::string> splitSemicolons(const std::string& text);

// The rows of file, each with exactly as many values as layout names
// ("COD;ABREVCAST;ABREVEUSK"), converted to Windows-1252; blank lines are
// skipped, CR LF and LF both end a line. A row of another shape throws
// support::Error naming the file, the line and the layout.
std::vector<std::vector<std::string>> readTypedLines(const std::filesystem::path& file,
                                                     const std::string& layout);

}  // namespace cli
