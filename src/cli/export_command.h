// `transorvaldae-cli export`: the export from a DAE folder to the timetabler's
// tables, run through the same panel flow as the window, with every answer
// the user would give taken from the options. Every message the window would
// show is printed on standard output, one per line, in order; the last line
// is "CodigoResultado=N". Exit status: 0 when the run reached "Proceso
// finalizado" with CodigoResultado 1; 3 when it ended with CodigoResultado -1
// or stopped at a message that ends the step; 1 when an error stopped it (its
// text on standard error); 2 for a usage error.
#pragma once

#include <string>
#include <vector>

// args: the arguments after the word "export".
int runExportCommand(const std::vector<std::string>& args);
