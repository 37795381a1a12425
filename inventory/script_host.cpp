// One-shot evaluations: a host is created for its evaluation and released.
#include "inventory/script_host.h"

namespace ql {

std::string EvaluateTextOnce(ScriptHostFactory& hosts, std::string_view script) {
  std::unique_ptr<ScriptHost> host = hosts.OpenHost();
  return host ? host->EvaluateText(script) : std::string();
}

double EvaluateFirstNumberOnce(ScriptHostFactory& hosts, std::string_view script) {
  std::unique_ptr<ScriptHost> host = hosts.OpenHost();
  return host ? host->EvaluateFirstNumber(script) : 0;
}

}  // namespace ql
