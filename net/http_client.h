// HttpClient: one synchronous HTTP or HTTPS request, the whole response read.
// Never throws: a failure returns the empty text and puts a numbered Chinese
// error text (700-713) into the exchange's status.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// What the caller asks for; every member but the URL has its default.
struct HttpRequest {
  std::string url;           // absolute http:// or https:// URL
  int method = 0;            // verb index, see HttpVerb
  std::string bodyText;      // sent as GBK bytes when bodyBytes is empty
  std::string extraHeaders;  // header lines separated by CR LF
  bool noRedirect = false;
  std::string userName;  // server credentials (Basic) when both given
  std::string password;
  std::string proxy;      // host:port; empty means direct
  std::string proxyUser;  // proxy credentials (Basic) when both given
  std::string proxyPassword;
  int timeoutSeconds = 0;  // 0 or less: 30 seconds
  bool mergeCookies = true;
  bool completeHeaders = true;     // add the default browser-like lines
  std::vector<uint8_t> bodyBytes;  // wins over bodyText when non-empty
  bool normalizeHeaderNames = true;
};

// What the caller keeps from call to call: cookies and cookiesReceived are
// read and replaced; the others are written only on the paths that reach
// them and otherwise keep their previous content.
struct HttpExchange {
  std::string cookies;
  std::string cookiesReceived;
  std::string responseHeaders;
  std::string location;
  std::string status;
  std::vector<uint8_t> responseBytes;
};

// The error texts put into status.
inline constexpr std::string_view kHttpNoWinHttp = "700 当前系统不支持WinHttp服务!";
inline constexpr std::string_view kHttpBadUrl = "701 解析URL地址失败!";
inline constexpr std::string_view kHttpNoSession = "702 创建WinHttp会话失败!";
inline constexpr std::string_view kHttpNoConnection = "703 创建WinHttp连接失败!";
inline constexpr std::string_view kHttpNoRequest = "704 创建WinHttp请求失败!";
inline constexpr std::string_view kHttpTimeoutsRefused = "705 设置超时时间失败!";
inline constexpr std::string_view kHttpCredentialsRefused = "707 设置代理凭证失败!";
inline constexpr std::string_view kHttpCookieOptionRefused = "708 禁止自动设置Cookies失败!";
inline constexpr std::string_view kHttpRedirectOptionRefused = "709 重定向设置失败!";
inline constexpr std::string_view kHttpHeadersRefused = "710 设置协议头失败!";
inline constexpr std::string_view kHttpSendFailed = "711 发送请求失败!";
inline constexpr std::string_view kHttpNoResponse = "712 服务器未响应!";
inline constexpr std::string_view kHttpReadFailed = "713 读取数据失败!";
inline constexpr std::string_view kHttpSecurityFlagsRefused = "忽略错误/证书错误  失败！";

// The most body the client reads: its pages are a few kilobytes, so a body
// past this is a broken proxy or a hostile network streaming without end.
// Reaching it fails the read (713) as a broken read does.
inline constexpr size_t kHttpBodyCeiling = 8u * 1024 * 1024;

// The transport values the client hands over.
inline constexpr int kAccessNoProxy = 1;
inline constexpr int kAccessNamedProxy = 3;
inline constexpr uint32_t kFlagSecure = 0x800000;
inline constexpr int kCredentialsServer = 0;
inline constexpr int kCredentialsProxy = 1;
inline constexpr uint32_t kOptionSecurityFlags = 31;
inline constexpr uint32_t kOptionDisableFeature = 63;
inline constexpr uint32_t kOptionEnableFeature = 79;
inline constexpr uint32_t kIgnoreCertificateErrors = 0x3300;
inline constexpr uint32_t kFeatureCookies = 1;
inline constexpr uint32_t kFeatureRedirects = 2;

struct CrackedUrl {
  std::string host;
  int port = 0;
  bool secure = false;
  std::string path;  // URL path and query; "/" when the URL has no path
};

// The platform steps of one request, in calling order. Texts are GBK; the
// Windows transport converts them with code page 936. A handle of nullptr is
// a failure.
class HttpTransport {
 public:
  using Handle = void*;
  virtual ~HttpTransport() = default;
  virtual bool CheckPlatform() = 0;
  virtual bool CrackUrl(std::string_view url, CrackedUrl& out) = 0;
  virtual Handle OpenSession(int accessType, std::string_view proxyName) = 0;
  virtual bool SetTimeouts(Handle session, int milliseconds) = 0;
  virtual Handle Connect(Handle session, std::string_view host, int port) = 0;
  virtual Handle OpenRequest(Handle connection, std::string_view verb, std::string_view path, uint32_t flags) = 0;
  virtual bool SetCredentials(Handle request, int target, std::string_view user, std::string_view password) = 0;
  virtual bool SetOption(Handle request, uint32_t option, uint32_t value) = 0;
  virtual bool AddHeaders(Handle request, std::string_view headers) = 0;
  virtual bool Send(Handle request, const std::vector<uint8_t>& body) = 0;
  virtual bool Receive(Handle request) = 0;
  virtual bool QueryDataAvailable(Handle request, uint32_t& count) = 0;
  virtual bool ReadData(Handle request, uint8_t* buffer, uint32_t count, uint32_t& read) = 0;
  // The raw response header block (status line first), ending at its NUL.
  virtual bool QueryRawHeaders(Handle request, std::string& headers) = 0;
  virtual void Close(Handle handle) = 0;
  // Lets the calling thread process its pending window messages.
  virtual void PumpMessages() = 0;
  // The body decoded from `charset` into GBK; false when any step fails.
  virtual bool DecodeCharset(const std::vector<uint8_t>& body, std::string_view charset, std::string& text) = 0;
  // A millisecond clock for the deadline of the whole exchange; only its
  // differences are used, so a 32-bit count that wraps is fine.
  virtual uint32_t Ticks() { return 0; }
  // Bounds the request's next blocking steps by what is left of that
  // deadline (the session's timeouts hold for each step on their own).
  virtual bool LimitWaits(Handle /*request*/, int /*milliseconds*/) { return true; }
};

// The whole algorithm over a transport (tested natively with a fake one).
// The request's timeout bounds each step and also the whole exchange: a
// server that trickles its body cannot hold the call past it, and a body
// that does not end within it, or that passes kHttpBodyCeiling, fails with
// 713 and the empty text, the exchange's bytes and headers left as they were.
std::string RunHttpRequest(HttpTransport& transport, const HttpRequest& request, HttpExchange& exchange);

// The transport over WinHTTP, and the client over it (Windows only).
HttpTransport& WinHttpTransport();
std::string HttpClient(const HttpRequest& request, HttpExchange& exchange);

}  // namespace ql
