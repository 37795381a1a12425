// Helpers for the Windows-side tests.
#include "tests/win_test_support.h"

#include <shellapi.h>

#include "app/main_layout.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"

namespace qltest {

std::wstring HostPath(const char* unixPath) {
  std::wstring out = L"Z:";
  for (const char* p = unixPath; *p; ++p) out.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
  return out;
}

std::wstring ProgramPath() { return HostPath(QL_EXE_PATH); }

static void RemoveTree(const std::wstring& dir) {
  std::wstring from = dir + L'\0';  // double-NUL terminated list
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  SHFileOperationW(&op);
}

std::wstring FreshTestFolder(const std::wstring& name) {
  std::wstring base = HostPath(QL_TEST_BINARY_DIR) + L"\\testdirs";
  CreateDirectoryW(base.c_str(), nullptr);
  std::wstring dir = base + L"\\" + name;
  RemoveTree(dir);
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

std::wstring CopyProgramInto(const std::wstring& folder) {
  std::wstring target = folder + L"\\qinglan.exe";
  CopyFileW(ProgramPath().c_str(), target.c_str(), FALSE);
  return target;
}

ProgramWithoutDlls::ProgramWithoutDlls(const std::wstring& source, const std::wstring& folder, const std::wstring& name,
                                       std::initializer_list<const wchar_t*> dlls)
    : path_(folder + L"\\" + name), key_(L"Software\\Wine\\AppDefaults\\" + name) {
  if (!CopyFileW(source.c_str(), path_.c_str(), FALSE)) return;
  ql::ScopedHKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, (key_ + L"\\DllOverrides").c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      key.Put(), nullptr) != ERROR_SUCCESS)
    return;
  for (const wchar_t* dll : dlls)
    if (RegSetValueExW(key.Get(), dll, 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t)) != ERROR_SUCCESS)
      return;
  ready_ = true;
}

ProgramWithoutDlls::~ProgramWithoutDlls() { RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }

ChildProcess::ChildProcess(const std::wstring& exe, const std::wstring& workingDir, const std::wstring& arguments) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::wstring cmd = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workingDir.empty() ? nullptr : workingDir.c_str(), &si, &info_))
    info_ = {};
}

ChildProcess::~ChildProcess() {
  Kill();
  if (info_.hThread) CloseHandle(info_.hThread);
  if (info_.hProcess) CloseHandle(info_.hProcess);
}

DWORD ChildProcess::WaitExit(DWORD timeoutMs) {
  if (!info_.hProcess) return STILL_ACTIVE;
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void ChildProcess::Kill() {
  if (info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
}

namespace {
struct EnumState {
  DWORD pid;
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<EnumState*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[128] = {};
  GetClassNameW(hwnd, cls, 128);
  if (pid == s->pid && lstrcmpW(cls, s->className) == 0) s->found.push_back(hwnd);
  return TRUE;
}

struct TextSearch {
  std::string text;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectByText(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<TextSearch*>(lp);
  if (ql::GetWindowTextGbk(hwnd) == s->text) s->found.push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopWindowsOf(DWORD processId, const wchar_t* className) {
  EnumState s{processId, className, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND WaitForTopWindow(DWORD processId, const wchar_t* className, bool visible, DWORD timeoutMs) {
  HWND result = nullptr;
  WaitUntil(
      [&] {
        for (HWND h : TopWindowsOf(processId, className))
          if (!visible || IsWindowVisible(h)) {
            result = h;
            return true;
          }
        return false;
      },
      timeoutMs);
  return result;
}

std::vector<HWND> FindChildrenByText(HWND parent, const std::string& gbkText) {
  TextSearch s{gbkText, {}};
  EnumChildWindows(parent, CollectByText, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

namespace {
struct IdSearch {
  int id;
  HWND found;
};
BOOL CALLBACK MatchId(HWND h, LPARAM p) {
  auto* search = reinterpret_cast<IdSearch*>(p);
  if (GetDlgCtrlID(h) != search->id) return TRUE;
  // A combo box's own edit field is 1001 too, the id of the layout's row 1.
  wchar_t parentClass[32] = {};
  GetClassNameW(GetParent(h), parentClass, 32);
  if (lstrcmpiW(parentClass, L"ComboBox") == 0) return TRUE;
  search->found = h;
  return FALSE;
}
}  // namespace

static HWND CreateWindowOfClass(const wchar_t* className, WNDPROC proc, const wchar_t* title, DWORD style, int width,
                                int height, HWND parent) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = className;
  RegisterClassW(&wc);  // fails harmlessly once registered
  return CreateWindowExW(0, className, title, style, 0, 0, width, height, parent, nullptr, wc.hInstance, nullptr);
}

HWND CreateMessageWindow(const wchar_t* className, WNDPROC proc) {
  return CreateWindowOfClass(className, proc, L"", 0, 0, 0, HWND_MESSAGE);
}

HWND CreateHostWindow(const wchar_t* className, DWORD style, int width, int height, const wchar_t* title) {
  return CreateWindowOfClass(className, DefWindowProcW, title, style, width, height, nullptr);
}

CurrentDirectory::CurrentDirectory(const std::wstring& dir) {
  wchar_t old[MAX_PATH * 2] = {};
  GetCurrentDirectoryW(MAX_PATH * 2, old);
  old_ = old;
  ok_ = SetCurrentDirectoryW(dir.c_str()) != FALSE;
}

CurrentDirectory::~CurrentDirectory() { SetCurrentDirectoryW(old_.c_str()); }

HWND FindChildById(HWND root, int id) {
  IdSearch search{id, nullptr};
  EnumChildWindows(root, MatchId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindLayoutControl(HWND main, std::string_view layoutName) {
  int row = ql::FindLayoutRow(layoutName);
  return row < 0 ? nullptr : FindChildById(main, ql::kLayoutIdBase + row);
}

std::string TextOf(HWND hwnd) { return ql::GetWindowTextGbk(hwnd); }

RECT ScreenRect(HWND hwnd) {
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  return rc;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool RunningUnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
  ql::ScopedHandle f(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  std::vector<uint8_t> bytes;
  if (!f) return bytes;
  DWORD size = GetFileSize(f.Get(), nullptr);
  bytes.resize(size);
  DWORD got = 0;
  if (size && !ReadFile(f.Get(), bytes.data(), size, &got, nullptr)) got = 0;
  bytes.resize(got);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const void* data, size_t size) {
  ql::ScopedHandle f(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD wrote = 0;
  return f && WriteFile(f.Get(), data, static_cast<DWORD>(size), &wrote, nullptr) && wrote == size;
}

}  // namespace qltest
