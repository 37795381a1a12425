// Owners of Windows resources: one alias of the owner template per kind, so
// that every early return releases what was taken, in reverse order. The
// acquiring calls that need more than a value return their own owner
// (GetScopedDC, SelectScoped, InitializeCom, InitializeOle).
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <objbase.h>
#include <ole2.h>

#include "platform/scoped.h"

namespace ql {

// The closing calls, as functions whose address is a constant.
inline void CloseKernelHandle(HANDLE h) { CloseHandle(h); }
inline void CloseRegistryKey(HKEY key) { RegCloseKey(key); }
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DeleteMemoryDC(HDC dc) { DeleteDC(dc); }
inline void FreeGlobal(HGLOBAL block) { GlobalFree(block); }
inline void FreeBstr(BSTR text) { SysFreeString(text); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
// InternetCloseHandle: <wininet.h> cannot share a source with <winhttp.h>.
void CloseInternetHandle(void* handle);

// A kernel handle; both NULL and INVALID_HANDLE_VALUE mean none.
struct KernelHandleTraits {
  using Type = HANDLE;
  static constexpr HANDLE Invalid() { return nullptr; }
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
using ScopedHandle = Unique<KernelHandleTraits>;
using ScopedHKey = Unique<NullTraits<HKEY, CloseRegistryKey>>;
using ScopedInternet = Unique<NullTraits<void*, CloseInternetHandle>>;  // a WinINet HINTERNET
using ScopedHGlobal = Unique<NullTraits<HGLOBAL, FreeGlobal>>;
using ScopedIcon = Unique<NullTraits<HICON, DestroyIconHandle>>;
using ScopedBstr = Unique<NullTraits<BSTR, FreeBstr>>;
// A GDI object (brush, pen, font, bitmap, region).
template <class T>
using ScopedGdiObj = Unique<NullTraits<T, DeleteGdiObject>>;
// A DC of CreateCompatibleDC or CreateDC.
using ScopedDC = Unique<NullTraits<HDC, DeleteMemoryDC>>;

// A COM interface pointer (Release).
template <class T>
struct ComTraits {
  using Type = T*;
  static constexpr T* Invalid() { return nullptr; }
  static bool IsValid(T* p) { return p != nullptr; }
  static void Close(T* p) { p->Release(); }
};
template <class T>
using ScopedComPtr = Unique<ComTraits<T>>;
// For the void** out-parameters of CoCreateInstance and QueryInterface.
template <class T>
void** PutVoid(ScopedComPtr<T>& p) {
  return reinterpret_cast<void**>(p.Put());
}

// A VARIANT, cleared when it goes; an empty one (VT_EMPTY) holds nothing.
struct VariantTraits {
  using Type = VARIANT;
  static VARIANT Invalid() {
    VARIANT v{};
    v.vt = VT_EMPTY;
    return v;
  }
  static bool IsValid(const VARIANT& v) { return v.vt != VT_EMPTY; }
  static void Close(VARIANT v) { VariantClear(&v); }
};
using ScopedVariant = Unique<VariantTraits>;

// A DC of GetDC, given back with ReleaseDC to its window.
struct WindowDCTraits {
  using Type = HDC;
  HWND window = nullptr;
  static constexpr HDC Invalid() { return nullptr; }
  static bool IsValid(HDC dc) { return dc != nullptr; }
  void Close(HDC dc) const { ReleaseDC(window, dc); }
};
using ScopedWindowDC = Unique<WindowDCTraits>;
inline ScopedWindowDC GetScopedDC(HWND window) { return ScopedWindowDC(GetDC(window), WindowDCTraits{window}); }

// An object selected into a DC; the one it replaced is selected back.
struct SelectionTraits {
  using Type = HGDIOBJ;
  HDC dc = nullptr;
  static constexpr HGDIOBJ Invalid() { return nullptr; }
  static bool IsValid(HGDIOBJ old) { return old != nullptr && old != HGDI_ERROR; }
  void Close(HGDIOBJ old) const { SelectObject(dc, old); }
};
using ScopedSelection = Unique<SelectionTraits>;
inline ScopedSelection SelectScoped(HDC dc, HGDIOBJ object) {
  return ScopedSelection(SelectObject(dc, object), SelectionTraits{dc});
}

// COM on this thread for one scope: CoUninitialize only after a successful
// CoInitializeEx. A thread that already runs another apartment model
// (RPC_E_CHANGED_MODE) keeps it and can still use COM.
struct ComInitTraits {
  using Type = HRESULT;
  static constexpr HRESULT Invalid() { return CO_E_NOTINITIALIZED; }
  static bool IsValid(HRESULT hr) { return SUCCEEDED(hr); }
  static void Close(HRESULT) { CoUninitialize(); }
};
using ScopedComInit = Unique<ComInitTraits>;
inline ScopedComInit InitializeCom(DWORD model = COINIT_APARTMENTTHREADED) {
  return ScopedComInit(CoInitializeEx(nullptr, model));
}
inline bool ComUsable(const ScopedComInit& com) { return SUCCEEDED(com.Get()) || com.Get() == RPC_E_CHANGED_MODE; }

// OLE on this thread for one scope (what an embedded control needs beyond
// COM: drag and drop, the clipboard, in-place activation): OleUninitialize
// only after a successful OleInitialize.
struct OleInitTraits {
  using Type = HRESULT;
  static constexpr HRESULT Invalid() { return CO_E_NOTINITIALIZED; }
  static bool IsValid(HRESULT hr) { return SUCCEEDED(hr); }
  static void Close(HRESULT) { OleUninitialize(); }
};
using ScopedOleInit = Unique<OleInitTraits>;
inline ScopedOleInit InitializeOle() { return ScopedOleInit(OleInitialize(nullptr)); }

// A BSTR copy of a UTF-16 text (empty owner when the allocation fails).
inline ScopedBstr MakeBstr(const wchar_t* text, size_t length) {
  return ScopedBstr(SysAllocStringLen(text, static_cast<UINT>(length)));
}
inline ScopedBstr MakeBstr(const wchar_t* text) { return ScopedBstr(text ? SysAllocString(text) : nullptr); }

}  // namespace ql
