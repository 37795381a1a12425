// Owning wrappers for Windows resources: one type per kind of resource, so
// that every early return releases what was taken, in reverse order.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <objbase.h>

#include <utility>

namespace ql {

// A kernel handle (CloseHandle); both NULL and INVALID_HANDLE_VALUE mean none.
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE h) : h_(h) {}
  ScopedHandle(ScopedHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  ScopedHandle& operator=(ScopedHandle&& o) noexcept {
    if (this != &o) Reset(std::exchange(o.h_, nullptr));
    return *this;
  }
  ~ScopedHandle() { Reset(); }
  void Reset(HANDLE h = nullptr) {
    if (Valid()) CloseHandle(h_);
    h_ = h;
  }
  bool Valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  HANDLE Release() { return std::exchange(h_, nullptr); }

 private:
  HANDLE h_ = nullptr;
};

// A COM interface pointer (Release).
template <class T>
class ScopedComPtr {
 public:
  ScopedComPtr() = default;
  explicit ScopedComPtr(T* p) : p_(p) {}
  ScopedComPtr(const ScopedComPtr&) = delete;
  ScopedComPtr& operator=(const ScopedComPtr&) = delete;
  ScopedComPtr(ScopedComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ScopedComPtr& operator=(ScopedComPtr&& o) noexcept {
    if (this != &o) Reset(std::exchange(o.p_, nullptr));
    return *this;
  }
  ~ScopedComPtr() { Reset(); }
  void Reset(T* p = nullptr) {
    if (p_) p_->Release();
    p_ = p;
  }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters: releases what is held first.
  T** Receive() {
    Reset();
    return &p_;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

 private:
  T* p_ = nullptr;
};

// A VARIANT that is cleared when it goes.
class ScopedVariant {
 public:
  ScopedVariant() { VariantInit(&v_); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
  ~ScopedVariant() { VariantClear(&v_); }
  VARIANT* Receive() {
    VariantClear(&v_);
    return &v_;
  }
  VARIANT* Get() { return &v_; }
  const VARIANT& operator*() const { return v_; }
  const VARIANT* operator->() const { return &v_; }

 private:
  VARIANT v_;
};

// A BSTR (SysFreeString).
class ScopedBstr {
 public:
  ScopedBstr() = default;
  explicit ScopedBstr(const wchar_t* text) : b_(text ? SysAllocString(text) : nullptr) {}
  ScopedBstr(const wchar_t* text, UINT length) : b_(SysAllocStringLen(text, length)) {}
  ScopedBstr(const ScopedBstr&) = delete;
  ScopedBstr& operator=(const ScopedBstr&) = delete;
  ~ScopedBstr() { SysFreeString(b_); }
  BSTR Get() const { return b_; }
  BSTR* Receive() {
    SysFreeString(b_);
    b_ = nullptr;
    return &b_;
  }

 private:
  BSTR b_ = nullptr;
};

// A GDI object (DeleteObject).
template <class T>
class ScopedGdiObj {
 public:
  ScopedGdiObj() = default;
  explicit ScopedGdiObj(T obj) : obj_(obj) {}
  ScopedGdiObj(const ScopedGdiObj&) = delete;
  ScopedGdiObj& operator=(const ScopedGdiObj&) = delete;
  ScopedGdiObj(ScopedGdiObj&& o) noexcept : obj_(std::exchange(o.obj_, nullptr)) {}
  ~ScopedGdiObj() {
    if (obj_) DeleteObject(obj_);
  }
  T Get() const { return obj_; }
  explicit operator bool() const { return obj_ != nullptr; }

 private:
  T obj_ = nullptr;
};

// A device context obtained with GetDC (ReleaseDC).
class ScopedGetDC {
 public:
  explicit ScopedGetDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  ~ScopedGetDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// A memory DC (DeleteDC).
class ScopedMemoryDC {
 public:
  explicit ScopedMemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ScopedMemoryDC(const ScopedMemoryDC&) = delete;
  ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
  ~ScopedMemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// SelectObject for one scope.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
  ~ScopedSelectObject() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A registry key (RegCloseKey).
class ScopedHKey {
 public:
  ScopedHKey() = default;
  ScopedHKey(const ScopedHKey&) = delete;
  ScopedHKey& operator=(const ScopedHKey&) = delete;
  ~ScopedHKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY Get() const { return key_; }
  HKEY* Receive() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
    return &key_;
  }

 private:
  HKEY key_ = nullptr;
};

// COM on this thread for one scope. A thread that already runs another
// apartment model (RPC_E_CHANGED_MODE) keeps it and is not uninitialised.
class ScopedCoInit {
 public:
  explicit ScopedCoInit(DWORD model = COINIT_APARTMENTTHREADED) : hr_(CoInitializeEx(nullptr, model)) {}
  ScopedCoInit(const ScopedCoInit&) = delete;
  ScopedCoInit& operator=(const ScopedCoInit&) = delete;
  ~ScopedCoInit() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  bool Usable() const { return SUCCEEDED(hr_) || hr_ == RPC_E_CHANGED_MODE; }
  HRESULT Result() const { return hr_; }

 private:
  HRESULT hr_;
};

}  // namespace ql
