// The I/O floor of a direction: reading every input file whole and writing
// as many bytes as each output file holds, once, with plain reads and writes.
// No converter can do less I/O than this, so a direction's time over its
// floor says how much the work itself costs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

#include "bench/measurement.h"

namespace bench {

// Size and last change of every regular file of a folder, by name.
struct FileState {
  std::uintmax_t size = 0;
  std::filesystem::file_time_type changed;

  bool operator==(const FileState&) const = default;
};
using FolderSnapshot = std::map<std::filesystem::path, FileState>;

FolderSnapshot snapshot(const std::filesystem::path& folder);

// The files of after that are new or changed since before.
std::vector<std::filesystem::path> changedFiles(const FolderSnapshot& before, const FolderSnapshot& after);

// Reads each input whole, then writes files of the outputs' sizes into
// scratch (created and removed here).
IoFloor measureIoFloor(const std::vector<std::filesystem::path>& inputs,
                       const std::vector<std::filesystem::path>& outputs,
                       const std::filesystem::path& scratch);

}  // namespace bench
