// The program's command line: only arguments that begin with "--" are
// options; everything else (a file dropped on the icon, say) is ignored and
// the window starts as it always has.
#pragma once

#include <string>
#include <vector>

namespace ql {

enum class CommandMode { Window, Report, ExportMachine, Bad };

struct CommandLine {
  CommandMode mode = CommandMode::Window;
  std::u16string file;  // the FILE of --report / --export-machine; u"-" is the console
  std::string message;  // GBK, one line, for CommandMode::Bad
};

inline constexpr int kBadCommandLineExitCode = 2;

// `arguments` without the program's own name.
CommandLine ParseCommandLine(const std::vector<std::u16string>& arguments);

// The one-line message for a FILE that cannot be written.
std::string UnwritableFileMessage(const std::u16string& file);

}  // namespace ql
