// What a builder of a timetabler input table reports to the step that runs
// the builders one after the other. A missing input is an expected outcome:
// the builder has already shown its message and set CodigoResultado to -1,
// and the next builder runs all the same. Every other failure is thrown as
// support::Error and ends the whole chain.
#pragma once

namespace timetabler_tables {

enum class BuildOutcome {
  Built,         // the table was built from its input
  InputMissing,  // the input file was missing (already reported)
};

}  // namespace timetabler_tables
