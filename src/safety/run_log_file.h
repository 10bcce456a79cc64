// The run log file TransOrvalDAE.log: every run appends its lines, and the
// file keeps only about its last megabyte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace safety {

inline constexpr std::uintmax_t kRunLogLimit = std::uintmax_t{1} << 20;

// Appends lines (each followed by LF) to file, creating it and its folder
// when missing. When the file would grow past limit, the oldest lines go,
// leaving about three quarters of limit, so that it is not rewritten at every
// run once full. False when the file could not be written: a log that cannot
// be written never stops a run.
bool appendToRunLog(const std::filesystem::path& file, const std::vector<std::string>& lines,
                    std::uintmax_t limit = kRunLogLimit) noexcept;

}  // namespace safety
