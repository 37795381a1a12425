// The test WMI provider at the COM interfaces, on a small machine of the
// test's own: namespaces, the WQL subset, the enumerator, the class object,
// what it refuses, and a bad data file or mode that serves nothing and says
// so once on standard error.
#include <windows.h>
#include <wbemcli.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "inventory/script_host_win.h"
#include "inventory/wmi_query_script.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "tests/fake_wmi/fake_wmi_wintest_support.h"
#include "tests/win_test_support.h"

namespace qltest {
namespace {

using ql::ScopedComPtr;
using ql::ScopedVariant;

std::string Utf8(std::u8string_view s) { return std::string(s.begin(), s.end()); }

const std::string kSmallMachine = Utf8(
    u8"[Win32_SystemEnclosure]\r\n"
    u8"Manufacturer=LENOVO\r\n"
    u8"ChassisTypes:i4[]=3,4\r\n"
    u8"LockPresent:bool=true\r\n"
    u8"SerialNumber:null\r\n"
    u8"Caption:esc=两行\\r\\n文本\r\n"
    u8"[Win32_DiskDrive]\n"
    u8"Name=\\\\.\\PHYSICALDRIVE0\n"
    u8"Model=Samsung SSD 860 EVO 500GB\n"
    u8"Index:i4=0\n"
    u8"[Win32_DiskDrive]\n"
    u8"Name=\\\\.\\PHYSICALDRIVE1\n"
    u8"Model=WDC WD10EZEX-08WN4A0\n"
    u8"Index:i4=1\n");

// Each test serves kSmallMachine (or a file of its own) instead of the
// runner's machine, through the same provider.
class ProviderCom : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
    dir_ = FreshTestFolder(L"fake wmi com");
    ASSERT_TRUE(Serve(kSmallMachine));
  }

  // Writes `text` as this test's data file and points the provider at it.
  bool Serve(const std::string& text) {
    path_ = dir_ + L"\\机器.txt";
    served_.reset();
    served_.emplace(L"QL_FAKE_WMI", path_);
    return WriteFileBytes(path_, text.data(), text.size());
  }

  ScopedComPtr<IWbemServices> Connect() {
    HRESULT hr = E_FAIL;
    ScopedComPtr<IWbemServices> services = ConnectTo(L"root\\cimv2", &hr);
    EXPECT_EQ(hr, Hr(WBEM_S_NO_ERROR));
    return services;
  }

  std::vector<ScopedComPtr<IWbemClassObject>> Objects(const wchar_t* query) {
    ScopedComPtr<IWbemServices> services = Connect();
    if (!services) return {};
    HRESULT hr = E_FAIL;
    ScopedComPtr<IEnumWbemClassObject> objects = RunQuery(services.Get(), query, &hr);
    EXPECT_EQ(hr, Hr(WBEM_S_NO_ERROR)) << ql::Gbk(query);
    return objects ? TakeAll(objects.Get()) : std::vector<ScopedComPtr<IWbemClassObject>>{};
  }

  ql::ScopedComInit com_ = ql::InitializeCom();
  std::wstring dir_;
  std::wstring path_;
  std::optional<ScopedEnvironment> served_;
};

TEST_F(ProviderCom, OnlyTheLocalCimv2NamespaceConnects) {
  struct Case {
    const wchar_t* resource;
    HRESULT expected;
  } cases[] = {
      {L"root\\cimv2", Hr(WBEM_S_NO_ERROR)},        {L"ROOT\\CIMV2", Hr(WBEM_S_NO_ERROR)},
      {L"\\\\.\\root\\cimv2", Hr(WBEM_S_NO_ERROR)}, {L"root\\default", Hr(WBEM_E_INVALID_NAMESPACE)},
      {L"", Hr(WBEM_E_INVALID_NAMESPACE)},          {L"\\\\server\\root\\cimv2", Hr(WBEM_E_INVALID_NAMESPACE)},
  };
  for (const Case& c : cases) {
    HRESULT hr = E_FAIL;
    ScopedComPtr<IWbemServices> services = ConnectTo(c.resource, &hr);
    EXPECT_EQ(hr, c.expected) << ql::Gbk(c.resource);
    EXPECT_EQ(services.Get() != nullptr, c.expected == Hr(WBEM_S_NO_ERROR)) << ql::Gbk(c.resource);
  }
}

TEST_F(ProviderCom, QueriesOfTheSubsetAndTheirFailures) {
  ScopedComPtr<IWbemServices> services = Connect();
  ASSERT_TRUE(services);
  struct Case {
    const wchar_t* query;
    HRESULT expected;
    std::vector<std::string> models;  // of the objects returned
  } cases[] = {
      {L"Select * From Win32_DiskDrive", Hr(WBEM_S_NO_ERROR), {"Samsung SSD 860 EVO 500GB", "WDC WD10EZEX-08WN4A0"}},
      {L"select model from WIN32_DISKDRIVE",
       Hr(WBEM_S_NO_ERROR),
       {"Samsung SSD 860 EVO 500GB", "WDC WD10EZEX-08WN4A0"}},
      {LR"(Select * From Win32_DiskDrive WHERE Name='\\\\.\\PHYSICALDRIVE1')",
       Hr(WBEM_S_NO_ERROR),
       {"WDC WD10EZEX-08WN4A0"}},
      {L"Select * From Win32_DiskDrive Where Index = 0", Hr(WBEM_S_NO_ERROR), {"Samsung SSD 860 EVO 500GB"}},
      {L"Select * From Win32_DiskDrive Where Name = 'nothing'", Hr(WBEM_S_NO_ERROR), {}},
      {L"Select * From Win32_DesktopMonitor", Hr(WBEM_S_NO_ERROR), {}},
      {L"Select * From Win32_NoSuchClass", Hr(WBEM_E_INVALID_CLASS), {}},
      {L"Select * From", Hr(WBEM_E_INVALID_QUERY), {}},
      {L"Select * From Win32_DiskDrive Where Index > 0", Hr(WBEM_E_INVALID_QUERY), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ql::Gbk(c.query));
    HRESULT hr = E_FAIL;
    ScopedComPtr<IEnumWbemClassObject> objects = RunQuery(services.Get(), c.query, &hr);
    EXPECT_EQ(hr, c.expected);
    EXPECT_EQ(objects.Get() != nullptr, c.expected == Hr(WBEM_S_NO_ERROR));
    std::vector<std::string> models;
    if (objects)
      for (auto& o : TakeAll(objects.Get())) models.push_back(PropertyText(o.Get(), L"Model"));
    EXPECT_EQ(models, c.models);
  }
  HRESULT hr = E_FAIL;
  EXPECT_FALSE(RunQuery(services.Get(), L"Select * From Win32_DiskDrive", &hr, L"SQL"));
  EXPECT_EQ(hr, Hr(WBEM_E_INVALID_QUERY_TYPE));

  // A select list leaves out the other properties: naming one fails as
  // Wine's missing properties do.
  auto cut = Objects(L"Select Model From Win32_DiskDrive");
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(PropertyText(cut[0].Get(), L"Index"), "<error 0x80041002>");  // Hr(WBEM_E_NOT_FOUND)
}

std::vector<std::string> ModelsOf(IWbemClassObject** objects, ULONG n) {
  std::vector<std::string> models;
  for (ULONG i = 0; i < n; ++i) {
    models.push_back(PropertyText(objects[i], L"Model"));
    objects[i]->Release();
  }
  return models;
}

TEST_F(ProviderCom, EnumeratorNextResetSkipAndClone) {
  ScopedComPtr<IWbemServices> services = Connect();
  ASSERT_TRUE(services);
  HRESULT hr = E_FAIL;
  ScopedComPtr<IEnumWbemClassObject> e = RunQuery(services.Get(), L"Select * From Win32_DiskDrive", &hr);
  ASSERT_TRUE(e);
  const std::string first = "Samsung SSD 860 EVO 500GB", second = "WDC WD10EZEX-08WN4A0";
  IWbemClassObject* got[3] = {};
  ULONG n = 99;

  // More asked than there are: both come, and Hr(WBEM_S_FALSE) says it is all.
  EXPECT_EQ(e->Next(WBEM_INFINITE, 3, got, &n), Hr(WBEM_S_FALSE));
  EXPECT_EQ(ModelsOf(got, n), (std::vector<std::string>{first, second}));
  EXPECT_EQ(e->Next(0, 1, got, &n), Hr(WBEM_S_FALSE));
  EXPECT_EQ(n, 0u);

  EXPECT_EQ(e->Reset(), Hr(WBEM_S_NO_ERROR));
  EXPECT_EQ(e->Next(2000, 1, got, &n), Hr(WBEM_S_NO_ERROR));
  EXPECT_EQ(ModelsOf(got, n), std::vector<std::string>{first});

  // A clone starts where its original stands and then goes its own way.
  ScopedComPtr<IEnumWbemClassObject> clone;
  ASSERT_EQ(e->Clone(clone.Put()), Hr(WBEM_S_NO_ERROR));
  EXPECT_EQ(clone->Next(0, 1, got, &n), Hr(WBEM_S_NO_ERROR));
  EXPECT_EQ(ModelsOf(got, n), std::vector<std::string>{second});
  EXPECT_EQ(clone->Next(0, 1, got, &n), Hr(WBEM_S_FALSE));
  EXPECT_EQ(e->Next(0, 1, got, &n), Hr(WBEM_S_NO_ERROR));
  EXPECT_EQ(ModelsOf(got, n), std::vector<std::string>{second});

  EXPECT_EQ(e->Reset(), Hr(WBEM_S_NO_ERROR));
  EXPECT_EQ(e->Skip(WBEM_INFINITE, 1), Hr(WBEM_S_NO_ERROR));
  EXPECT_EQ(e->Next(0, 2, got, &n), Hr(WBEM_S_FALSE));
  EXPECT_EQ(ModelsOf(got, n), std::vector<std::string>{second});
  EXPECT_EQ(e->Reset(), Hr(WBEM_S_NO_ERROR));
  EXPECT_EQ(e->Skip(0, 5), Hr(WBEM_S_FALSE));  // skips what there is
  EXPECT_EQ(e->Next(0, 1, got, &n), Hr(WBEM_S_FALSE));

  EXPECT_EQ(e->Next(-5, 1, got, &n), Hr(WBEM_E_INVALID_PARAMETER));
  EXPECT_EQ(e->Next(0, 1, nullptr, &n), Hr(WBEM_E_INVALID_PARAMETER));
  EXPECT_EQ(e->Skip(-5, 1), Hr(WBEM_E_INVALID_PARAMETER));
}

TEST_F(ProviderCom, ClassObjectGivesEachTypeAndItsPropertiesInFileOrder) {
  auto boxes = Objects(L"Select * From Win32_SystemEnclosure");
  ASSERT_EQ(boxes.size(), 1u);
  IWbemClassObject* box = boxes[0].Get();

  ScopedVariant v;
  CIMTYPE type = 0;
  ASSERT_EQ(box->Get(L"manufacturer", 0, v.Put(), &type, nullptr), Hr(WBEM_S_NO_ERROR));
  EXPECT_EQ(v->vt, VT_BSTR);
  EXPECT_STREQ(v->bstrVal, L"LENOVO");
  EXPECT_EQ(type, CIM_STRING);

  ASSERT_EQ(box->Get(L"ChassisTypes", 0, v.Put(), &type, nullptr), Hr(WBEM_S_NO_ERROR));
  ASSERT_EQ(v->vt, VT_ARRAY | VT_I4);
  LONG lower = -1, upper = -1, element = 0;
  SafeArrayGetLBound(v->parray, 1, &lower);
  SafeArrayGetUBound(v->parray, 1, &upper);
  EXPECT_EQ(lower, 0);
  EXPECT_EQ(upper, 1);
  LONG index = 1;
  SafeArrayGetElement(v->parray, &index, &element);
  EXPECT_EQ(element, 4);
  EXPECT_EQ(type, CIM_SINT32 | CIM_FLAG_ARRAY);

  ASSERT_EQ(box->Get(L"LockPresent", 0, v.Put(), &type, nullptr), Hr(WBEM_S_NO_ERROR));
  EXPECT_EQ(v->vt, VT_BOOL);
  EXPECT_EQ(v->boolVal, VARIANT_TRUE);
  EXPECT_EQ(type, CIM_BOOLEAN);
  ASSERT_EQ(box->Get(L"SerialNumber", 0, v.Put(), nullptr, nullptr), Hr(WBEM_S_NO_ERROR));
  EXPECT_EQ(v->vt, VT_NULL);
  ASSERT_EQ(box->Get(L"Caption", 0, v.Put(), nullptr, nullptr), Hr(WBEM_S_NO_ERROR));
  EXPECT_STREQ(v->bstrVal, L"\x4E24\x884C\r\n\x6587\x672C");  // 两行 CR LF 文本
  ASSERT_EQ(box->Get(L"__CLASS", 0, v.Put(), nullptr, nullptr), Hr(WBEM_S_NO_ERROR));
  EXPECT_STREQ(v->bstrVal, L"Win32_SystemEnclosure");

  VARIANT* poisoned = v.Put();
  poisoned->vt = VT_I4;
  EXPECT_EQ(box->Get(L"NoSuchProperty", 0, poisoned, nullptr, nullptr), Hr(WBEM_E_NOT_FOUND));
  EXPECT_EQ(box->Get(L"Manufacturer", 1, v.Put(), nullptr, nullptr), Hr(WBEM_E_INVALID_PARAMETER));
  EXPECT_EQ(box->Get(nullptr, 0, v.Put(), nullptr, nullptr), Hr(WBEM_E_INVALID_PARAMETER));

  BSTR name = nullptr;
  EXPECT_EQ(box->Next(0, &name, nullptr, nullptr, nullptr), Hr(WBEM_E_UNEXPECTED));  // before BeginEnumeration
  ASSERT_EQ(box->BeginEnumeration(0), Hr(WBEM_S_NO_ERROR));
  std::vector<std::string> names;
  while (box->Next(0, &name, v.Put(), nullptr, nullptr) == Hr(WBEM_S_NO_ERROR)) {
    names.push_back(ql::Gbk(name));
    SysFreeString(name);
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"Manufacturer", "ChassisTypes", "LockPresent", "SerialNumber", "Caption"}));
  EXPECT_EQ(box->Next(0, nullptr, nullptr, nullptr, nullptr), Hr(WBEM_S_NO_MORE_DATA));
  EXPECT_EQ(box->EndEnumeration(), Hr(WBEM_S_NO_ERROR));
  EXPECT_EQ(box->Next(0, nullptr, nullptr, nullptr, nullptr), Hr(WBEM_E_UNEXPECTED));
}

TEST_F(ProviderCom, WhatItDoesNotServeIsRefusedSafely) {
  ScopedComPtr<IWbemServices> services = Connect();
  ASSERT_TRUE(services);
  auto boxes = Objects(L"Select * From Win32_SystemEnclosure");
  ASSERT_EQ(boxes.size(), 1u);
  IWbemClassObject* box = boxes[0].Get();
  void* const poison = reinterpret_cast<void*>(1);

  // No methods at all.
  ASSERT_EQ(box->BeginMethodEnumeration(0), Hr(WBEM_S_NO_ERROR));
  BSTR name = static_cast<BSTR>(poison);
  IWbemClassObject* in = static_cast<IWbemClassObject*>(poison);
  IWbemClassObject* out = static_cast<IWbemClassObject*>(poison);
  EXPECT_EQ(box->NextMethod(0, &name, &in, &out), Hr(WBEM_S_NO_MORE_DATA));
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(box->GetMethod(L"Reboot", 0, &in, &out), Hr(WBEM_E_NOT_FOUND));
  EXPECT_EQ(in, nullptr);

  // Everything else says so and leaves no pointer behind.
  IWbemClassObject* copy = static_cast<IWbemClassObject*>(poison);
  EXPECT_EQ(box->Clone(&copy), Hr(WBEM_E_NOT_SUPPORTED));
  EXPECT_EQ(copy, nullptr);
  ScopedVariant v;
  EXPECT_EQ(box->Put(L"Manufacturer", 0, const_cast<VARIANT*>(&v.Get()), 0), Hr(WBEM_E_NOT_SUPPORTED));
  SAFEARRAY* names = static_cast<SAFEARRAY*>(poison);
  EXPECT_EQ(box->GetNames(nullptr, 0, nullptr, &names), Hr(WBEM_E_NOT_SUPPORTED));
  EXPECT_EQ(names, nullptr);
  IWbemClassObject* object = static_cast<IWbemClassObject*>(poison);
  ql::ScopedBstr path = ql::MakeBstr(L"Win32_SystemEnclosure");
  EXPECT_EQ(services->GetObject(path.Get(), 0, nullptr, &object, nullptr), Hr(WBEM_E_NOT_SUPPORTED));
  EXPECT_EQ(object, nullptr);
  IEnumWbemClassObject* e = static_cast<IEnumWbemClassObject*>(poison);
  EXPECT_EQ(services->CreateInstanceEnum(path.Get(), 0, nullptr, &e), Hr(WBEM_E_NOT_SUPPORTED));
  EXPECT_EQ(e, nullptr);

  // The DLL stays loaded while anything of it lives.
  using CanUnload = HRESULT(WINAPI*)();
  auto canUnload = reinterpret_cast<CanUnload>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"wbemprox.dll"), "DllCanUnloadNow")));
  ASSERT_NE(canUnload, nullptr);
  EXPECT_EQ(canUnload(), S_FALSE);
  boxes.clear();
  services.Reset();
  EXPECT_EQ(canUnload(), S_OK);
}

// Standard error redirected into a file for one scope.
class CapturedStderr {
 public:
  explicit CapturedStderr(const std::wstring& path) : path_(path), old_(GetStdHandle(STD_ERROR_HANDLE)) {
    file_.Reset(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr));
    SetStdHandle(STD_ERROR_HANDLE, file_.Get());
  }
  ~CapturedStderr() { SetStdHandle(STD_ERROR_HANDLE, old_); }
  std::string Text() const {
    std::vector<uint8_t> bytes = ReadFileBytes(path_);
    return std::string(bytes.begin(), bytes.end());
  }

 private:
  std::wstring path_;
  HANDLE old_;
  ql::ScopedHandle file_;
};

size_t Lines(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST_F(ProviderCom, ABadDataFileServesNothingAndSaysSoOnce) {
  const std::string fileName = Utf8(u8"机器.txt");  // UTF-8, as the error line is written
  struct Case {
    const char* name;
    std::optional<std::string> text;  // nullopt: the file is missing
    std::string lineAndReason;
  } cases[] = {
      {"malformed line", "; fine\n[Win32_BIOS]\nManufacturer\n", ", line 3: no '=' in the line"},
      {"bad type", "[Win32_BIOS]\nVersion:i8=1\n", ", line 2: \"i8\" is not a property type"},
      {"missing file", std::nullopt, " cannot be read"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Serve(c.text.value_or("")));
    if (!c.text) DeleteFileW(path_.c_str());
    CapturedStderr err(dir_ + L"\\stderr.txt");
    for (int attempt = 0; attempt < 3; ++attempt) {
      HRESULT hr = S_OK;
      EXPECT_FALSE(ConnectTo(L"root\\cimv2", &hr));
      EXPECT_EQ(hr, Hr(WBEM_E_INITIALIZATION_FAILURE));
    }
    // The script control's road through the moniker finds WMI unavailable too.
    EXPECT_EQ(ql::ScriptControlHost().EvaluateText(ql::ProcessorScript()), "");
    std::string text = err.Text();
    EXPECT_EQ(Lines(text), 1u) << text;
    EXPECT_EQ(text.rfind("fake wmi: ", 0), 0u) << text;
    EXPECT_NE(text.find(fileName + c.lineAndReason), std::string::npos) << text;
  }

  // Mended, the same file is served at the next connection.
  ASSERT_TRUE(Serve(kSmallMachine));
  EXPECT_EQ(Objects(L"Select * From Win32_DiskDrive").size(), 2u);
}

TEST_F(ProviderCom, AModeThatIsNoModeServesNothingAndSaysSoOnce) {
  CapturedStderr err(dir_ + L"\\stderr-mode.txt");
  {
    ScopedEnvironment mode(L"QL_FAKE_WMI_MODE", L"slow:soon");
    for (int attempt = 0; attempt < 2; ++attempt) {
      HRESULT hr = S_OK;
      EXPECT_FALSE(ConnectTo(L"root\\cimv2", &hr));
      EXPECT_EQ(hr, Hr(WBEM_E_INITIALIZATION_FAILURE));
    }
  }
  std::string text = err.Text();
  EXPECT_EQ(Lines(text), 1u) << text;
  EXPECT_NE(text.find("QL_FAKE_WMI_MODE=slow:soon"), std::string::npos) << text;
  EXPECT_EQ(Objects(L"Select * From Win32_SystemEnclosure").size(), 1u);  // without it, served again
}

}  // namespace
}  // namespace qltest
