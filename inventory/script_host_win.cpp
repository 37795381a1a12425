// The script control: Language = "VBScript", AddCode, Eval("GetA()"). Every
// failed step leaves the result empty; the calls after it fail the same way.
#include "inventory/script_host_win.h"

#include "inventory/detection_deadline.h"
#include "platform/win_text.h"
#include "support/dispatch_call_win.h"

namespace ql {
namespace {

// Whether the VBScript engine itself can be created. Wine's script control
// crashes when its Language is set to an engine that cannot be created, so
// the language is set only where the engine is known to exist. Asked once
// per process, on a thread with COM set up.
bool VbscriptEngineExists() {
  static const bool exists = [] {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"VBScript", &clsid))) return false;
    ScopedComPtr<IUnknown> engine;
    return SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, PutVoid(engine)));
  }();
  return exists;
}

}  // namespace

ScriptControlHost::ScriptControlHost() : com_(InitializeCom(COINIT_APARTMENTTHREADED)) {
  if (!ComUsable(com_) || !VbscriptEngineExists() ||
      FAILED(CreateDispatchObject(L"MSScriptControl.ScriptControl", &control_)))
    return;
  // Hosts run on worker threads: no message box and no "go on running the
  // script?" prompt of the engine, and no script outlasts the detection.
  PutProperty(control_.Get(), L"AllowUI", BoolArg(false));
  PutProperty(control_.Get(), L"Timeout", IntArg(static_cast<int32_t>(kDetectionDeadlineMs)));
  ScopedBstr language = MakeBstr(L"VBScript");
  usable_ = SUCCEEDED(PutProperty(control_.Get(), L"Language", BstrArg(language.Get())));
}

// The control goes before the thread leaves COM.
ScriptControlHost::~ScriptControlHost() { control_.Reset(); }

bool ScriptControlHost::AddCode(std::string_view script) {
  if (!usable_) return false;
  std::wstring wide = Wide(script);
  ScopedBstr code = MakeBstr(wide.data(), wide.size());
  if (!code) return false;
  usable_ = SUCCEEDED(CallMethod(control_.Get(), L"AddCode", {BstrArg(code.Get())}, nullptr));
  return usable_;
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
