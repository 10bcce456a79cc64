// transorvaldae-bench: generates DAE folders at several scales of the bundled
// sample (make-sample --scale N), runs the export through the core, places
// the timetable as the stand-in host does (host-stub solve), runs the import
// through the core, step by step, and prints the times, the rows, the I/O
// floor and the peak memory, then each target with its figure.
//
//   transorvaldae-bench [--scales 1,10,100] [--folder DIR] [--keep]
//
// Each direction's peak memory is its own, measured from what the process
// holds when it starts. The data of scale N live in DIR/xN (default DIR: a new
// folder under the system's temporary folder), removed at the end unless
// --keep; a DIR that was given is never removed itself. Exit status 0
// when the runs ended, whether or not the targets were met; 1 on an error; 2
// for a usage error.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "bench/directions.h"
#include "bench/engine_lookups.h"
#include "bench/report.h"
#include "support/error.h"
#include "tools/host_stub/solver.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "usage: transorvaldae-bench [--scales 1,10,100] [--folder DIR] [--keep]\n";

struct Options {
  std::set<int> scales{1, 10, 100};
  std::optional<fs::path> folder;
  bool keep = false;
};

std::optional<Options> parseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--keep") {
      options.keep = true;
    } else if (option == "--folder" && i + 1 < argc) {
      options.folder = fs::path(argv[++i]);
    } else if (option == "--scales" && i + 1 < argc) {
      options.scales.clear();
      const std::string list = argv[++i];
      for (std::size_t begin = 0; begin <= list.size();) {
        std::size_t end = list.find(',', begin);
        if (end == std::string::npos) end = list.size();
        const int scale = std::atoi(list.substr(begin, end - begin).c_str());
        if (scale < 1 || scale > 300) return std::nullopt;
        options.scales.insert(scale);
        begin = end + 1;
      }
    } else {
      return std::nullopt;
    }
  }
  return options;
}

fs::path newScratchFolder() {
  for (int attempt = 0;; ++attempt) {
    const fs::path folder = fs::temp_directory_path() / ("transorvaldae-bench-" + std::to_string(attempt));
    if (fs::create_directory(folder)) return folder;
  }
}

void makeSample(int scale, const fs::path& out) {
  const std::string command = std::string("'") + TRANSORVALDAE_MAKE_SAMPLE + "' --scale " +
                              std::to_string(scale) + " --out '" + out.string() + "' >/dev/null";
  if (std::system(command.c_str()) != 0) throw support::Error("make-sample failed: " + command);
}

std::uint64_t folderBytes(const fs::path& folder) {
  std::uint64_t bytes = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) bytes += entry.file_size();
  }
  return bytes;
}

bench::ScaleResult runScale(int scale, const fs::path& folder) {
  const fs::path dae = folder / "dae";
  const fs::path work = folder / "work";
  fs::create_directories(work);
  makeSample(scale, dae);

  bench::ScaleResult result;
  result.scale = scale;
  result.daeBytes = folderBytes(dae);
  result.directions.push_back(bench::runExport(dae, work, "export"));
  const host_stub::Solution solution = host_stub::solveTimetable(work);
  result.lessons = solution.placed;
  result.unplacedLessons = solution.unplaced;
  result.directions.push_back(bench::runImport(dae, work, dae_export::WorkTables::Rebuild));
  result.directions.push_back(bench::runImport(dae, work, dae_export::WorkTables::Keep));
  // Again over the tables of the runs before: its safety copy has them all to keep.
  result.directions.push_back(bench::runExport(dae, work, "export, over an earlier run"));
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = parseOptions(argc, argv);
  if (!options) {
    std::cerr << kUsage;
    return 2;
  }
  const fs::path folder = options->folder.value_or(newScratchFolder());
  std::cout << "transorvaldae-bench: data in " << folder.string() << '\n';
  std::vector<bench::ScaleResult> results;
  int status = 0;
  try {
    bench::runEngineLookups(std::cout, folder / "engine", 100000);
    for (int scale : options->scales) {
      const fs::path scaleFolder = folder / ("x" + std::to_string(scale));
      fs::remove_all(scaleFolder);
      results.push_back(runScale(scale, scaleFolder));
      bench::printScale(std::cout, results.back(),
                        results.size() > 1 ? &results[results.size() - 2] : nullptr);
      std::cout.flush();
      if (!options->keep) fs::remove_all(scaleFolder);
    }
    bench::printTargets(std::cout, results);
  } catch (const std::exception& error) {
    std::cerr << "transorvaldae-bench: " << error.what() << '\n';
    status = 1;
  }
  if (!options->keep && !options->folder) fs::remove_all(folder);
  return status;
}
