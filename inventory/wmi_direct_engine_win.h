// The query scripts evaluated straight through the WMI COM interfaces
// (locator, ConnectServer, ExecQuery, Get), for machines where the script
// control or its VBScript engine cannot be created. A host gives, byte for
// byte, what the script control would give for the same query script.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "inventory/script_host.h"
#include "inventory/script_value.h"
#include "inventory/wmi_query_script.h"
#include "platform/scoped_win.h"

namespace ql {

// Every evaluation opens its own WMI connection, as every script does. The
// host keeps COM initialised on its thread for its life (as the script
// control host does) and belongs to that thread. It evaluates the
// detectors' query scripts; any other script text gives "" (or 0).
class DirectWmiHost final : public ScriptHost {
 public:
  DirectWmiHost();
  ~DirectWmiHost() override = default;
  DirectWmiHost(const DirectWmiHost&) = delete;
  DirectWmiHost& operator=(const DirectWmiHost&) = delete;

  std::string EvaluateText(std::string_view script) override;
  double EvaluateFirstNumber(std::string_view script) override;
  std::string EvaluateAgain(std::string_view script) override;

  // Any shape, not only the detectors' (the script would be BuildWmiQueryScript(shape)).
  std::string EvaluateShapeText(const WmiQueryShape& shape);
  double EvaluateShapeFirstNumber(const WmiQueryShape& shape);

 private:
  // What GetA() would return, as a VARIANT; false where the script fails.
  bool Evaluate(const WmiQueryShape& shape, VARIANT* result);

  ScopedComInit com_;
};

class DirectWmiFactory final : public ScriptHostFactory {
 public:
  std::unique_ptr<ScriptHost> OpenHost() override;
};

ScriptHostFactory& DirectWmiHosts();

// A WMI property value as the script sees it (the VARIANT is kept beside it).
ScriptValue ScriptValueOf(const VARIANT& value);
// This system's words and separator for "&", read once from its own
// concatenation (VarCat).
const ConcatStyle& SystemConcatStyle();

}  // namespace ql
