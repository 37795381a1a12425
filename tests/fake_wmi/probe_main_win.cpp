// fake_wmi_probe.exe [-q] [QUERY]: one connection through the WMI locator and one
// query, the objects printed as the data file writes them, with the time of
// each step. For looking at a machine (or a mode) by hand:
//   tools/with-fake-wmi.sh tests/data/wmi/worked-example.txt slow:500 --
//     "$QL_WINE" build/win32/fake_wmi/fake_wmi_probe.exe "Select * From Win32_DiskDrive"
// (one command line).
// -q prints nothing. Exit codes: 0 done, 2 no locator, 3 ConnectServer
// failed, 4 ExecQuery failed.
#include <windows.h>
#include <wbemcli.h>

#include <cstdio>
#include <string>

#include "tests/fake_wmi/com_object_win.h"

namespace {

using fakewmi::Utf16;
using fakewmi::Utf8;

std::string Text(VARIANT& v) {
  if (V_VT(&v) == VT_NULL) return ":null";
  if (V_VT(&v) & VT_ARRAY) {
    std::string out = ":i4[]=";
    SAFEARRAY* a = V_ARRAY(&v);
    LONG lo = 0, hi = -1;
    SafeArrayGetLBound(a, 1, &lo);
    SafeArrayGetUBound(a, 1, &hi);
    for (LONG i = lo; i <= hi; ++i) {
      LONG n = 0;
      SafeArrayGetElement(a, &i, &n);
      if (i > lo) out += ',';
      out += std::to_string(n);
    }
    return out;
  }
  if (V_VT(&v) == VT_BOOL) return V_BOOL(&v) ? ":bool=true" : ":bool=false";
  VARIANT s;
  VariantInit(&s);
  std::string out = V_VT(&v) == VT_I4 ? ":i4=" : "=";
  if (SUCCEEDED(VariantChangeType(&s, &v, 0, VT_BSTR))) out += Utf8(V_BSTR(&s));
  VariantClear(&s);
  return out;
}

double MsSince(LARGE_INTEGER start) {
  LARGE_INTEGER now, freq;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&freq);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int arg = 1;
  if (arg < argc && std::wstring(argv[arg]) == L"-q") {
    std::freopen("NUL", "w", stdout);
    ++arg;
  }
  std::wstring query = arg < argc ? argv[arg] : L"Select * From Win32_Processor";
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  IWbemLocator* locator = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              reinterpret_cast<void**>(&locator)))) {
    std::printf("no WMI locator\n");
    return 2;
  }
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  IWbemServices* services = nullptr;
  BSTR ns = SysAllocString(L"root\\cimv2");
  HRESULT hr = locator->ConnectServer(ns, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services);
  SysFreeString(ns);
  std::printf("ConnectServer: 0x%08lx after %.0f ms\n", static_cast<unsigned long>(hr), MsSince(start));
  std::fflush(stdout);
  if (FAILED(hr)) return 3;

  QueryPerformanceCounter(&start);
  IEnumWbemClassObject* objects = nullptr;
  BSTR language = SysAllocString(L"WQL");
  BSTR text = SysAllocString(query.c_str());
  hr = services->ExecQuery(language, text, WBEM_FLAG_RETURN_IMMEDIATELY | WBEM_FLAG_FORWARD_ONLY, nullptr, &objects);
  SysFreeString(language);
  SysFreeString(text);
  std::printf("ExecQuery: 0x%08lx after %.0f ms\n", static_cast<unsigned long>(hr), MsSince(start));
  if (FAILED(hr)) return 4;

  IWbemClassObject* object = nullptr;
  ULONG returned = 0;
  while (objects->Next(static_cast<LONG>(WBEM_INFINITE), 1, &object, &returned) == WBEM_S_NO_ERROR && returned) {
    VARIANT cls;
    VariantInit(&cls);
    object->Get(L"__CLASS", 0, &cls, nullptr, nullptr);
    std::printf("[%s]\n", V_VT(&cls) == VT_BSTR ? Utf8(V_BSTR(&cls)).c_str() : "?");
    VariantClear(&cls);
    object->BeginEnumeration(0);
    BSTR name = nullptr;
    VARIANT value;
    VariantInit(&value);
    while (object->Next(0, &name, &value, nullptr, nullptr) == WBEM_S_NO_ERROR) {
      std::printf("%s%s\n", Utf8(name).c_str(), Text(value).c_str());
      SysFreeString(name);
      VariantClear(&value);
    }
    object->EndEnumeration();
    object->Release();
  }
  objects->Release();
  services->Release();
  locator->Release();
  return 0;
}
