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
// used and destroyed on the thread that created it.
class ScriptControlHost final : public ScriptHost {
 public:
  ScriptControlHost();
  ~ScriptControlHost() override;
  ScriptControlHost(const ScriptControlHost&) = delete;
  ScriptControlHost& operator=(const ScriptControlHost&) = delete;

  bool Created() const { return static_cast<bool>(control_); }
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
};

class ScriptControlFactory final : public ScriptHostFactory {
 public:
  std::unique_ptr<ScriptHost> OpenHost() override;
};

// The factory the detection run hands to the detectors.
ScriptHostFactory& ScriptControlHosts();

}  // namespace ql
