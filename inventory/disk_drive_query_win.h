// The steps under the disk query's getters, open to the Windows tests so the
// property reads and conversions can be run with queries of their own.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <wbemidl.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/scoped_win.h"

namespace ql::disk_wmi {

// How long one Next waits for the next object.
inline constexpr long kNextTimeoutMs = 2000;

ScopedBstr TextToBstr(std::string_view gbk);
// The services of `nameSpace`, or empty. COM is initialised for the thread
// (and stays so after a success).
ScopedComPtr<IWbemServices> ConnectWmi(std::string_view nameSpace);
// The objects of a WQL query (returned immediately, forward only), or empty.
ScopedComPtr<IEnumWbemClassObject> Query(IWbemServices* services, std::string_view query);

// Runs `query` against root\CIMV2 and puts the named property of the last
// object it returns into *result (which the caller clears). With no
// connection, a failed query or no object, *result is VT_I4 0.
void GetDiskProperty(std::string_view query, std::string_view property, VARIANT* result);

// The getters' conversions (texts use VariantToGbk); a conversion that fails
// gives 0 or false.
// Numbers that arrive as decimal texts (64-bit properties) are parsed
// exactly; everything else goes through a double, truncated toward zero.
int64_t VariantToInteger(const VARIANT& value);
bool VariantToBool(const VARIANT& value);

}  // namespace ql::disk_wmi
