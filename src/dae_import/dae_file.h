// Reading a DAE export file: only its first line is used, and that line is
// one run of fixed-length records with nothing between them. Nothing here
// can fail on content: short records give short or empty fields. A missing
// input is an expected outcome: readDaeInput and requireDaeInput show the
// file's own message, set CodigoResultado to -1 and leave every table as it
// was, so the caller just stops.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "run/forward.h"

namespace dae_import {

// The first line of the file daeFolder + fileName (name matched without regard
// to case), or nullopt when there is no such file. The line ends at the first
// line feed (a carriage return just before it is not part of it), at a Ctrl-Z
// or at the end of the file; a bare carriage return is dropped. A file that
// exists but cannot be read throws support::Error naming it.
std::optional<std::string> readDaeLine(const std::string& daeFolder, std::string_view fileName);

// True when daeFolder + fileName exists (name matched without regard to case).
bool daeFileExists(const std::string& daeFolder, std::string_view fileName);

// The first line of session.CarpetaDAE + fileName. When the file is missing:
// dialogs shows missingMessage, CodigoResultado becomes -1, nullopt.
std::optional<std::string> readDaeInput(run::Session& session, run::Dialogs& dialogs,
                                        std::string_view fileName, const std::string& missingMessage);

// Only the presence test of readDaeInput, for a builder whose data come from
// tables loaded earlier: true when the file exists, else the same report.
bool requireDaeInput(run::Session& session, run::Dialogs& dialogs, std::string_view fileName,
                     const std::string& missingMessage);

// Calls handler for each record of length recordLength, the first starting at
// the 1-based position start; the last record holds what is left of the line.
void forEachRecord(std::string_view line, int start, int recordLength,
                   const std::function<void(std::string_view record)>& handler);

// The field at the 1-based position start, at most width characters; shorter
// or empty when the record ends inside or before it. Not trimmed.
std::string cutField(std::string_view record, int start, int width);

}  // namespace dae_import
