// `transorvaldae-cli import`: the import from the host's timetable to the DAE
// timetable file "fCUADROS.txt" in the DAE folder, run through the same panel
// flow as the window, with every answer the user would give taken from the
// options. The class hours are accepted as built; the centre data typed on
// the centre panel come from --centre; in the coding editor the documents of
// --documents are typed, then "&Terminar" is pressed, and a teacher still
// without a document gets the answer No. Every message the window would show
// is printed on standard output, one per line, in order; the last line is
// "CodigoResultado=N". Exit status: 0 when the run reached "Proceso
// finalizado"; 3 when it ended with "!!ATENCIÓN!! El Proceso NO ha finalizado
// Correctamente" or stopped before the import (a missing folder, incomplete
// centre data); 1 when an error stopped it (its text on standard error); 2
// for a usage error.
#pragma once

#include <string>
#include <vector>

// args: the arguments after the word "import".
int runImportCommand(const std::vector<std::string>& args);
