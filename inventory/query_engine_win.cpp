// The engine choice: one probe of the script control per process.
#include "inventory/query_engine_win.h"

#include "inventory/script_host_win.h"
#include "inventory/wmi_direct_engine_win.h"

namespace ql {

bool ScriptControlRunsVbscript() {
  static const bool runs = [] {
    ScriptControlHost probe;  // sets COM up on this thread for the probe
    return probe.Created();
  }();
  return runs;
}

ScriptHostFactory& QueryScriptHosts() { return ScriptControlRunsVbscript() ? ScriptControlHosts() : DirectWmiHosts(); }

}  // namespace ql
