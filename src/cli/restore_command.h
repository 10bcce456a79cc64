// `transorvaldae-cli restore`: undoing a run from its safety copy. Without
// --copy it takes the newest copy made for the work folder; --list lists the
// copies instead (date, operation, files). The files kept in the copy go
// back, each replacing the present one at once, and the files the run
// created are removed; a file held by another program refuses the restore
// before anything changes. What the restore replaces gets a safety copy of
// its own. The lines of the run log go to the log file too (and, with
// --verbose, to standard output).
// Exit status: 0 restored (or listed); 3 refused, or no such copy; 1 an
// error (its text on standard error); 2 a usage error.
#pragma once

#include <string>
#include <vector>

// args: the arguments after the word "restore".
int runRestoreCommand(const std::vector<std::string>& args);
