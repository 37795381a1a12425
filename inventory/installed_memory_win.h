// The installed physical memory in whole gigabytes, as Windows reports it.
#pragma once

#include <string>

namespace ql {

// "16GB"; "0GB" when the system does not answer.
std::string InstalledMemoryText();

}  // namespace ql
