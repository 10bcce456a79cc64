// How every flow command of the batch front end ends: an error that stopped
// the run goes to standard error, and the last line on standard output is
// always "CodigoResultado=N". With --verbose, each line of the run log is
// printed on standard output too, as the run adds it.
#pragma once

#include <functional>

#include "run/session.h"

namespace cli {

// Runs run(session); its status is returned, or kExitError when it threw.
int runWithResultLine(bool verbose, const std::function<int(run::Session&)>& run);

// Prints each line the run log gets on standard output (--verbose).
void echoRunLog(run::RunLog& log);

}  // namespace cli
