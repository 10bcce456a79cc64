// Starting the project's own executables from tests as real processes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

// Where the build put an executable: $TRANSORVALDAE_BIN_DIR/relative (with
// .exe added on Windows).
std::filesystem::path builtExecutable(const std::string& relative);

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs program with args to completion, with stdin empty.
ProcessResult runProcess(const std::filesystem::path& program, const std::vector<std::string>& args);

// A process left running in the background until it is destroyed (killed).
class BackgroundProcess {
 public:
  BackgroundProcess(const std::filesystem::path& program, const std::vector<std::string>& args);
  ~BackgroundProcess();
  BackgroundProcess(const BackgroundProcess&) = delete;
  BackgroundProcess& operator=(const BackgroundProcess&) = delete;

  // Reads standard output until a line starts with prefix; false when the
  // process ended first.
  bool waitForLine(const std::string& prefix);

 private:
#ifdef _WIN32
  void* process_ = nullptr;
  void* out_ = nullptr;
#else
  int pid_ = -1;
  int out_ = -1;
#endif
};

}  // namespace test_support
