// The bench's printed table: for each scale, every step of every direction
// with its rows, time and growth over the previous scale, the totals, the
// I/O floor and the ratio to it, and the peak memory; at the end, each
// target with its figure.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "bench/measurement.h"

namespace bench {

struct ScaleResult {
  int scale = 1;
  std::uint64_t daeBytes = 0;
  std::uint64_t lessons = 0;          // lessons placed in the generated SOLUC
  std::uint64_t unplacedLessons = 0;  // its rows of day 0, which the import skips
  std::vector<DirectionRun> directions;
};

void printScale(std::ostream& out, const ScaleResult& result, const ScaleResult* previous);

// Each target with its figure and "met" or "MISSED"; true when all are met.
bool printTargets(std::ostream& out, const std::vector<ScaleResult>& results);

}  // namespace bench
