// One WMI object of the served machine as an IWbemClassObject: its
// properties by name (Get) and in file order (BeginEnumeration / Next /
// EndEnumeration). It has no methods; everything else is not supported.
#pragma once

#include <windows.h>
#include <wbemcli.h>

#include "tests/fake_wmi/com_object_win.h"
#include "tests/fake_wmi/machine_data.h"

namespace fakewmi {

// A fresh VARIANT holding the value (the caller clears it).
HRESULT ValueToVariant(const Value& value, VARIANT* out);
CIMTYPE CimTypeOf(const Value& value);

class ClassObject final : public ComObject<ClassObject, IWbemClassObject> {
 public:
  explicit ClassObject(WmiObject object);

  HRESULT STDMETHODCALLTYPE Get(LPCWSTR name, LONG flags, VARIANT* value, CIMTYPE* type, LONG* flavor) override;
  HRESULT STDMETHODCALLTYPE BeginEnumeration(LONG flags) override;
  HRESULT STDMETHODCALLTYPE Next(LONG flags, BSTR* name, VARIANT* value, CIMTYPE* type, LONG* flavor) override;
  HRESULT STDMETHODCALLTYPE EndEnumeration() override;
  // No methods: an empty method enumeration, and GetMethod finds nothing.
  HRESULT STDMETHODCALLTYPE BeginMethodEnumeration(LONG flags) override;
  HRESULT STDMETHODCALLTYPE NextMethod(LONG flags, BSTR* name, IWbemClassObject** in, IWbemClassObject** out) override;
  HRESULT STDMETHODCALLTYPE EndMethodEnumeration() override;
  HRESULT STDMETHODCALLTYPE GetMethod(LPCWSTR name, LONG flags, IWbemClassObject** in, IWbemClassObject** out) override;

  HRESULT STDMETHODCALLTYPE GetQualifierSet(IWbemQualifierSet** set) override;
  HRESULT STDMETHODCALLTYPE Put(LPCWSTR, LONG, VARIANT*, CIMTYPE) override;
  HRESULT STDMETHODCALLTYPE Delete(LPCWSTR) override;
  HRESULT STDMETHODCALLTYPE GetNames(LPCWSTR, LONG, VARIANT*, SAFEARRAY** names) override;
  HRESULT STDMETHODCALLTYPE GetPropertyQualifierSet(LPCWSTR, IWbemQualifierSet** set) override;
  HRESULT STDMETHODCALLTYPE Clone(IWbemClassObject** copy) override;
  HRESULT STDMETHODCALLTYPE GetObjectText(LONG, BSTR* text) override;
  HRESULT STDMETHODCALLTYPE SpawnDerivedClass(LONG, IWbemClassObject** made) override;
  HRESULT STDMETHODCALLTYPE SpawnInstance(LONG, IWbemClassObject** made) override;
  HRESULT STDMETHODCALLTYPE CompareTo(LONG, IWbemClassObject*) override;
  HRESULT STDMETHODCALLTYPE GetPropertyOrigin(LPCWSTR, BSTR* className) override;
  HRESULT STDMETHODCALLTYPE InheritsFrom(LPCWSTR) override;
  HRESULT STDMETHODCALLTYPE PutMethod(LPCWSTR, LONG, IWbemClassObject*, IWbemClassObject*) override;
  HRESULT STDMETHODCALLTYPE DeleteMethod(LPCWSTR) override;
  HRESULT STDMETHODCALLTYPE GetMethodQualifierSet(LPCWSTR, IWbemQualifierSet** set) override;
  HRESULT STDMETHODCALLTYPE GetMethodOrigin(LPCWSTR, BSTR* className) override;

 private:
  friend class ql::ComObject<ClassObject, IWbemClassObject>;
  ~ClassObject() = default;

  const WmiObject object_;
  SRWLOCK lock_ = SRWLOCK_INIT;
  // The next property of an enumeration, or -1 outside one.
  long next_ = -1;
  bool systemOnly_ = false;
};

}  // namespace fakewmi
