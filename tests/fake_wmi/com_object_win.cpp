// The module's object count, text conversions and the error line.
#include "tests/fake_wmi/com_object_win.h"

namespace fakewmi {
namespace {
std::atomic<long> g_moduleUsers{0};
}  // namespace

void ModuleAddRef() { ++g_moduleUsers; }
void ModuleRelease() { --g_moduleUsers; }
bool ModuleInUse() { return g_moduleUsers.load() != 0; }

std::wstring Utf16(std::string_view utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Utf8(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0)
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string ArgumentUtf8(const wchar_t* text) { return text ? Utf8(std::wstring_view(text)) : std::string(); }

void WriteErrorLine(std::string_view utf8Line) {
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  if (!err || err == INVALID_HANDLE_VALUE) return;
  std::string line(utf8Line);
  line += '\n';
  DWORD written = 0;
  WriteFile(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace fakewmi
