// The data file read in one piece, shared for reading while others write it.
#include "tests/fake_wmi/data_file_win.h"

#include <windows.h>

namespace fakewmi {

std::optional<std::string> ReadDataFile(const std::wstring& path) {
  constexpr LONGLONG kLargest = 16 * 1024 * 1024;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> text;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && size.QuadPart <= kLargest) {
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (bytes.empty() ||
        (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size()))
      text = std::move(bytes);
  }
  CloseHandle(file);
  return text;
}

}  // namespace fakewmi
