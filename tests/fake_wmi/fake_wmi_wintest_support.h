// Helpers for the tests that run under the test WMI provider
// (tools/with-fake-wmi.sh): which machine and mode the runner serves,
// whether the loaded wbemprox.dll is ours, the locator's calls, and an
// environment variable changed for one scope.
#pragma once

#include <windows.h>
#include <wbemcli.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/scoped_win.h"

namespace qltest {

// A WMI status as the HRESULT it is (the WBEMSTATUS values are unsigned).
constexpr HRESULT Hr(WBEMSTATUS status) { return static_cast<HRESULT>(status); }

// The file name part of QL_FAKE_WMI ("" when unset) and QL_FAKE_WMI_MODE.
std::string ServedMachineFile();
std::string ServedMode();
// Loads the locator's DLL (through COM) and looks for the test provider's marker.
bool TestProviderLoaded();
// Success when the runner serves `machineFile` in `mode` through our provider.
testing::AssertionResult UnderTestProvider(const std::string& machineFile, const std::string& mode);

// A UTF-8 data file's text as a GBK text (what the program shows).
std::string GbkFromUtf8(const std::string& utf8);
// A path inside tests/data/wmi, as Wine's Windows side opens it.
std::wstring WmiDataPath(const char* fileName);

// Sets (or, with nullopt, removes) a variable of this process's environment,
// which children inherit and the provider reads at every connection; the old
// value comes back at the end of the scope.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const wchar_t* name, std::optional<std::wstring> value);
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment();

 private:
  std::wstring name_;
  std::optional<std::wstring> old_;
};

// The locator's calls, each returning its HRESULT through `hr`.
ql::ScopedComPtr<IWbemServices> ConnectTo(const wchar_t* resource, HRESULT* hr);
ql::ScopedComPtr<IEnumWbemClassObject> RunQuery(IWbemServices* services, const wchar_t* query, HRESULT* hr,
                                                const wchar_t* language = L"WQL");
// Every object left in the enumerator, one Next at a time.
std::vector<ql::ScopedComPtr<IWbemClassObject>> TakeAll(IEnumWbemClassObject* objects);
// A property as text (VT_BSTR coercion, GBK); "<error 0x...>" when Get fails.
std::string PropertyText(IWbemClassObject* object, const wchar_t* name);

}  // namespace qltest
