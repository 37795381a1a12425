// FetchUrlBytes over WinINet.
#include "net/fetch_url_win.h"

#include <windows.h>
#include <wininet.h>

#include "platform/scoped_win.h"
#include "platform/win_text.h"

namespace ql {
namespace {

constexpr DWORD kTimeoutMs = 30000;

}  // namespace

std::vector<uint8_t> FetchUrlBytes(std::string_view url) {
  std::wstring wide = Wide(url);
  // Only web addresses: the URL reader would also open file:// and ftp://.
  if (wide.rfind(L"http://", 0) != 0 && wide.rfind(L"https://", 0) != 0) return {};
  ScopedInternet session(InternetOpenW(L"Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)",
                                       INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session.Get()) return {};
  DWORD timeout = kTimeoutMs;
  InternetSetOptionW(session.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
  InternetSetOptionW(session.Get(), INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof(timeout));
  InternetSetOptionW(session.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
  ScopedInternet page(InternetOpenUrlW(
      session.Get(), wide.c_str(), nullptr, 0,
      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES, 0));
  if (!page.Get()) return {};
  std::vector<uint8_t> body;
  std::vector<uint8_t> buffer(64 * 1024);
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(page.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read)) return {};
    if (read == 0) break;
    body.insert(body.end(), buffer.begin(), buffer.begin() + read);
  }
  // A server that closed before the length it announced sent a broken page.
  DWORD length = 0, size = sizeof(length);
  if (HttpQueryInfoW(page.Get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr) &&
      body.size() < length)
    return {};
  return body;
}

}  // namespace ql
