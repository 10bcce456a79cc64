#include "bench/report.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace bench {
namespace {

// Time may grow at most this much faster than the data before a step counts
// as worse than linear ("x10 data at most 12x the time").
constexpr double kGrowthAllowance = 1.2;
// Steps shorter than this are dominated by fixed costs and clock noise.
constexpr double kComparableSeconds = 0.005;
constexpr double kTargetSeconds = 2.0;
// The safety copy may make a run at most this much slower.
constexpr double kCopyShare = 0.2;
constexpr long kTargetPeakKilobytes = 200 * 1024;

std::string format(const char* pattern, double value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

std::string milliseconds(double seconds) { return format("%.1f", seconds * 1000); }

std::string megabytes(double bytes) { return format("%.1f MB", bytes / (1024.0 * 1024.0)); }

const DirectionRun* findDirection(const ScaleResult* result, const std::string& name) {
  if (!result) return nullptr;
  for (const DirectionRun& run : result->directions) {
    if (run.name == name) return &run;
  }
  return nullptr;
}

const StepTime* findStep(const DirectionRun* run, const std::string& name) {
  if (!run) return nullptr;
  for (const StepTime& step : run->steps) {
    if (step.name == name) return &step;
  }
  return nullptr;
}

// "9.8x", with " !" when the growth is worse than linear; empty without a
// previous figure.
std::string growth(double seconds, const double* previousSeconds, double dataRatio) {
  if (!previousSeconds || *previousSeconds <= 0) return "";
  const double ratio = seconds / *previousSeconds;
  const bool tooFast = seconds >= kComparableSeconds && ratio > dataRatio * kGrowthAllowance;
  return format("%.1fx", ratio) + (tooFast ? " !" : "");
}

void row(std::ostream& out, const std::string& name, const std::string& rows, const std::string& time,
         const std::string& cpu, const std::string& system, const std::string& grown) {
  char line[220];
  std::snprintf(line, sizeof line, "  %-40s %20s %12s %10s %10s %10s\n", name.c_str(), rows.c_str(),
                time.c_str(), cpu.c_str(), system.c_str(), grown.c_str());
  out << line;
}

}  // namespace

void printScale(std::ostream& out, const ScaleResult& result, const ScaleResult* previous) {
  const double dataRatio = previous ? static_cast<double>(result.scale) / previous->scale : 1;
  out << "\n== Scale x" << result.scale << ": DAE folder " << megabytes(static_cast<double>(result.daeBytes))
      << ", SOLUC " << grouped(result.lessons) << " lessons";
  if (result.unplacedLessons != 0) out << " (and " << grouped(result.unplacedLessons) << " that did not fit)";
  out << '\n';
  row(out, "step", "rows", "time (ms)", "cpu (ms)", "sys (ms)",
      previous ? "vs x" + std::to_string(previous->scale) : "");
  for (const DirectionRun& run : result.directions) {
    const DirectionRun* before = findDirection(previous, run.name);
    out << run.name << '\n';
    for (const StepTime& step : run.steps) {
      const StepTime* old = findStep(before, step.name);
      row(out, step.name, step.rows, milliseconds(step.seconds), milliseconds(step.cpuSeconds),
          milliseconds(step.systemSeconds), growth(step.seconds, old ? &old->seconds : nullptr, dataRatio));
    }
    const double total = run.totalSeconds();
    const double oldTotal = before ? before->totalSeconds() : 0;
    row(out, "total", "", milliseconds(total), milliseconds(run.totalCpuSeconds()),
        milliseconds(run.totalSystemSeconds()), growth(total, before ? &oldTotal : nullptr, dataRatio));
    row(out,
        "I/O floor: read " + megabytes(static_cast<double>(run.floor.bytesRead)) + ", write " +
            megabytes(static_cast<double>(run.floor.bytesWritten)),
        "", milliseconds(run.floor.seconds), "", "", "");
    row(out, "total / I/O floor", "",
        run.floor.seconds > 0 ? format("%.1fx", total / run.floor.seconds) : "-", "", "", "");
    out << "  peak memory of the direction: " << megabytes(run.peakKilobytes * 1024.0) << '\n';
    for (const std::string& message : run.messages) out << "  said: " << message << '\n';
  }
}

bool printTargets(std::ostream& out, const std::vector<ScaleResult>& results) {
  bool allMet = true;
  const auto verdict = [&](bool met, const std::string& text) {
    allMet = allMet && met;
    out << (met ? "  met     " : "  MISSED  ") << text << '\n';
  };
  out << "\n== Targets\n";
  for (const ScaleResult& result : results) {
    if (result.scale != 100) continue;
    for (const DirectionRun& run : result.directions) {
      const double total = run.totalSeconds();
      verdict(total < kTargetSeconds, "x100 " + run.name + " under 2 s: " + format("%.2f s", total));
    }
    for (const DirectionRun& run : result.directions) {
      const StepTime* copy = findStep(&run, "safety copy");
      if (!copy) continue;
      const double share = copy->seconds / (run.totalSeconds() - copy->seconds);
      verdict(share <= kCopyShare, "x100 " + run.name + ": the safety copy (" + copy->rows + ") adds " +
                                       format("%.1f %%", share * 100) + " (at most 20 %)");
    }
    for (const DirectionRun& run : result.directions) {
      verdict(run.peakKilobytes < kTargetPeakKilobytes,
              "x100 " + run.name + ", peak memory under 200 MB: " + megabytes(run.peakKilobytes * 1024.0));
    }
  }
  for (std::size_t i = 1; i < results.size(); ++i) {
    const ScaleResult& now = results[i];
    const ScaleResult& before = results[i - 1];
    const double dataRatio = static_cast<double>(now.scale) / before.scale;
    const std::string scales = "x" + std::to_string(before.scale) + " -> x" + std::to_string(now.scale);
    for (const DirectionRun& run : now.directions) {
      const DirectionRun* old = findDirection(&before, run.name);
      if (!old) continue;
      if (old->totalSeconds() < kComparableSeconds * 10) {
        out << "  -       " << scales << " " << run.name << ": too short at x" << before.scale
            << " to compare\n";
        continue;
      }
      const double ratio = run.totalSeconds() / old->totalSeconds();
      verdict(ratio <= dataRatio * kGrowthAllowance, scales + " " + run.name + " time grows " +
                                                         format("%.1fx", ratio) + " (at most " +
                                                         format("%.0fx", dataRatio * kGrowthAllowance) + ")");
      for (const StepTime& step : run.steps) {
        const StepTime* oldStep = findStep(old, step.name);
        if (!oldStep || step.seconds < kComparableSeconds || oldStep->seconds <= 0) continue;
        const double stepRatio = step.seconds / oldStep->seconds;
        if (stepRatio > dataRatio * kGrowthAllowance) {
          verdict(false,
                  scales + " " + run.name + ", step " + step.name + " grows " + format("%.1fx", stepRatio));
        }
      }
    }
  }
  return allMet;
}

}  // namespace bench
