// Helpers for the tests under the test WMI provider.
#include "tests/fake_wmi/fake_wmi_wintest_support.h"

#include <cstdio>

#include "platform/win_text.h"
#include "tests/win_test_support.h"

namespace qltest {
namespace {

std::optional<std::wstring> Environment(const wchar_t* name) {
  DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  if (n == 0) return std::nullopt;
  std::wstring value(n, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), n));
  return value;
}

}  // namespace

std::string ServedMachineFile() {
  std::wstring path = Environment(L"QL_FAKE_WMI").value_or(L"");
  size_t slash = path.find_last_of(L"\\/");
  return ql::Gbk(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

std::string ServedMode() { return ql::Gbk(Environment(L"QL_FAKE_WMI_MODE").value_or(L"")); }

bool TestProviderLoaded() {
  ql::ScopedComInit com = ql::InitializeCom();  // a thread in another apartment keeps it
  ql::ScopedComPtr<IWbemLocator> locator;
  if (FAILED(
          CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator, ql::PutVoid(locator))))
    return false;
  HMODULE dll = GetModuleHandleW(L"wbemprox.dll");
  return dll && GetProcAddress(dll, "QlFakeWmiProvider");
}

testing::AssertionResult UnderTestProvider(const std::string& machineFile, const std::string& mode) {
  if (ServedMachineFile() != machineFile || ServedMode() != mode)
    return testing::AssertionFailure() << "this test runs under tools/with-fake-wmi.sh tests/data/wmi/" << machineFile
                                       << (mode.empty() ? "" : " " + mode) << " -- (served: '" << ServedMachineFile()
                                       << "' '" << ServedMode() << "')";
  if (!TestProviderLoaded()) return testing::AssertionFailure() << "the loaded wbemprox.dll is not the test provider";
  return testing::AssertionSuccess();
}

std::string GbkFromUtf8(const std::string& utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return ql::Gbk(wide);
}

std::wstring WmiDataPath(const char* fileName) {
  return HostPath(QL_SOURCE_DIR) + L"\\tests\\data\\wmi\\" + ql::Wide(fileName);
}

ScopedEnvironment::ScopedEnvironment(const wchar_t* name, std::optional<std::wstring> value)
    : name_(name), old_(Environment(name)) {
  SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
}

ScopedEnvironment::~ScopedEnvironment() { SetEnvironmentVariableW(name_.c_str(), old_ ? old_->c_str() : nullptr); }

ql::ScopedComPtr<IWbemServices> ConnectTo(const wchar_t* resource, HRESULT* hr) {
  ql::ScopedComPtr<IWbemLocator> locator;
  ql::ScopedComPtr<IWbemServices> services;
  *hr = CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator, ql::PutVoid(locator));
  if (FAILED(*hr)) return services;
  ql::ScopedBstr ns = ql::MakeBstr(resource);
  *hr = locator->ConnectServer(ns.Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, services.Put());
  return services;
}

ql::ScopedComPtr<IEnumWbemClassObject> RunQuery(IWbemServices* services, const wchar_t* query, HRESULT* hr,
                                                const wchar_t* language) {
  ql::ScopedComPtr<IEnumWbemClassObject> objects;
  ql::ScopedBstr lang = ql::MakeBstr(language);
  ql::ScopedBstr text = ql::MakeBstr(query);
  *hr = services->ExecQuery(lang.Get(), text.Get(), WBEM_FLAG_RETURN_IMMEDIATELY | WBEM_FLAG_FORWARD_ONLY, nullptr,
                            objects.Put());
  return objects;
}

std::vector<ql::ScopedComPtr<IWbemClassObject>> TakeAll(IEnumWbemClassObject* objects) {
  std::vector<ql::ScopedComPtr<IWbemClassObject>> all;
  for (;;) {
    IWbemClassObject* object = nullptr;
    ULONG returned = 0;
    if (objects->Next(2000, 1, &object, &returned) != WBEM_S_NO_ERROR || returned != 1) break;
    all.emplace_back(object);
  }
  return all;
}

std::string PropertyText(IWbemClassObject* object, const wchar_t* name) {
  ql::ScopedVariant value, text;
  HRESULT hr = object->Get(name, 0, value.Put(), nullptr, nullptr);
  if (FAILED(hr)) {
    char code[32];
    std::snprintf(code, sizeof code, "<error 0x%08lX>", static_cast<unsigned long>(hr));
    return code;
  }
  if (FAILED(VariantChangeType(text.Put(), const_cast<VARIANT*>(&value.Get()), 0, VT_BSTR))) return "<no text>";
  return ql::Gbk(text->bstrVal ? text->bstrVal : L"");
}

}  // namespace qltest
