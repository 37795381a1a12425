// Starting programs, documents, folders and web pages through the shell.
#pragma once

#include <string_view>

#include "launcher/launch_table.h"

namespace ql {

// target is a GBK text; it reaches the shell as UTF-16 converted with code
// page 936, so Chinese paths survive on any system language. The result is
// ignored and nothing is shown on failure.
void LaunchFile(std::string_view target, LaunchMode mode);
// Opens an address; the owner is the top-level window titled
// "Microsoft Internet Explorer" when there is one.
void OpenLink(std::string_view address);
// LaunchFile(programDir + relativeTarget, mode).
void LaunchPackageFile(std::string_view relativeTarget, LaunchMode mode);
// The handler of "工具目录": opens toolsDir in the shell's file browser.
void OpenToolsDirectory();

}  // namespace ql
