// IWbemClassObject over one object of the served machine.
#include "tests/fake_wmi/class_object_win.h"

#include <oleauto.h>

namespace fakewmi {
namespace {

HRESULT NotSupported() { return WBEM_E_NOT_SUPPORTED; }

template <class T>
HRESULT NotSupported(T** out) {
  if (out) *out = nullptr;
  return WBEM_E_NOT_SUPPORTED;
}

HRESULT TextVariant(std::string_view utf8, VARIANT* out) {
  BSTR text = SysAllocString(Utf16(utf8).c_str());
  if (!text) return E_OUTOFMEMORY;
  V_VT(out) = VT_BSTR;
  V_BSTR(out) = text;
  return S_OK;
}

}  // namespace

HRESULT ValueToVariant(const Value& value, VARIANT* out) {
  VariantInit(out);
  switch (value.kind) {
    case ValueKind::kText: return TextVariant(value.text, out);
    case ValueKind::kInt32:
      V_VT(out) = VT_I4;
      V_I4(out) = value.number;
      return S_OK;
    case ValueKind::kBoolean:
      V_VT(out) = VT_BOOL;
      V_BOOL(out) = value.flag ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    case ValueKind::kNull: V_VT(out) = VT_NULL; return S_OK;
    case ValueKind::kInt32Array: {
      SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, static_cast<ULONG>(value.numbers.size()));
      if (!array) return E_OUTOFMEMORY;
      for (LONG i = 0; i < static_cast<LONG>(value.numbers.size()); ++i) {
        LONG element = value.numbers[i];
        SafeArrayPutElement(array, &i, &element);
      }
      V_VT(out) = VT_ARRAY | VT_I4;
      V_ARRAY(out) = array;
      return S_OK;
    }
  }
  return E_UNEXPECTED;
}

CIMTYPE CimTypeOf(const Value& value) {
  switch (value.kind) {
    case ValueKind::kInt32: return CIM_SINT32;
    case ValueKind::kInt32Array: return CIM_SINT32 | CIM_FLAG_ARRAY;
    case ValueKind::kBoolean: return CIM_BOOLEAN;
    case ValueKind::kText:
    case ValueKind::kNull: return CIM_STRING;  // a null says nothing of its type; most are texts
  }
  return CIM_EMPTY;
}

ClassObject::ClassObject(WmiObject object) : object_(std::move(object)) {}

HRESULT ClassObject::Get(LPCWSTR name, LONG flags, VARIANT* value, CIMTYPE* type, LONG* flavor) {
  return Guarded([&]() -> HRESULT {
    if (!name || flags != 0) return WBEM_E_INVALID_PARAMETER;
    std::string wanted = ArgumentUtf8(name);
    // Two system properties, so that a script's Properties_.Count works.
    Value system;
    const Value* found = nullptr;
    if (EqualsIgnoringAsciiCase(wanted, "__CLASS")) {
      system = {ValueKind::kText, object_.className, 0, {}, false};
      found = &system;
    } else if (EqualsIgnoringAsciiCase(wanted, "__PROPERTY_COUNT")) {
      system = {ValueKind::kInt32, "", static_cast<int32_t>(object_.properties.size()), {}, false};
      found = &system;
    } else if (const Property* p = object_.Find(wanted)) {
      found = &p->value;
    }
    if (!found) return WBEM_E_NOT_FOUND;
    if (value) {
      HRESULT hr = ValueToVariant(*found, value);
      if (FAILED(hr)) return hr;
    }
    if (type) *type = CimTypeOf(*found);
    if (flavor) *flavor = found == &system ? WBEM_FLAVOR_ORIGIN_SYSTEM : WBEM_FLAVOR_ORIGIN_LOCAL;
    return WBEM_S_NO_ERROR;
  });
}

HRESULT ClassObject::BeginEnumeration(LONG flags) {
  LockHold hold(lock_);
  next_ = 0;
  // The served properties are all non-system ones.
  systemOnly_ = (flags & WBEM_FLAG_SYSTEM_ONLY) != 0;
  return WBEM_S_NO_ERROR;
}

HRESULT ClassObject::Next(LONG flags, BSTR* name, VARIANT* value, CIMTYPE* type, LONG* flavor) {
  return Guarded([&]() -> HRESULT {
    if (flags != 0) return WBEM_E_INVALID_PARAMETER;
    LockHold hold(lock_);
    if (next_ < 0) return WBEM_E_UNEXPECTED;
    if (systemOnly_ || next_ >= static_cast<long>(object_.properties.size())) return WBEM_S_NO_MORE_DATA;
    const Property& p = object_.properties[next_];
    BSTR text = nullptr;
    if (name && !(text = SysAllocString(Utf16(p.name).c_str()))) return E_OUTOFMEMORY;
    if (value) {
      HRESULT hr = ValueToVariant(p.value, value);
      if (FAILED(hr)) {
        SysFreeString(text);
        return hr;
      }
    }
    if (name) *name = text;
    if (type) *type = CimTypeOf(p.value);
    if (flavor) *flavor = WBEM_FLAVOR_ORIGIN_LOCAL;
    ++next_;
    return WBEM_S_NO_ERROR;
  });
}

HRESULT ClassObject::EndEnumeration() {
  LockHold hold(lock_);
  next_ = -1;
  return WBEM_S_NO_ERROR;
}

HRESULT ClassObject::BeginMethodEnumeration(LONG) { return WBEM_S_NO_ERROR; }

HRESULT ClassObject::NextMethod(LONG, BSTR* name, IWbemClassObject** in, IWbemClassObject** out) {
  if (name) *name = nullptr;
  if (in) *in = nullptr;
  if (out) *out = nullptr;
  return WBEM_S_NO_MORE_DATA;
}

HRESULT ClassObject::EndMethodEnumeration() { return WBEM_S_NO_ERROR; }

HRESULT ClassObject::GetMethod(LPCWSTR, LONG, IWbemClassObject** in, IWbemClassObject** out) {
  if (in) *in = nullptr;
  if (out) *out = nullptr;
  return WBEM_E_NOT_FOUND;
}

HRESULT ClassObject::GetQualifierSet(IWbemQualifierSet** set) { return NotSupported(set); }
HRESULT ClassObject::Put(LPCWSTR, LONG, VARIANT*, CIMTYPE) { return NotSupported(); }
HRESULT ClassObject::Delete(LPCWSTR) { return NotSupported(); }
HRESULT ClassObject::GetNames(LPCWSTR, LONG, VARIANT*, SAFEARRAY** names) { return NotSupported(names); }
HRESULT ClassObject::GetPropertyQualifierSet(LPCWSTR, IWbemQualifierSet** set) { return NotSupported(set); }
HRESULT ClassObject::Clone(IWbemClassObject** copy) { return NotSupported(copy); }
HRESULT ClassObject::GetObjectText(LONG, BSTR* text) { return NotSupported(text); }
HRESULT ClassObject::SpawnDerivedClass(LONG, IWbemClassObject** made) { return NotSupported(made); }
HRESULT ClassObject::SpawnInstance(LONG, IWbemClassObject** made) { return NotSupported(made); }
HRESULT ClassObject::CompareTo(LONG, IWbemClassObject*) { return NotSupported(); }
HRESULT ClassObject::GetPropertyOrigin(LPCWSTR, BSTR* className) { return NotSupported(className); }
HRESULT ClassObject::InheritsFrom(LPCWSTR) { return NotSupported(); }
HRESULT ClassObject::PutMethod(LPCWSTR, LONG, IWbemClassObject*, IWbemClassObject*) { return NotSupported(); }
HRESULT ClassObject::DeleteMethod(LPCWSTR) { return NotSupported(); }
HRESULT ClassObject::GetMethodQualifierSet(LPCWSTR, IWbemQualifierSet** set) { return NotSupported(set); }
HRESULT ClassObject::GetMethodOrigin(LPCWSTR, BSTR* className) { return NotSupported(className); }

}  // namespace fakewmi
