// How every flow command of the batch front end ends: an error that stopped
// the run goes to standard error, and the last line on standard output is
// always "CodigoResultado=N".
#pragma once

#include <functional>

#include "run/session.h"

namespace cli {

// Runs run(session); its status is returned, or kExitError when it threw.
int runWithResultLine(const std::function<int(run::Session&)>& run);

}  // namespace cli
