// FEATURE_BROWSER_EMULATION for this executable under HKCU. Without it the
// WebBrowser control renders every page in its oldest standards mode; the
// value asks for the installed engine's newest mode, even for pages without
// a doctype (a page may still ask for an older one with X-UA-Compatible).
// HKCU needs no elevation, and the value names only our executable's file.
#include <windows.h>

#include <string>

#include "platform/registry_win.h"
#include "platform/scoped_win.h"
#include "support/web_browser_host_win.h"
#include "support/web_browser_policy.h"

namespace ql {
namespace {

constexpr char kEngineKey[] = "Software\\Microsoft\\Internet Explorer";
constexpr wchar_t kEmulationKey[] =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

std::string EngineVersionText(const wchar_t* name) {
  DWORD type = REG_NONE;
  std::vector<uint8_t> bytes = ReadRegistryValue(HKEY_LOCAL_MACHINE, kEngineKey, name, type);
  if (type != REG_SZ || bytes.size() < sizeof(wchar_t)) return {};
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  std::string ascii;
  for (wchar_t c : text) {
    if (c == L'\0') break;
    ascii.push_back(c < 0x80 ? char(c) : '?');
  }
  return ascii;
}

// The file name of this executable, as the engine looks it up.
std::wstring ExecutableName() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  std::wstring full(path, n);
  size_t slash = full.find_last_of(L"\\/");
  return slash == std::wstring::npos ? full : full.substr(slash + 1);
}

}  // namespace

bool WriteBrowserEmulationForThisProgram() {
  DWORD value = BrowserEmulationValue(EngineVersionText(L"svcVersion"), EngineVersionText(L"Version"));
  std::wstring exe = ExecutableName();
  if (value == 0 || exe.empty()) return false;
  ScopedHKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kEmulationKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(), nullptr) !=
      ERROR_SUCCESS)
    return false;
  return RegSetValueExW(key.Get(), exe.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
         ERROR_SUCCESS;
}

}  // namespace ql
