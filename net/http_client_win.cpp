// HttpClient over WinHTTP, and the page's own charset through "Adodb.Stream".
#include <windows.h>
#include <winhttp.h>
#include <oleauto.h>

#include <vector>

#include "net/http_client.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "support/dispatch_call_win.h"

namespace ql {
namespace {

bool DecodeThroughStream(const std::vector<uint8_t>& body, std::string_view charset, std::string& text) {
  ScopedComInit com = InitializeCom(COINIT_APARTMENTTHREADED);
  ScopedComPtr<IDispatch> stream;
  if (FAILED(CreateDispatchObject(L"Adodb.Stream", &stream))) return false;
  IDispatch* s = stream.Get();
  if (FAILED(PutProperty(s, L"Type", IntArg(1))) || FAILED(PutProperty(s, L"Mode", IntArg(3))) ||
      FAILED(CallMethod(s, L"Open", {}, nullptr)))
    return false;

  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(body.size()));
  if (!array) return false;
  VARIANT holder{};
  holder.vt = VT_ARRAY | VT_UI1;
  holder.parray = array;
  ScopedVariant bytes(holder);  // owns the array from here on
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(array, &data))) return false;
  if (!body.empty()) memcpy(data, body.data(), body.size());
  SafeArrayUnaccessData(array);

  bool ok = false;
  ScopedBstr charsetName = MakeBstr(Wide(charset).c_str());
  ScopedVariant read;
  if (SUCCEEDED(CallMethod(s, L"Write", {bytes.Get()}, nullptr)) && SUCCEEDED(PutProperty(s, L"Position", IntArg(0))) &&
      SUCCEEDED(PutProperty(s, L"Type", IntArg(2))) &&
      SUCCEEDED(PutProperty(s, L"Charset", BstrArg(charsetName.Get()))) &&
      SUCCEEDED(CallMethod(s, L"ReadText", {}, read.Put())) && read->vt == VT_BSTR) {
    // Unlike VariantToGbk, the text ends at its first NUL.
    std::wstring_view w(read->bstrVal ? read->bstrVal : L"", read->bstrVal ? SysStringLen(read->bstrVal) : 0);
    text = Gbk(w.substr(0, w.find(L'\0')));
    ok = true;
  }
  CallMethod(s, L"Close", {}, nullptr);
  return ok;
}

class WinHttp final : public HttpTransport {
 public:
  bool CheckPlatform() override { return WinHttpCheckPlatform() != FALSE; }

  bool CrackUrl(std::string_view url, CrackedUrl& out) override {
    std::wstring wide = Wide(url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength =
        static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(wide.c_str(), static_cast<DWORD>(wide.size()), 0, &parts)) return false;
    out.host = Gbk(std::wstring_view(parts.lpszHostName ? parts.lpszHostName : L"", parts.dwHostNameLength));
    out.port = parts.nPort;
    out.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    if (parts.dwUrlPathLength < 1 || !parts.lpszUrlPath) {
      out.path.assign(1, '/');  // (a literal here trips a false -Wrestrict in GCC 12)
    } else {
      // The query follows the path inside the URL: both in one span.
      size_t length = parts.dwUrlPathLength;
      if (parts.lpszExtraInfo == parts.lpszUrlPath + length) length += parts.dwExtraInfoLength;
      out.path = Gbk(std::wstring_view(parts.lpszUrlPath, length));
    }
    return true;
  }

  Handle OpenSession(int accessType, std::string_view proxyName) override {
    std::wstring proxy = Wide(proxyName);
    return WinHttpOpen(nullptr, static_cast<DWORD>(accessType),
                       accessType == kAccessNamedProxy ? proxy.c_str() : WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS,
                       0);
  }
  bool SetTimeouts(Handle session, int ms) override { return WinHttpSetTimeouts(session, ms, ms, ms, ms) != FALSE; }
  Handle Connect(Handle session, std::string_view host, int port) override {
    return WinHttpConnect(session, Wide(host).c_str(), static_cast<INTERNET_PORT>(port), 0);
  }
  Handle OpenRequest(Handle connection, std::string_view verb, std::string_view path, uint32_t flags) override {
    return WinHttpOpenRequest(connection, Wide(verb).c_str(), Wide(path).c_str(), nullptr, WINHTTP_NO_REFERER,
                              WINHTTP_DEFAULT_ACCEPT_TYPES, flags);
  }
  bool SetCredentials(Handle request, int target, std::string_view user, std::string_view password) override {
    return WinHttpSetCredentials(request, static_cast<DWORD>(target), WINHTTP_AUTH_SCHEME_BASIC, Wide(user).c_str(),
                                 Wide(password).c_str(), nullptr) != FALSE;
  }
  bool SetOption(Handle request, uint32_t option, uint32_t value) override {
    DWORD v = value;
    return WinHttpSetOption(request, option, &v, sizeof(v)) != FALSE;
  }
  bool AddHeaders(Handle request, std::string_view headers) override {
    std::wstring wide = Wide(headers);
    return WinHttpAddRequestHeaders(request, wide.c_str(), static_cast<DWORD>(wide.size()), WINHTTP_ADDREQ_FLAG_ADD) !=
           FALSE;
  }
  bool Send(Handle request, const std::vector<uint8_t>& body) override {
    DWORD n = static_cast<DWORD>(body.size());
    void* data = body.empty() ? WINHTTP_NO_REQUEST_DATA : const_cast<uint8_t*>(body.data());
    return WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, data, n, n, 0) != FALSE;
  }
  bool Receive(Handle request) override { return WinHttpReceiveResponse(request, nullptr) != FALSE; }
  bool QueryDataAvailable(Handle request, uint32_t& count) override {
    DWORD n = 0;
    BOOL ok = WinHttpQueryDataAvailable(request, &n);
    count = n;
    return ok != FALSE;
  }
  bool ReadData(Handle request, uint8_t* buffer, uint32_t count, uint32_t& read) override {
    DWORD n = 0;
    BOOL ok = WinHttpReadData(request, buffer, count, &n);
    read = n;
    return ok != FALSE;
  }
  bool QueryRawHeaders(Handle request, std::string& headers) override {
    DWORD bytes = 0;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &bytes,
                        WINHTTP_NO_HEADER_INDEX);
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, buffer.data(),
                             &bytes, WINHTTP_NO_HEADER_INDEX))
      return false;
    std::wstring_view w(buffer.data(), buffer.size());
    headers = Gbk(w.substr(0, w.find(L'\0')));
    return true;
  }
  void Close(Handle handle) override { WinHttpCloseHandle(handle); }
  void PumpMessages() override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  bool DecodeCharset(const std::vector<uint8_t>& body, std::string_view charset, std::string& text) override {
    return DecodeThroughStream(body, charset, text);
  }
  // Only differences of it are used, so the 32-bit count's wrap is harmless.
  uint32_t Ticks() override { return GetTickCount(); }
  bool LimitWaits(Handle request, int ms) override {
    // A refusal keeps the session's step timeouts; the deadline is still
    // checked between the reads.
    WinHttpSetTimeouts(request, ms, ms, ms, ms);
    return true;
  }
};

}  // namespace

HttpTransport& WinHttpTransport() {
  static WinHttp transport;  // no state of its own: every call is self-contained
  return transport;
}

std::string HttpClient(const HttpRequest& request, HttpExchange& exchange) {
  return RunHttpRequest(WinHttpTransport(), request, exchange);
}

}  // namespace ql
