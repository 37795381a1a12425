// Small pieces shared by the provider's COM objects: the module's object
// count (for DllCanUnloadNow), a reference-counted base, a lock, UTF-8 and
// UTF-16 conversion, and a guard that keeps exceptions inside the DLL.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <string>
#include <string_view>

namespace fakewmi {

// Live objects plus IClassFactory::LockServer locks.
void ModuleAddRef();
void ModuleRelease();
bool ModuleInUse();

// COM objects end through Release, never through a pointer to an interface,
// whose destructors are not virtual.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// IUnknown for one interface. Derived is the final class (deleted as such).
template <class Derived, class Interface>
class ComObject : public Interface {
 public:
  ComObject() { ModuleAddRef(); }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete static_cast<Derived*>(this);
    return left;
  }

 protected:
  ~ComObject() { ModuleRelease(); }

 private:
  std::atomic<ULONG> refs_{1};
};

#pragma GCC diagnostic pop

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
