// One-shot evaluations (a host is created for its evaluation and released),
// and the hosts whose every evaluation fails.
#include "inventory/script_host.h"

namespace ql {
namespace {

class FailingHost final : public ScriptHost {
 public:
  std::string EvaluateText(std::string_view) override { return {}; }
  double EvaluateFirstNumber(std::string_view) override { return 0; }
  std::string EvaluateAgain(std::string_view) override { return {}; }
};

class FailingFactory final : public ScriptHostFactory {
 public:
  std::unique_ptr<ScriptHost> OpenHost() override { return std::make_unique<FailingHost>(); }
};

}  // namespace

ScriptHostFactory& FailingScriptHosts() {
  static FailingFactory factory;
  return factory;
}

std::string EvaluateTextOnce(ScriptHostFactory& hosts, std::string_view script) {
  std::unique_ptr<ScriptHost> host = hosts.OpenHost();
  return host ? host->EvaluateText(script) : std::string();
}

double EvaluateFirstNumberOnce(ScriptHostFactory& hosts, std::string_view script) {
  std::unique_ptr<ScriptHost> host = hosts.OpenHost();
  return host ? host->EvaluateFirstNumber(script) : 0;
}

}  // namespace ql
