// The safety net around each run of a direction: before the run changes a
// file, the files it may replace or delete are copied into a new folder of
// the copies folder (safety/), and what the run does, kept line by line in
// the session's RunLog, goes into the run log file as it goes. A run opens
// when a direction's button is pressed and ends when the flow comes to rest
// (no panel left open), or when the flow goes away.
#pragma once

#include <filesystem>

#include "run/forward.h"
#include "safety/safety_copy.h"

namespace converter {

enum class Direction {
  Export,  // from DAE towards the timetabler: the code tables and the timetabler's tables
  Import,  // from the timetable towards DAE: the timetable work tables and fCUADROS.txt
};

// The copy a run of direction makes before it changes anything: the work
// tables it may replace or delete, and for the import "fCUADROS.txt" in
// CarpetaDAE.
safety::CopyRequest safetyCopyRequest(Direction direction, const run::Session& session);

class RunRecord {
 public:
  explicit RunRecord(run::Session& session);
  // Ends a run still open (with the result code it has) and writes the log.
  ~RunRecord();
  RunRecord(const RunRecord&) = delete;
  RunRecord& operator=(const RunRecord&) = delete;

  // A run of direction starts on the DAE folder chosen: its first lines.
  // Throws support::Error when there is no copies folder to be found.
  void begin(Direction direction, const std::filesystem::path& daeFolder);
  // Before the run changes anything, once CarpetaDAE is set: the safety copy
  // of every file its direction may replace or delete in the work folder and
  // in CarpetaDAE. A copy that cannot be made throws
  // support::Error naming the copies folder, with nothing changed.
  void keepFiles();
  // The run goes on after it came to rest (the export's "Volver a Niveles
  // Estudios"); its copy still holds the files as they were before it.
  void resume();
  // The run has come to rest: its result code is its last line.
  void end();
  bool isOpen() const { return open_; }

  // Writes the lines added since the last write to the log file. A log that
  // cannot be written is passed over: the log never stops a run.
  void write() noexcept;

 private:
  run::Session& session_;
  Direction direction_ = Direction::Export;
  bool open_ = false;
};

}  // namespace converter
