// The script host over the system's "MSScriptControl.ScriptControl",
// driven through IDispatch by name with the VBScript language.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "inventory/script_host.h"
#include "platform/scoped_win.h"

namespace ql {

// One script control instance, created with the host and released with it.
// The host keeps COM initialised (single-threaded apartment) on its thread
// for its life, so it works on a thread that did not set COM up; it must be
// used and destroyed on the thread that created it. A control whose VBScript
// engine could not be set up, or whose AddCode failed, is left alone: no
// further call reaches it (the script control may crash on one) and every
// evaluation gives "".
class ScriptControlHost final : public ScriptHost {
 public:
  ScriptControlHost();
  ~ScriptControlHost() override;
  ScriptControlHost(const ScriptControlHost&) = delete;
  ScriptControlHost& operator=(const ScriptControlHost&) = delete;

  // The control exists and runs VBScript.
  bool Created() const { return usable_; }
  // "AddCode": true when the script compiled and its top level ran.
  bool AddCode(std::string_view script);
  std::string EvaluateText(std::string_view script) override;
  double EvaluateFirstNumber(std::string_view script) override;
  std::string EvaluateAgain(std::string_view script) override;

 private:
  // AddCode(script), then Eval("GetA()") into `result`.
  bool Evaluate(std::string_view script, VARIANT* result);

  ScopedComInit com_;
  ScopedComPtr<IDispatch> control_;
  bool usable_ = false;
};

class ScriptControlFactory final : public ScriptHostFactory {
 public:
  std::unique_ptr<ScriptHost> OpenHost() override;
};

// One script control per host (the detection run chooses its engine in
// query_engine_win.h).
ScriptHostFactory& ScriptControlHosts();

}  // namespace ql
