// The COM base: QueryInterface answers IUnknown, every listed interface and
// the parents listed with ComAlso, each through the right part of the
// object; it refuses the rest; the last Release deletes the object.
#include "platform/com_object_win.h"

#include <gtest/gtest.h>
#include <objidl.h>
#include <oleidl.h>

namespace ql {
namespace {

const HWND kProbeWindow = reinterpret_cast<HWND>(INT_PTR(0x1234));

class Probe final : public ComObject<Probe, ComAlso<IPersistStream, IPersist>, IOleWindow> {
 public:
  explicit Probe(bool& deleted) : deleted_(deleted) {}
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* out) override {
    *out = IID_IOleWindow;  // any recognisable value
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE Load(IStream*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Save(IStream*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
    *out = kProbeWindow;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

 private:
  friend class ComObject<Probe, ComAlso<IPersistStream, IPersist>, IOleWindow>;
  ~Probe() { deleted_ = true; }
  bool& deleted_;
};

// The references left after one more AddRef and its Release.
ULONG References(Probe* object) {
  object->AddRef();
  return object->Release();
}

TEST(ComObject, AnswersEachListedInterfaceThroughItsOwnPart) {
  bool deleted = false;
  Probe* probe = new Probe(deleted);
  struct Case {
    const char* name;
    REFIID iid;
    void* expected;
  };
  const Case cases[] = {
      {"IUnknown is the first listed interface", IID_IUnknown, static_cast<IPersistStream*>(probe)},
      {"a listed interface", IID_IPersistStream, static_cast<IPersistStream*>(probe)},
      {"a parent listed with it", IID_IPersist, static_cast<IPersistStream*>(probe)},
      {"the second listed interface", IID_IOleWindow, static_cast<IOleWindow*>(probe)},
  };
  for (const Case& c : cases) {
    void* out = nullptr;
    EXPECT_EQ(probe->QueryInterface(c.iid, &out), S_OK) << c.name;
    EXPECT_EQ(out, c.expected) << c.name;
    EXPECT_EQ(References(probe), 2u) << c.name;  // the answer holds one reference
    if (out) static_cast<IUnknown*>(out)->Release();
  }
  // Calls through each answer reach the object's own methods.
  void* window = nullptr;
  ASSERT_EQ(probe->QueryInterface(IID_IOleWindow, &window), S_OK);
  HWND answered = nullptr;
  EXPECT_EQ(static_cast<IOleWindow*>(window)->GetWindow(&answered), S_OK);
  EXPECT_EQ(answered, kProbeWindow);
  static_cast<IOleWindow*>(window)->Release();
  void* persist = nullptr;
  ASSERT_EQ(probe->QueryInterface(IID_IPersist, &persist), S_OK);
  CLSID id{};
  EXPECT_EQ(static_cast<IPersist*>(persist)->GetClassID(&id), S_OK);
  EXPECT_TRUE(IsEqualGUID(id, IID_IOleWindow));
  static_cast<IPersist*>(persist)->Release();
  EXPECT_FALSE(deleted);
  EXPECT_EQ(probe->Release(), 0u);
  EXPECT_TRUE(deleted);
}

TEST(ComObject, RefusesOtherInterfacesWithoutTakingAReference) {
  bool deleted = false;
  Probe* probe = new Probe(deleted);
  for (REFIID iid : {IID_IDispatch, IID_IPersistFile, IID_IOleInPlaceSite}) {
    void* out = reinterpret_cast<void*>(INT_PTR(1));
    EXPECT_EQ(probe->QueryInterface(iid, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
  }
  EXPECT_EQ(probe->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(References(probe), 1u);
  probe->Release();
  EXPECT_TRUE(deleted);
}

TEST(ComObject, TheLastReleaseDeletesWhicheverPartItCameThrough) {
  bool deleted = false;
  Probe* probe = new Probe(deleted);
  EXPECT_EQ(probe->AddRef(), 2u);
  EXPECT_EQ(static_cast<IOleWindow*>(probe)->Release(), 1u);
  EXPECT_FALSE(deleted);
  EXPECT_EQ(static_cast<IPersist*>(probe)->Release(), 0u);
  EXPECT_TRUE(deleted);
}

}  // namespace
}  // namespace ql
