// `host-stub launch importar|exportar [CONVERTER]`: does what the host does to
// run the window converter. It opens a host window, starts the converter
// (default: the transorvaldae of this build) with the direction and the host
// window's handle in hexadecimal, prints "host-window=HANDLE", waits for the
// converter to end, and prints the result the converter wrote into
// Orvalin.ini beside its executable as "Transformado=N". Exit status 0 when a
// result was written; 1 when the converter could not run or wrote none.
// Builds without a window system (no Qt, not Windows) have the command but
// report that it is unavailable.
#pragma once

#include <string>
#include <vector>

namespace host_stub {

int runLaunchCommand(const std::vector<std::string>& args);

}  // namespace host_stub
