// The script control: Language = "VBScript", AddCode, Eval("GetA()"). Every
// failed step leaves the result empty; the calls after it fail the same way.
#include "inventory/script_host_win.h"

#include "platform/win_text.h"
#include "support/dispatch_call_win.h"

namespace ql {

ScriptControlHost::ScriptControlHost() : com_(InitializeCom(COINIT_APARTMENTTHREADED)) {
  if (!ComUsable(com_) || FAILED(CreateDispatchObject(L"MSScriptControl.ScriptControl", &control_))) return;
  ScopedBstr language = MakeBstr(L"VBScript");
  PutProperty(control_.Get(), L"Language", BstrArg(language.Get()));
}

// The control goes before the thread leaves COM.
ScriptControlHost::~ScriptControlHost() { control_.Reset(); }

bool ScriptControlHost::AddCode(std::string_view script) {
  if (!control_) return false;
  std::wstring wide = Wide(script);
  ScopedBstr code = MakeBstr(wide.data(), wide.size());
  return code.Get() && SUCCEEDED(CallMethod(control_.Get(), L"AddCode", {BstrArg(code.Get())}, nullptr));
}

bool ScriptControlHost::Evaluate(std::string_view script, VARIANT* result) {
  if (!AddCode(script)) return false;
  ScopedBstr expression = MakeBstr(L"GetA()");
  return SUCCEEDED(CallMethod(control_.Get(), L"Eval", {BstrArg(expression.Get())}, result));
}

std::string ScriptControlHost::EvaluateText(std::string_view script) {
  ScopedVariant result;
  return Evaluate(script, result.Put()) ? VariantToGbk(result.Get()) : std::string();
}

double ScriptControlHost::EvaluateFirstNumber(std::string_view script) {
  ScopedVariant result;
  return Evaluate(script, result.Put()) ? VariantToDouble(result.Get()) : 0;
}

std::string ScriptControlHost::EvaluateAgain(std::string_view script) { return EvaluateText(script); }

std::unique_ptr<ScriptHost> ScriptControlFactory::OpenHost() { return std::make_unique<ScriptControlHost>(); }

ScriptHostFactory& ScriptControlHosts() {
  static ScriptControlFactory factory;
  return factory;
}

}  // namespace ql
