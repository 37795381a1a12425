// The OLE container of the web browser: what it hands the control and takes
// back, refusals at every step, the address checks of navigation and new
// windows, and the system's own control under Wine.
#include <windows.h>
#include <exdisp.h>
#include <exdispid.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry_win.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "support/web_browser_host_win.h"
#include "support/web_browser_policy.h"
#include "tests/support/fake_browser_control_win.h"
#include "tests/support/recording_prompts.h"
#include "tests/win_test_support.h"

namespace {

using qltest::FakeBrowserControl;
using qltest::FakeControlSource;
using qltest::Refuse;

// Where page 10 places the browser.
constexpr RECT kBrowserRect = {4, 148, 4 + 812, 148 + 416};

BOOL CALLBACK CollectChild(HWND child, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
  return TRUE;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

RECT RectInParent(HWND child) {
  RECT rc = qltest::ScreenRect(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// Arguments of an event, built first to last as the control declares them,
// handed over last to first as IDispatch::Invoke receives them.
class EventCall {
 public:
  EventCall() { inner_.reserve(8); }  // the pointers into it stay put
  EventCall(const EventCall&) = delete;
  EventCall& operator=(const EventCall&) = delete;
  ~EventCall() {
    for (BSTR b : owned_) SysFreeString(b);
    for (VARIANT& v : inner_) VariantClear(&v);
  }
  void Add(const VARIANT& v) { args_.insert(args_.begin(), v); }
  void AddByRefVariant(const wchar_t* text) {
    inner_.emplace_back();
    VARIANT& in = inner_.back();
    VariantInit(&in);
    if (text) {
      in.vt = VT_BSTR;
      in.bstrVal = SysAllocString(text);
    }
    VARIANT v;
    v.vt = VT_BYREF | VT_VARIANT;
    v.pvarVal = &in;
    Add(v);
  }
  void AddCancel() {
    VARIANT v;
    v.vt = VT_BYREF | VT_BOOL;
    v.pboolVal = &cancel;
    Add(v);
  }
  void AddBstr(const wchar_t* text) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    owned_.push_back(v.bstrVal);
    Add(v);
  }
  void AddNullDispatch(bool byRef) {
    VARIANT v;
    v.vt = byRef ? VT_BYREF | VT_DISPATCH : VT_DISPATCH;
    if (byRef)
      v.ppdispVal = &dispatch_;
    else
      v.pdispVal = nullptr;
    Add(v);
  }
  void AddNumber(LONG n) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = n;
    Add(v);
  }
  HRESULT InvokeOn(IDispatch* sink, DISPID id) {
    DISPPARAMS params{args_.data(), nullptr, UINT(args_.size()), 0};
    return sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  }
  VARIANT_BOOL cancel = VARIANT_FALSE;

 private:
  std::vector<VARIANT> args_;
  std::vector<VARIANT> inner_;
  std::vector<BSTR> owned_;
  IDispatch* dispatch_ = nullptr;
};

// Fires `event` with `url` the way the control does; returns Cancel after.
VARIANT_BOOL Fire(IDispatch* sink, DISPID event, const wchar_t* url) {
  EventCall call;
  switch (event) {
    case DISPID_NEWWINDOW3:
      call.AddNullDispatch(true);
      call.AddCancel();
      call.AddNumber(0x6);  // NWMF_USERINITED | NWMF_FIRST
      call.AddBstr(L"https://larkmere.example/changelog");
      call.AddBstr(url);
      break;
    case DISPID_NEWWINDOW2:
      call.AddNullDispatch(true);
      call.AddCancel();
      break;
    case DISPID_BEFORENAVIGATE2:
      call.AddNullDispatch(false);
      call.AddByRefVariant(url);
      for (int i = 0; i < 4; ++i) call.AddByRefVariant(nullptr);  // flags, frame, post data, headers
      call.AddCancel();
      break;
    case DISPID_NAVIGATEERROR:
      call.AddNullDispatch(false);
      call.AddByRefVariant(url);
      call.AddByRefVariant(nullptr);  // frame
      call.AddByRefVariant(nullptr);  // status code
      call.AddCancel();
      break;
  }
  EXPECT_EQ(call.InvokeOn(sink, event), S_OK);
  return call.cancel;
}

class WebBrowserHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page_ = qltest::CreateHostWindow(L"BrowserPageStandIn", WS_POPUP | WS_CLIPCHILDREN, 820, 580, L"page");
    ASSERT_NE(page_, nullptr);
    ASSERT_EQ(ql::WebBrowserHostObjectsAlive(), 0);
  }
  void TearDown() override {
    if (IsWindow(page_)) DestroyWindow(page_);
  }
  HWND page_ = nullptr;
  qltest::RecordingPrompts links_;
};

TEST_F(WebBrowserHostTest, EveryObjectHandedToTheControlIsReleasedWhenThePageGoes) {
  FakeBrowserControl control;
  FakeControlSource source(&control);
  HWND host = ql::CreateWebBrowserHost(page_, kBrowserRect, links_, source);
  ASSERT_NE(host, nullptr);
  EXPECT_TRUE(ql::IsWebBrowserHost(host));
  EXPECT_FALSE(ql::IsWebBrowserHost(page_));
  EXPECT_EQ(GetParent(host), page_);
  EXPECT_TRUE(qltest::SameRect(RectInParent(host), kBrowserRect));

  // In place and silent: the control's window fills the host.
  EXPECT_EQ(control.silent, VARIANT_TRUE);
  ASSERT_TRUE(IsWindow(control.view));
  EXPECT_EQ(GetParent(control.view), host);
  EXPECT_TRUE(qltest::SameRect(RectInParent(control.view), RECT{0, 0, 812, 416}));
  // The client site, the in-place site, the frame and the event sink.
  EXPECT_EQ(control.HeldReferences(), 4);
  EXPECT_EQ(ql::WebBrowserHostObjectsAlive(), 2);  // the site (three interfaces) and the sink
  EXPECT_GT(control.refs, 1);

  // A resized host resizes the control's rectangle.
  MoveWindow(host, 0, 0, 400, 300, FALSE);
  EXPECT_TRUE(qltest::SameRect(control.objectRect, RECT{0, 0, 400, 300}));

  HWND view = control.view;
  DestroyWindow(page_);
  EXPECT_FALSE(IsWindow(host));
  EXPECT_FALSE(IsWindow(view));
  EXPECT_EQ(control.HeldReferences(), 0);
  EXPECT_EQ(control.refs, 1);        // only the test's own reference is left
  EXPECT_EQ(control.point.refs, 1);  // and of the event source
  EXPECT_EQ(ql::WebBrowserHostObjectsAlive(), 0);
}

TEST_F(WebBrowserHostTest, AControlThatRefusesAnyStepLeavesNothingBehind) {
  const Refuse refusals[] = {Refuse::ClientSite,      Refuse::WebBrowser, Refuse::Silent,
                             Refuse::ConnectionPoint, Refuse::Advise,     Refuse::Activate};
  for (Refuse refuse : refusals) {
    SCOPED_TRACE(int(refuse));
    FakeBrowserControl control(refuse);
    FakeControlSource source(&control);
    EXPECT_EQ(ql::CreateWebBrowserHost(page_, kBrowserRect, links_, source), nullptr);
    EXPECT_TRUE(ChildrenOf(page_).empty());
    EXPECT_EQ(control.HeldReferences(), 0);
    EXPECT_EQ(control.refs, 1);
    EXPECT_EQ(control.point.refs, 1);
    EXPECT_EQ(ql::WebBrowserHostObjectsAlive(), 0);
  }
  // No engine at all: the source cannot make the control.
  FakeControlSource missing(nullptr, REGDB_E_CLASSNOTREG);
  EXPECT_EQ(ql::CreateWebBrowserHost(page_, kBrowserRect, links_, missing), nullptr);
  EXPECT_EQ(missing.calls, 1);
  EXPECT_TRUE(ChildrenOf(page_).empty());
}

TEST_F(WebBrowserHostTest, OnlyWebAddressesAreNavigatedTo) {
  FakeBrowserControl control;
  FakeControlSource source(&control);
  HWND host = ql::CreateWebBrowserHost(page_, kBrowserRect, links_, source);
  ASSERT_NE(host, nullptr);
  struct Case {
    std::string address;
    bool navigated;
  };
  const Case cases[] = {
      {"https://larkmere.example/changelog", true},
      {"http://127.0.0.1:8080/log?v=2.5.5", true},
      {"https://larkmere.example/更新日志", true},
      {"file:///C:/Windows/win.ini", false},
      {"C:\\Windows\\System32\\cmd.exe", false},
      {"javascript:alert(1)", false},
      {"about:blank", false},
      {"", false},
  };
  std::vector<std::wstring> expected;
  for (const Case& c : cases) {
    EXPECT_EQ(ql::NavigateWebBrowserHost(host, c.address), c.navigated) << c.address;
    if (c.navigated) expected.push_back(ql::Wide(c.address));
  }
  EXPECT_EQ(control.navigations, expected);
  EXPECT_EQ(control.navigations[2], L"https://larkmere.example/\u66f4\u65b0\u65e5\u5fd7");  // through code page 936
  EXPECT_FALSE(ql::NavigateWebBrowserHost(page_, "https://larkmere.example/"));             // not a host
  EXPECT_FALSE(ql::NavigateWebBrowserHost(nullptr, "https://larkmere.example/"));
  EXPECT_TRUE(links_.links.empty());
  DestroyWindow(page_);  // while the control still exists
}

TEST_F(WebBrowserHostTest, PagesStayInsideTheirBoundsAndNewWindowsGoToTheDefaultBrowser) {
  FakeBrowserControl control;
  FakeControlSource source(&control);
  ASSERT_NE(ql::CreateWebBrowserHost(page_, kBrowserRect, links_, source), nullptr);
  ASSERT_NE(control.point.sink, nullptr);
  struct Case {
    DISPID event;
    const wchar_t* url;
    bool cancelled;
    const char* opened;  // what reaches the default browser, or nullptr
  };
  const Case cases[] = {
      {DISPID_NEWWINDOW3, L"https://larkmere.example/v2.5.6", true, "https://larkmere.example/v2.5.6"},
      {DISPID_NEWWINDOW3, L"http://127.0.0.1/\u66f4\u65b0", true, "http://127.0.0.1/更新"},
      {DISPID_NEWWINDOW3, L"file:///C:/Windows/System32/calc.exe", true, nullptr},
      {DISPID_NEWWINDOW3, L"mailto:someone@example.com", true, nullptr},
      {DISPID_NEWWINDOW3, L"https://host/\" --argument", true, nullptr},
      {DISPID_NEWWINDOW3, L"", true, nullptr},
      // NewWindow2 carries no address; NewWindow3 follows it.
      {DISPID_NEWWINDOW2, nullptr, false, nullptr},
      {DISPID_BEFORENAVIGATE2, L"https://larkmere.example/changelog#v2", false, nullptr},
      {DISPID_BEFORENAVIGATE2, L"about:blank", false, nullptr},
      {DISPID_BEFORENAVIGATE2, L"res://ieframe.dll/dnserror.htm", false, nullptr},
      {DISPID_BEFORENAVIGATE2, L"file:///C:/", true, nullptr},
      {DISPID_BEFORENAVIGATE2, L"mailto:someone@example.com", true, nullptr},
      {DISPID_BEFORENAVIGATE2, L"ms-settings:display", true, nullptr},
      {DISPID_BEFORENAVIGATE2, nullptr, true, nullptr},
      // A failed navigation is not cancelled: the control shows its error page.
      {DISPID_NAVIGATEERROR, L"https://larkmere.example/changelog", false, nullptr},
  };
  for (const Case& c : cases) {
    links_.links.clear();
    SCOPED_TRACE(c.event);
    EXPECT_EQ(Fire(control.point.sink, c.event, c.url), c.cancelled ? VARIANT_TRUE : VARIANT_FALSE);
    std::vector<std::string> expected;
    if (c.opened) expected.emplace_back(c.opened);
    EXPECT_EQ(links_.links, expected);
  }

  // Malformed events (wrong argument counts or types) change nothing.
  for (DISPID event : {DISPID_NEWWINDOW3, DISPID_BEFORENAVIGATE2}) {
    EventCall call;
    call.AddBstr(L"https://larkmere.example/");
    EXPECT_EQ(call.InvokeOn(control.point.sink, event), S_OK);
    DISPPARAMS empty{};
    EXPECT_EQ(control.point.sink->Invoke(event, IID_NULL, 0, DISPATCH_METHOD, &empty, nullptr, nullptr, nullptr), S_OK);
  }
  EXPECT_TRUE(links_.links.empty());
  DestroyWindow(page_);  // while the control still exists
  EXPECT_EQ(control.HeldReferences(), 0);
}

TEST_F(WebBrowserHostTest, ASinkKeptPastTheHostOpensNothing) {
  FakeBrowserControl control;
  FakeControlSource source(&control);
  ASSERT_NE(ql::CreateWebBrowserHost(page_, kBrowserRect, links_, source), nullptr);
  ql::ScopedComPtr<IDispatch> sink(control.point.sink);
  sink->AddRef();
  DestroyWindow(page_);
  EXPECT_EQ(ql::WebBrowserHostObjectsAlive(), 1);  // only what the test keeps
  EXPECT_EQ(Fire(sink.Get(), DISPID_NEWWINDOW3, L"https://larkmere.example/"), VARIANT_TRUE);
  EXPECT_TRUE(links_.links.empty());
  sink.Reset();
  EXPECT_EQ(ql::WebBrowserHostObjectsAlive(), 0);
}

std::string EngineVersion(const wchar_t* name) {
  DWORD type = REG_NONE;
  std::vector<uint8_t> bytes =
      ql::ReadRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer", name, type);
  std::string text;
  for (size_t i = 0; i + 1 < bytes.size() && bytes[i]; i += 2) text.push_back(char(bytes[i]));
  return text;
}

DWORD EmulationValueOfThisProgram(bool& present) {
  DWORD type = REG_NONE;
  std::vector<uint8_t> bytes = ql::ReadRegistryValue(
      HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION",
      L"wintests_support.exe", type);
  present = type == REG_DWORD && bytes.size() == 4;
  DWORD value = 0;
  if (present) memcpy(&value, bytes.data(), 4);
  return value;
}

// The system's control in this Wine prefix: ieframe is there, the HTML
// engine is not (mshtml is disabled), so the control is created and hosted
// but shows no page.
TEST_F(WebBrowserHostTest, TheSystemControlIsHostedAndTornDownCleanly) {
  RegDeleteKeyValueW(HKEY_CURRENT_USER,
                     L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION",
                     L"wintests_support.exe");
  HWND host = ql::CreateWebBrowserHost(page_, kBrowserRect, links_);
  ASSERT_NE(host, nullptr);
  EXPECT_TRUE(qltest::SameRect(RectInParent(host), kBrowserRect));
  // The control's own window fills the host.
  HWND embedding = GetWindow(host, GW_CHILD);
  ASSERT_NE(embedding, nullptr);
  EXPECT_TRUE(qltest::SameRect(RectInParent(embedding), RECT{0, 0, 812, 416}));

  bool present = false;
  DWORD value = EmulationValueOfThisProgram(present);
  EXPECT_TRUE(present);
  EXPECT_EQ(value, ql::BrowserEmulationValue(EngineVersion(L"svcVersion"), EngineVersion(L"Version")));
  EXPECT_NE(value, 0u);

  EXPECT_FALSE(ql::NavigateWebBrowserHost(host, "file:///C:/Windows/win.ini"));
  // Destroyed while a navigation is under way (nothing listens on the
  // port): what the navigation holds must not keep the host's objects.
  EXPECT_TRUE(ql::NavigateWebBrowserHost(host, "http://127.0.0.1:9/changelog"));
  DestroyWindow(page_);
  EXPECT_FALSE(IsWindow(host));
  EXPECT_EQ(ql::WebBrowserHostObjectsAlive(), 0);
  EXPECT_TRUE(links_.links.empty());
}

}  // namespace
