// Which engine evaluates the detectors' query scripts on this machine: the
// script control where it and its VBScript engine can be created, otherwise
// the direct WMI engine, which needs neither. Decided on first use, once per
// process.
#pragma once

#include "inventory/script_host.h"

namespace ql {

ScriptHostFactory& QueryScriptHosts();
// The first-use probe: a script control that accepts the VBScript language.
bool ScriptControlRunsVbscript();

}  // namespace ql
