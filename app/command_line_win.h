// The options of the program's command line, handled before anything of the
// window starts.
#pragma once

namespace ql {

// Returns when the command line asks for the window (no "--" option);
// otherwise runs the option, or refuses a bad command line with a one-line
// message, and ends the process with its exit code (0, or 2 when refused).
void HandleCommandLineOptions();

}  // namespace ql
