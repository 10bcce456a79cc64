// The DAE export of a small school written into a test's workspace, and the
// DAE records and texts the export's tests share.
#pragma once

#include <string>

#include "toolkit/workspace.h"

namespace dae_test {

// An hour-template header (59 characters) and a period record (15).
std::string templateHeader(const std::string& code, const std::string& name);
std::string periodRecord(const std::string& period, const std::string& day, const std::string& start,
                         const std::string& end, const std::string& breakMark = "N");

// Writes every file an export reads into the DAE folder: the nine code
// lists, the teachers file with the header of centre 012345 year 2024 and no
// teachers, two hour templates (A: two periods, PLANB: three), and empty
// rooms, groups and assignments files. The study levels are ESO and BACH.
void writeCompleteExport(const test_support::Workspace& workspace);

// The text of the carry-over question as RecordingDialogs records it.
std::string restoreQuestion();

}  // namespace dae_test
