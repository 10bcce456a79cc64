#include "bench/io_floor.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>

#include "support/error.h"
#include "support/file_system.h"

namespace bench {
namespace fs = std::filesystem;

FolderSnapshot snapshot(const fs::path& folder) {
  FolderSnapshot files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) files[entry.path()] = {entry.file_size(), entry.last_write_time()};
  }
  return files;
}

std::vector<fs::path> changedFiles(const FolderSnapshot& before, const FolderSnapshot& after) {
  std::vector<fs::path> changed;
  for (const auto& [file, state] : after) {
    const auto old = before.find(file);
    if (old == before.end() || !(old->second == state)) changed.push_back(file);
  }
  return changed;
}

IoFloor measureIoFloor(const std::vector<fs::path>& inputs, const std::vector<fs::path>& outputs,
                       const fs::path& scratch) {
  std::vector<std::uintmax_t> sizes;
  for (const fs::path& output : outputs) sizes.push_back(fs::file_size(output));
  std::uintmax_t largest = 0;
  for (std::uintmax_t size : sizes) largest = std::max(largest, size);
  const std::string bytes(largest, 'x');
  fs::create_directories(scratch);

  IoFloor floor;
  const auto start = std::chrono::steady_clock::now();
  for (const fs::path& input : inputs) floor.bytesRead += support::readFile(input).size();
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    std::ofstream out(scratch / outputs[i].filename(), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(sizes[i]));
    out.close();
    if (!out)
      throw support::Error("No se puede escribir " + support::displayPath(scratch / outputs[i].filename()));
    floor.bytesWritten += sizes[i];
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  floor.seconds = elapsed.count();
  fs::remove_all(scratch);
  return floor;
}

}  // namespace bench
