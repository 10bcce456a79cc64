// The exit statuses of transorvaldae-cli, named once.
#pragma once

namespace cli {

enum ExitStatus : int {
  // The run reached "Proceso finalizado" with CodigoResultado 1; for check,
  // the table and its index are sound.
  kExitFinished = 0,
  // An error reached the handler; its text is on standard error.
  kExitError = 1,
  // The command line is wrong; the usage is on standard error.
  kExitUsage = 2,
  // The run ended with CodigoResultado -1, without the DAE timetable file, or
  // stopped at a message that ends the step; for check, the table has
  // problems.
  kExitStopped = 3,
};

}  // namespace cli
