#pragma once
// The end of every run of the tool's programs: what was written to the standard
// output must have reached it.

namespace pryx::cli {

// The status to exit with once everything written to the standard output has reached
// it: a full disk or a closed pipe there is a failure like any other write's.
int afterOutputFlushed(int status);

}  // namespace pryx::cli
