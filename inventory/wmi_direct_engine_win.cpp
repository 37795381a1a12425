// The direct engine's WMI side: connection, query and objects, and the
// VARIANTs mapped to the values the record lines work with.
#include "inventory/wmi_direct_engine_win.h"

#include <wbemidl.h>

#include <memory>

#include "inventory/wmi_direct_engine.h"
#include "platform/win_text.h"
#include "support/dispatch_call_win.h"

namespace ql {
namespace {

void SetCallSecurity(IUnknown* proxy) {
  // The moniker's {impersonationLevel=impersonate}; a proxy-less (in-process)
  // object refuses the call, harmlessly.
  CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                    RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
}

ScopedComPtr<IWbemServices> ConnectCimv2() {
  ScopedComPtr<IWbemLocator> locator;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator, PutVoid(locator))))
    return {};
  ScopedBstr nameSpace = MakeBstr(L"root\\cimv2");
  ScopedComPtr<IWbemServices> services;
  if (FAILED(locator->ConnectServer(nameSpace.Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, services.Put())) ||
      !services)
    return {};
  SetCallSecurity(services.Get());
  return services;
}

// The query's objects, walked once and forwards as For Each walks them. Next
// waits as long as the script would.
class QueryCursor final : public WmiObjectCursor {
 public:
  explicit QueryCursor(ScopedComPtr<IEnumWbemClassObject> objects) : objects_(std::move(objects)) {}

  Step Next() override {
    current_.Reset();
    ULONG returned = 0;
    HRESULT hr = objects_->Next(WBEM_INFINITE, 1, current_.Put(), &returned);
    if (FAILED(hr)) return Step::Failed;
    return returned == 1 && current_ ? Step::Object : Step::End;
  }

  std::optional<ScriptValue> Property(std::string_view name) override {
    if (!current_) return std::nullopt;
    std::wstring wide = Wide(name);
    ScopedBstr wideName = MakeBstr(wide.data(), wide.size());
    ScopedVariant value;
    if (FAILED(current_->Get(wideName.Get(), 0, value.Put(), nullptr, nullptr))) return std::nullopt;
    return ScriptValueOf(value.Get());
  }

 private:
  ScopedComPtr<IEnumWbemClassObject> objects_;
  ScopedComPtr<IWbemClassObject> current_;
};

std::shared_ptr<const void> KeepVariant(const VARIANT& value) {
  auto kept = std::make_shared<ScopedVariant>();
  if (FAILED(VariantCopy(kept->Put(), const_cast<VARIANT*>(&value)))) return nullptr;
  return kept;
}

const VARIANT& KeptVariant(const ScriptValue& value) {
  return static_cast<const ScopedVariant*>(value.native.get())->Get();
}

// The result as the script control would hand it over: a value taken
// unchanged from WMI is that VARIANT, a concatenation a BSTR.
void ToVariant(const ScriptValue& value, VARIANT* out) {
  VariantInit(out);
  if (value.native) {
    VariantCopy(out, const_cast<VARIANT*>(&KeptVariant(value)));
    return;
  }
  switch (value.kind) {
    case ScriptValue::Kind::Null: out->vt = VT_NULL; return;
    case ScriptValue::Kind::Text: {
      std::wstring wide = Wide(value.text);
      out->bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
      if (out->bstrVal) out->vt = VT_BSTR;
      return;
    }
    default: return;  // Empty (concatenation makes nothing else)
  }
}

// What the system's own "&" makes of a value and "".
std::string SystemConcatenation(const VARIANT& value) {
  ScopedBstr nothing = MakeBstr(L"");
  VARIANT empty = BstrArg(nothing.Get());
  ScopedVariant joined;
  if (FAILED(VarCat(const_cast<VARIANT*>(&value), &empty, joined.Put())) || joined->vt != VT_BSTR || !joined->bstrVal)
    return {};
  return Gbk(std::wstring_view(joined->bstrVal, SysStringLen(joined->bstrVal)));
}

}  // namespace

ScriptValue ScriptValueOf(const VARIANT& v) {
  ScriptValue out;
  using Kind = ScriptValue::Kind;
  if (v.vt & VT_ARRAY) {
    out = ScriptValue::OfKind(Kind::Array);
  } else {
    switch (v.vt) {
      case VT_EMPTY: out = ScriptValue::OfKind(Kind::Empty); break;
      case VT_NULL: out = ScriptValue::OfNull(); break;
      case VT_BOOL: out = ScriptValue::OfBoolean(v.boolVal != VARIANT_FALSE); break;
      case VT_I1: out = ScriptValue::OfInteger(v.cVal); break;
      case VT_I2: out = ScriptValue::OfInteger(v.iVal); break;
      case VT_I4: out = ScriptValue::OfInteger(v.lVal); break;
      case VT_INT: out = ScriptValue::OfInteger(v.intVal); break;
      case VT_I8: out = ScriptValue::OfInteger(v.llVal); break;
      case VT_UI1: out = ScriptValue::OfInteger(v.bVal); break;
      case VT_UI2: out = ScriptValue::OfInteger(v.uiVal); break;
      case VT_UI4: out = ScriptValue::OfInteger(v.ulVal); break;
      case VT_UINT: out = ScriptValue::OfInteger(v.uintVal); break;
      case VT_UI8: out = ScriptValue::OfUnsigned(v.ullVal); break;
      case VT_R4: out = ScriptValue::OfSingle(v.fltVal); break;
      case VT_R8: out = ScriptValue::OfDouble(v.dblVal); break;
      case VT_BSTR:
        out =
            ScriptValue::OfText(v.bstrVal ? Gbk(std::wstring_view(v.bstrVal, SysStringLen(v.bstrVal))) : std::string());
        break;
      // WMI delivers none of these; the system writes them (with its date
      // and currency formats) as "&" would.
      case VT_CY:
      case VT_DATE:
      case VT_DECIMAL: out = ScriptValue::OfText(SystemConcatenation(v)); break;
      default: out = ScriptValue::OfKind(Kind::Other); break;
    }
  }
  out.native = KeepVariant(v);
  return out;
}

const ConcatStyle& SystemConcatStyle() {
  static const ConcatStyle style = [] {
    ConcatStyle s;
    std::string yes = SystemConcatenation(BoolArg(true));
    std::string no = SystemConcatenation(BoolArg(false));
    if (!yes.empty() && !no.empty()) {
      s.trueText = yes;
      s.falseText = no;
    }
    VARIANT half;
    VariantInit(&half);
    half.vt = VT_R8;
    half.dblVal = 1.5;
    std::string fraction = SystemConcatenation(half);  // "1.5", "1,5", ...
    if (fraction.size() > 2 && fraction.front() == '1' && fraction.back() == '5')
      s.decimalSeparator = fraction.substr(1, fraction.size() - 2);
    return s;
  }();
  return style;
}

DirectWmiHost::DirectWmiHost() : com_(InitializeCom(COINIT_APARTMENTTHREADED)) {}

bool DirectWmiHost::Evaluate(const WmiQueryShape& shape, VARIANT* result) {
  if (!ComUsable(com_)) return false;
  ScopedComPtr<IWbemServices> services = ConnectCimv2();
  if (!services) return false;
  ScopedBstr language = MakeBstr(L"WQL");
  std::wstring wql = Wide(WmiQueryText(shape));
  ScopedBstr query = MakeBstr(wql.data(), wql.size());
  ScopedComPtr<IEnumWbemClassObject> objects;
  if (FAILED(services->ExecQuery(language.Get(), query.Get(), WBEM_FLAG_RETURN_IMMEDIATELY | WBEM_FLAG_FORWARD_ONLY,
                                 nullptr, objects.Put())) ||
      !objects)
    return false;
  SetCallSecurity(objects.Get());
  QueryCursor cursor(std::move(objects));
  std::optional<ScriptValue> value = EvaluateQueryShape(shape, cursor, SystemConcatStyle());
  if (!value) return false;
  ToVariant(*value, result);
  return true;
}

std::string DirectWmiHost::EvaluateShapeText(const WmiQueryShape& shape) {
  ScopedVariant result;
  return Evaluate(shape, result.Put()) ? VariantToGbk(result.Get()) : std::string();
}

double DirectWmiHost::EvaluateShapeFirstNumber(const WmiQueryShape& shape) {
  ScopedVariant result;
  return Evaluate(shape, result.Put()) ? VariantToDouble(result.Get()) : 0;
}

std::string DirectWmiHost::EvaluateText(std::string_view script) {
  const WmiQueryShape* shape = FindDetectorQueryShape(script);
  return shape ? EvaluateShapeText(*shape) : std::string();
}

double DirectWmiHost::EvaluateFirstNumber(std::string_view script) {
  const WmiQueryShape* shape = FindDetectorQueryShape(script);
  return shape ? EvaluateShapeFirstNumber(*shape) : 0;
}

// Each evaluation stands alone; the later GetA simply is another query.
std::string DirectWmiHost::EvaluateAgain(std::string_view script) { return EvaluateText(script); }

std::unique_ptr<ScriptHost> DirectWmiFactory::OpenHost() { return std::make_unique<DirectWmiHost>(); }

ScriptHostFactory& DirectWmiHosts() {
  static DirectWmiFactory factory;
  return factory;
}

}  // namespace ql
