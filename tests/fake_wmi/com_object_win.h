// Small pieces shared by the provider's COM objects: the module's object
// count (for DllCanUnloadNow), their counted base, a lock, UTF-8 and
// UTF-16 conversion, and a guard that keeps exceptions inside the DLL.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <string>
#include <string_view>

#include "platform/com_object_win.h"

namespace fakewmi {

// Live objects plus IClassFactory::LockServer locks.
void ModuleAddRef();
void ModuleRelease();
bool ModuleInUse();

// The provider's objects: IUnknown from the program's own base, plus the
// module's object count while they live.
template <class Derived, class... Interfaces>
class ComObject : public ql::ComObject<Derived, Interfaces...> {
 public:
  ComObject() { ModuleAddRef(); }

 protected:
  ~ComObject() { ModuleRelease(); }
};

// An exclusive hold on an SRW lock for one scope.
class LockHold {
 public:
  explicit LockHold(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
  LockHold(const LockHold&) = delete;
  LockHold& operator=(const LockHold&) = delete;
  ~LockHold() { ReleaseSRWLockExclusive(&lock_); }

 private:
  SRWLOCK& lock_;
};

std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);
// The text of a string argument up to its NUL, so that callers passing a
// plain wide string where a BSTR belongs still work; null is the empty text.
std::string ArgumentUtf8(const wchar_t* text);

// Runs `body` and turns any exception (in practice bad_alloc) into an
// HRESULT: nothing thrown may cross a COM call.
template <class F>
HRESULT Guarded(F body) noexcept {
  try {
    return body();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

// One line on the process's standard error (if it has one).
void WriteErrorLine(std::string_view utf8Line);

}  // namespace fakewmi
