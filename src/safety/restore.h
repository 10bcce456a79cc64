// Undoing a run from its safety copy: the files kept in the copy go back
// where they were, each replacing the present one at once, and the files
// that were not there before the run are removed. Everything is checked
// before anything changes, and what the restore replaces gets a safety copy
// of its own, so that a restore can be undone like a run.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "safety/safety_copy.h"

namespace safety {

struct RestoreResult {
  // Not empty when the restore was refused, with nothing changed: why, for
  // the user (a file held by another program, a copy that is not whole, a
  // folder that no longer exists).
  std::string refusal;
  StoredCopy ownCopy;                 // of the files as they were before the restore
  std::vector<std::string> restored;  // the files put back, as paths for messages
  std::vector<std::string> removed;   // the files the run had created
};

// Restores copy (one of copiesOf(copiesFolder, ...)), then keeps only the
// newest copies. Throws support::Error when a file cannot be read or written:
// before the first file is replaced nothing has changed; after it, the
// message names the restore's own copy, which holds what was there.
RestoreResult restoreCopy(const std::filesystem::path& copiesFolder, const StoredCopy& copy);

}  // namespace safety
