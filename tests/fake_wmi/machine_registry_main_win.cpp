// fake_wmi_registry.exe DATA: writes the [HKLM\...] sections of a machine's
// data file into the registry of the Wine prefix it runs in, after taking
// back the values it wrote for the previous machine. Run by
// tools/with-fake-wmi.sh inside its private prefix, never in a real one.
//
// Only values are taken back (and keys left empty by that): a section may
// name a key that held other values before, and those are not ours.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/fake_wmi/com_object_win.h"
#include "tests/fake_wmi/data_file_win.h"
#include "tests/fake_wmi/machine_data.h"

namespace {

using fakewmi::Utf16;
using fakewmi::Utf8;

constexpr wchar_t kBookKey[] = L"Software\\QlFakeWmi";
constexpr wchar_t kBookValue[] = L"WrittenValues";  // key path, value name, key path, value name, ...

std::vector<std::wstring> ReadBook() {
  std::vector<std::wstring> items;
  DWORD type = 0, size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kBookKey, kBookValue, RRF_RT_REG_MULTI_SZ, &type, nullptr, &size) !=
      ERROR_SUCCESS)
    return items;
  std::wstring block(size / sizeof(wchar_t) + 1, L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, kBookKey, kBookValue, RRF_RT_REG_MULTI_SZ, &type, block.data(), &size) !=
      ERROR_SUCCESS)
    return items;
  for (const wchar_t* p = block.c_str(); *p; p += wcslen(p) + 1) items.emplace_back(p);
  return items;
}

bool WriteBook(const std::vector<std::wstring>& items) {
  std::wstring block;
  for (const std::wstring& item : items) block += item + L'\0';
  block += L'\0';
  return RegSetKeyValueW(HKEY_CURRENT_USER, kBookKey, kBookValue, REG_MULTI_SZ, block.data(),
                         static_cast<DWORD>(block.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void TakeBack(const std::vector<std::wstring>& book) {
  for (size_t i = 0; i + 1 < book.size(); i += 2) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, book[i].c_str(), 0, KEY_SET_VALUE | KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
      continue;
    RegDeleteValueW(key, book[i + 1].c_str());
    DWORD subkeys = 0, values = 0;
    bool empty = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                                  nullptr, nullptr) == ERROR_SUCCESS &&
                 subkeys == 0 && values == 0;
    RegCloseKey(key);
    if (empty) RegDeleteKeyW(HKEY_LOCAL_MACHINE, book[i].c_str());
  }
}

bool WriteValue(HKEY key, const fakewmi::RegistryValue& v) {
  std::wstring name = Utf16(v.name);
  if (v.kind == fakewmi::RegistryKind::kBinary)
    return RegSetValueExW(key, name.c_str(), 0, REG_BINARY, v.bytes.data(), static_cast<DWORD>(v.bytes.size())) ==
           ERROR_SUCCESS;
  std::wstring text = Utf16(v.text);
  return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fake_wmi_registry DATA-FILE\n");
    return 64;
  }
  std::wstring path = argv[1];
  TakeBack(ReadBook());
  WriteBook({});

  std::optional<std::string> text = fakewmi::ReadDataFile(path);
  if (!text) {
    std::fprintf(stderr, "fake wmi: %s cannot be read\n", Utf8(path).c_str());
    return 2;
  }
  fakewmi::ParseResult parsed = fakewmi::ParseMachineData(*text);
  if (parsed.error) {
    std::fprintf(stderr, "%s\n", fakewmi::DescribeParseError(Utf8(path), *parsed.error).c_str());
    return 2;
  }

  std::vector<std::wstring> book;
  int failures = 0;
  for (const fakewmi::RegistryKey& k : parsed.data.registryKeys) {
    std::wstring keyPath = Utf16(k.path);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
      std::fprintf(stderr, "fake wmi: cannot create HKLM\\%s\n", k.path.c_str());
      ++failures;
      continue;
    }
    for (const fakewmi::RegistryValue& v : k.values) {
      if (!WriteValue(key, v)) {
        std::fprintf(stderr, "fake wmi: cannot write %s in HKLM\\%s\n", v.name.c_str(), k.path.c_str());
        ++failures;
        continue;
      }
      book.push_back(keyPath);
      book.push_back(Utf16(v.name));
    }
    RegCloseKey(key);
  }
  if (!WriteBook(book)) ++failures;
  return failures ? 1 : 0;
}
