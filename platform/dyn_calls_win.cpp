#include "platform/dyn_calls_win.h"

namespace ql {
namespace {

// A function pointer from GetProcAddress: the cast is the documented use.
template <class F>
void Fill(F& slot, const wchar_t* module, const char* name) {
  slot = reinterpret_cast<F>(reinterpret_cast<void*>(FindDynCall(module, name)));
}

#define QL_DYN_CALL_FILL(name, result, arguments) Fill(table.name, module, #name);

}  // namespace

FARPROC FindDynCall(const wchar_t* module, const char* name) {
  HMODULE m = GetModuleHandleW(module);
  if (!m) m = LoadLibraryW(module);
  return m ? GetProcAddress(m, name) : nullptr;
}

const User32Table& User32Calls() {
  static const User32Table calls = [] {
    User32Table table;
    const wchar_t* module = L"user32.dll";
    QL_USER32_CALLS(QL_DYN_CALL_FILL)
    return table;
  }();
  return calls;
}

const ShcoreTable& ShcoreCalls() {
  static const ShcoreTable calls = [] {
    ShcoreTable table;
    const wchar_t* module = L"shcore.dll";
    QL_SHCORE_CALLS(QL_DYN_CALL_FILL)
    return table;
  }();
  return calls;
}

const Comctl32Table& Comctl32Calls() {
  static const Comctl32Table calls = [] {
    Comctl32Table table;
    const wchar_t* module = L"comctl32.dll";
    QL_COMCTL32_CALLS(QL_DYN_CALL_FILL)
    return table;
  }();
  return calls;
}

}  // namespace ql
