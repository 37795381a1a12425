// The Windows engine: the system's "VBScript.RegExp" through IDispatch by
// name. The object and its match collection live as long as the last
// RegexObject that shares them; texts cross as UTF-16 converted from GBK.
#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "support/dispatch_call_win.h"
#include "support/regex_engine.h"

namespace ql {
namespace {

class VbScriptRun final : public RegexRun {
 public:
  VbScriptRun(ScopedComPtr<IDispatch> engine, ScopedComPtr<IDispatch> matches)
      : engine_(std::move(engine)), matches_(std::move(matches)) {}

  std::string Pattern() const override {
    ScopedVariant value;
    if (FAILED(GetProperty(engine_.Get(), L"Pattern", value.Put()))) return {};
    return VariantToGbk(value.Get());
  }

  int32_t MatchCount() const override { return CountOf(matches_.Get()); }

  std::string MatchText(int32_t match) const override {
    ScopedComPtr<IDispatch> item = Item(matches_.Get(), match);
    ScopedVariant value;
    if (!item || FAILED(GetProperty(item.Get(), L"Value", value.Put()))) return {};
    return VariantToGbk(value.Get());
  }

  int32_t SubMatchCount(int32_t match) const override { return CountOf(SubMatches(match).Get()); }

  std::string SubMatchText(int32_t match, int32_t sub) const override {
    ScopedComPtr<IDispatch> subs = SubMatches(match);
    ScopedVariant value;
    if (!subs || FAILED(CallMethod(subs.Get(), L"Item", {IntArg(sub)}, value.Put()))) return {};
    return VariantToGbk(value.Get());
  }

  std::string Replace(std::string_view subject, std::string_view replacement) const override {
    std::wstring subjectWide = Wide(subject), replacementWide = Wide(replacement);
    ScopedBstr source = MakeBstr(subjectWide.data(), subjectWide.size());
    ScopedBstr with = MakeBstr(replacementWide.data(), replacementWide.size());
    ScopedVariant value;
    if (!source.Get() || !with.Get() ||
        FAILED(CallMethod(engine_.Get(), L"Replace", {BstrArg(source.Get()), BstrArg(with.Get())}, value.Put())))
      return {};
    return VariantToGbk(value.Get());
  }

 private:
  static ScopedComPtr<IDispatch> AsDispatch(const VARIANT& v) {
    ScopedComPtr<IDispatch> out;
    if (v.vt == VT_DISPATCH && v.pdispVal) {
      v.pdispVal->AddRef();
      out.Reset(v.pdispVal);
    }
    return out;
  }

  static int32_t CountOf(IDispatch* collection) {
    ScopedVariant value;
    if (!collection || FAILED(GetProperty(collection, L"Count", value.Put()))) return 0;
    double n = VariantToDouble(value.Get());
    return n > 0 && n < 2147483647.0 ? static_cast<int32_t>(n) : 0;
  }

  static ScopedComPtr<IDispatch> Item(IDispatch* collection, int32_t index) {
    ScopedVariant value;
    if (!collection || FAILED(CallMethod(collection, L"Item", {IntArg(index)}, value.Put()))) return {};
    return AsDispatch(value.Get());
  }

  ScopedComPtr<IDispatch> SubMatches(int32_t match) const {
    ScopedComPtr<IDispatch> item = Item(matches_.Get(), match);
    ScopedVariant value;
    if (!item || FAILED(GetProperty(item.Get(), L"SubMatches", value.Put()))) return {};
    return AsDispatch(value.Get());
  }

  ScopedComPtr<IDispatch> engine_;
  ScopedComPtr<IDispatch> matches_;
};

}  // namespace

std::shared_ptr<const RegexRun> ExecuteRegex(std::string_view pattern, std::string_view subject,
                                             const RegexOptions& options) {
  ScopedComPtr<IDispatch> engine;
  if (FAILED(CreateDispatchObject(L"VBScript.RegExp", &engine))) return nullptr;
  PutProperty(engine.Get(), L"IgnoreCase", BoolArg(!options.caseSensitive));
  PutProperty(engine.Get(), L"Multiline", BoolArg(options.multiline));
  PutProperty(engine.Get(), L"Global", BoolArg(options.global));
  std::wstring patternWide = Wide(pattern), subjectWide = Wide(subject);
  ScopedBstr patternText = MakeBstr(patternWide.data(), patternWide.size());
  ScopedBstr subjectText = MakeBstr(subjectWide.data(), subjectWide.size());
  if (!patternText.Get() || !subjectText.Get()) return nullptr;
  if (FAILED(PutProperty(engine.Get(), L"Pattern", BstrArg(patternText.Get())))) return nullptr;
  ScopedVariant result;
  if (FAILED(CallMethod(engine.Get(), L"Execute", {BstrArg(subjectText.Get())}, result.Put())) ||
      result->vt != VT_DISPATCH || !result->pdispVal)
    return nullptr;
  IDispatch* collection = result->pdispVal;
  collection->AddRef();
  return std::make_shared<VbScriptRun>(std::move(engine), ScopedComPtr<IDispatch>(collection));
}

bool EnterRegexThread() { return SUCCEEDED(CoInitialize(nullptr)); }
void LeaveRegexThread() { CoUninitialize(); }

}  // namespace ql
