// Automation objects driven through IDispatch by name: creation from a
// ProgID, property reads and writes, method calls, and the two conversions
// of a result VARIANT the program needs. Nothing here throws; every failure
// is an HRESULT, an empty text or 0, and error information is freed.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/scoped_win.h"

namespace ql {

HRESULT CreateDispatchObject(const wchar_t* progId, ScopedComPtr<IDispatch>* out);

// A method, or a property read with arguments (such as a collection's Item).
// Arguments are given in their natural order; `result` may be null.
HRESULT CallMethod(IDispatch* object, const wchar_t* name, std::initializer_list<VARIANT> args, VARIANT* result);
HRESULT GetProperty(IDispatch* object, const wchar_t* name, VARIANT* result);
HRESULT PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value);

// A read-only VARIANT view of a text or a flag (the caller keeps the BSTR).
VARIANT BstrArg(BSTR text);
VARIANT BoolArg(bool value);
VARIANT IntArg(int32_t value);

// The value coerced to a string (VT_BSTR), as GBK; "" when it cannot be.
std::string VariantToGbk(const VARIANT& value);
// The value coerced to a double; an array gives its element at the lower
// bound(s). 0 when there is nothing to convert.
double VariantToDouble(const VARIANT& value);

}  // namespace ql
