#include "bench/measurement.h"

#include <malloc.h>
#include <sys/resource.h>

#include <fstream>
#include <numeric>
#include <string>

#include "support/dbase/table.h"

namespace bench {

double DirectionRun::totalSeconds() const {
  return std::accumulate(steps.begin(), steps.end(), 0.0,
                         [](double sum, const StepTime& s) { return sum + s.seconds; });
}

double DirectionRun::totalCpuSeconds() const {
  return std::accumulate(steps.begin(), steps.end(), 0.0,
                         [](double sum, const StepTime& s) { return sum + s.cpuSeconds; });
}

double DirectionRun::totalSystemSeconds() const {
  return std::accumulate(steps.begin(), steps.end(), 0.0,
                         [](double sum, const StepTime& s) { return sum + s.systemSeconds; });
}

void DirectionRun::step(std::string stepName, const std::function<void()>& body,
                        const std::function<std::string()>& rows) {
  const double cpuStart = cpuSecondsSoFar();
  const double systemStart = systemSecondsSoFar();
  const auto start = std::chrono::steady_clock::now();
  body();
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  const double cpu = cpuSecondsSoFar() - cpuStart;
  const double system = systemSecondsSoFar() - systemStart;
  steps.push_back({std::move(stepName), rows ? rows() : std::string(), elapsed.count(), cpu, system});
}

namespace {

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

}  // namespace

double cpuSecondsSoFar() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double systemSecondsSoFar() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return seconds(usage.ru_stime);
}

void startPeakMemory() {
  malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";  // resets VmHWM where the kernel allows it
}

long peakResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));  // "VmHWM:   1234 kB"
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // kilobytes on Linux
}

std::string grouped(std::uint64_t value) {
  std::string digits = std::to_string(value);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), ",");
  return digits;
}

std::string recordCount(const std::filesystem::path& workFolder, std::string_view table) {
  dbase::Table t(workFolder, std::string(table));
  t.open({.readOnly = true});
  return grouped(static_cast<std::uint64_t>(t.recordCount()));
}

}  // namespace bench
