// The DLL's exports: the class object of the WMI locator, the unload test,
// and a marker by which a test tells this provider from Wine's.
#include <windows.h>
#include <wbemcli.h>

#include "tests/fake_wmi/com_object_win.h"
#include "tests/fake_wmi/locator_win.h"

namespace fakewmi {
namespace {

#pragma GCC diagnostic push  // ends through Release, never through an interface pointer
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// One static factory; it does not count as a live object.
class LocatorFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    return Guarded([&]() -> HRESULT {
      if (!out) return E_POINTER;
      *out = nullptr;
      if (outer) return CLASS_E_NOAGGREGATION;
      Locator* locator = new Locator();
      HRESULT hr = locator->QueryInterface(iid, out);
      locator->Release();
      return hr;
    });
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock)
      ModuleAddRef();
    else
      ModuleRelease();
    return S_OK;
  }
};
#pragma GCC diagnostic pop

LocatorFactory g_factory;

}  // namespace
}  // namespace fakewmi

extern "C" {

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_WbemLocator)) return CLASS_E_CLASSNOTAVAILABLE;
  return fakewmi::g_factory.QueryInterface(iid, out);
}

HRESULT WINAPI DllCanUnloadNow() { return fakewmi::ModuleInUse() ? S_FALSE : S_OK; }

const char* WINAPI QlFakeWmiProvider() { return "qinglan test WMI provider"; }

}  // extern "C"
