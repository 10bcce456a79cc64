#include "cli/result_line.h"

#include <exception>
#include <iostream>

#include "cli/exit_status.h"

namespace cli {

void echoRunLog(run::RunLog& log) {
  log.echo = [](const std::string& line) { std::cout << line << '\n'; };
}

int runWithResultLine(bool verbose, const std::function<int(run::Session&)>& run) {
  run::Session session;
  if (verbose) echoRunLog(session.log);
  int status = kExitError;
  try {
    status = run(session);
  } catch (const std::exception& error) {
    // Printed here rather than by main so that the result line still comes last.
    std::cout.flush();
    std::cerr << error.what() << '\n';
  }
  std::cout << "CodigoResultado=" << session.CodigoResultado << '\n';
  return status;
}

}  // namespace cli
