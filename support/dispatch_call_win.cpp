// IDispatch by name, with every VARIANT, BSTR and EXCEPINFO freed.
#include "support/dispatch_call_win.h"

#include <algorithm>
#include <vector>

#include "platform/win_text.h"

namespace ql {
namespace {

HRESULT Invoke(IDispatch* object, const wchar_t* name, WORD kind, const VARIANT* args, UINT count, VARIANT* result) {
  if (!object) return E_POINTER;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  // Invoke takes the arguments last to first.
  std::vector<VARIANTARG> reversed(args, args + count);
  std::reverse(reversed.begin(), reversed.end());
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, count, 0};
  if (kind == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  EXCEPINFO error{};
  UINT badArg = 0;
  hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, &error, &badArg);
  // The error texts are ours to free.
  ScopedBstr source(error.bstrSource), description(error.bstrDescription), helpFile(error.bstrHelpFile);
  return hr;
}

// The element at the lower bound of every dimension, as a VARIANT of its own.
HRESULT FirstElement(SAFEARRAY* array, VARTYPE type, VARIANT* out) {
  UINT dims = SafeArrayGetDim(array);
  if (dims == 0) return E_INVALIDARG;
  std::vector<LONG> index(dims);
  for (UINT d = 0; d < dims; ++d) {
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, d + 1, &lower)) || FAILED(SafeArrayGetUBound(array, d + 1, &upper)) ||
        upper < lower)
      return E_INVALIDARG;
    // Indexes go in the order of the dimensions (as SafeArrayGetLBound counts them).
    index[d] = lower;
  }
  switch (type) {
    case VT_VARIANT: return SafeArrayGetElement(array, index.data(), out);
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_I8:
    case VT_UI8:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BOOL:
    case VT_BSTR: {
      HRESULT hr = SafeArrayGetElement(array, index.data(), &out->llVal);
      if (SUCCEEDED(hr)) out->vt = type;
      return hr;
    }
    default: return E_INVALIDARG;
  }
}

}  // namespace

HRESULT CreateDispatchObject(const wchar_t* progId, ScopedComPtr<IDispatch>* out) {
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(progId, &clsid);
  if (FAILED(hr)) return hr;
  return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch, PutVoid(*out));
}

HRESULT CallMethod(IDispatch* object, const wchar_t* name, std::initializer_list<VARIANT> args, VARIANT* result) {
  return Invoke(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args.begin(), static_cast<UINT>(args.size()),
                result);
}

HRESULT GetProperty(IDispatch* object, const wchar_t* name, VARIANT* result) {
  return Invoke(object, name, DISPATCH_PROPERTYGET, nullptr, 0, result);
}

HRESULT PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value) {
  return Invoke(object, name, DISPATCH_PROPERTYPUT, &value, 1, nullptr);
}

VARIANT BstrArg(BSTR text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = text;
  return v;
}

VARIANT BoolArg(bool value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

VARIANT IntArg(int32_t value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

std::string VariantToGbk(const VARIANT& value) {
  ScopedVariant text;
  if (FAILED(VariantChangeType(text.Put(), const_cast<VARIANT*>(&value), 0, VT_BSTR)) || text->vt != VT_BSTR ||
      !text->bstrVal)
    return {};
  return Gbk(std::wstring_view(text->bstrVal, SysStringLen(text->bstrVal)));
}

double VariantToDouble(const VARIANT& value) {
  ScopedVariant element;
  const VARIANT* source = &value;
  if (value.vt & VT_ARRAY) {
    if (value.vt & VT_BYREF) return 0;
    SAFEARRAY* array = value.parray;
    if (!array) return 0;
    if (FAILED(FirstElement(array, static_cast<VARTYPE>(value.vt & VT_TYPEMASK), element.Put()))) return 0;
    source = &element.Get();
  }
  ScopedVariant number;
  if (FAILED(VariantChangeType(number.Put(), const_cast<VARIANT*>(source), 0, VT_R8)) || number->vt != VT_R8) return 0;
  return number->dblVal;
}

}  // namespace ql
