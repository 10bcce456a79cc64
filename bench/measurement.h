// What the bench measures for one direction at one scale: each step's time
// and the rows it left, the direction's total, its I/O floor and the peak
// memory of the process so far.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

struct StepTime {
  std::string name;
  std::string rows;          // the records (or lines) the step left, as shown
  double seconds = 0;        // wall clock
  double cpuSeconds = 0;     // user and system time of the process: less disturbed by other programs
  double systemSeconds = 0;  // the system's part of it: mostly the writes of every posted record
};

// The time to read every input byte and write every output byte once,
// with one plain read or write per file (no sync).
struct IoFloor {
  std::uint64_t bytesRead = 0;
  std::uint64_t bytesWritten = 0;
  double seconds = 0;
};

struct DirectionRun {
  std::string name;
  std::vector<StepTime> steps;
  IoFloor floor;
  long peakKilobytes = 0;             // peak resident set during the direction
  std::vector<std::string> messages;  // what the run told the user, in order

  double totalSeconds() const;
  double totalCpuSeconds() const;
  double totalSystemSeconds() const;
  // Times body and adds it as a step; rows is asked after the clock stops.
  void step(std::string name, const std::function<void()>& body, const std::function<std::string()>& rows);
};

// User and system time of this process so far, and the system time alone (getrusage).
double cpuSecondsSoFar();
double systemSecondsSoFar();
// The peak memory of one direction, as if it ran in a process of its own
// (the batch front end runs one): startPeakMemory() hands the memory freed
// by the directions before back to the system and starts the peak again from
// what the process holds now; peakResidentKilobytes() is the peak resident
// set since then (since the process started where the system cannot start it
// again), in kilobytes.
void startPeakMemory();
long peakResidentKilobytes();

// "12,345" for a table's record count, read through the engine.
std::string recordCount(const std::filesystem::path& workFolder, std::string_view table);
// Numbers with thousands separators.
std::string grouped(std::uint64_t value);

}  // namespace bench
