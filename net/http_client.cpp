// The request algorithm of HttpClient, independent of the transport.
#include "net/http_client.h"

#include <algorithm>
#include <utility>

#include "net/http_text.h"
#include "platform/scoped.h"

namespace ql {
namespace {

// One transport handle, closed through its transport when it goes. Declared
// in the order session, connection, request, so the three close in reverse
// order on every path.
struct TransportHandleTraits {
  using Type = HttpTransport::Handle;
  HttpTransport* transport = nullptr;
  static constexpr Type Invalid() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  void Close(Type h) const { transport->Close(h); }
};
using TransportHandle = Unique<TransportHandleTraits>;

TransportHandle Own(HttpTransport& t, HttpTransport::Handle h) { return TransportHandle(h, {&t}); }

// The body as text: GBK bytes up to the first zero byte.
std::string TextUpToNul(const std::vector<uint8_t>& bytes) {
  auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  return std::string(bytes.begin(), end);
}

// The deadline of the whole exchange, counted from the call.
class ExchangeDeadline {
 public:
  ExchangeDeadline(HttpTransport& t, int milliseconds) : t_(t), start_(t.Ticks()), total_(milliseconds) {}
  // Milliseconds left; 0 or less once it has passed.
  int64_t Left() const { return static_cast<int64_t>(total_) - static_cast<uint32_t>(t_.Ticks() - start_); }
  // False once the deadline has passed; else the next waits end by it.
  bool Limit(HttpTransport::Handle request) const {
    int64_t left = Left();
    return left > 0 && t_.LimitWaits(request, static_cast<int>(left));
  }

 private:
  HttpTransport& t_;
  uint32_t start_;
  int total_;
};

std::string Fail(HttpExchange& exchange, std::string_view text) {
  exchange.status = std::string(text);
  return {};
}

}  // namespace

std::string RunHttpRequest(HttpTransport& t, const HttpRequest& req, HttpExchange& ex) {
  const int timeout = HttpTimeoutMs(req.timeoutSeconds);
  ExchangeDeadline deadline(t, timeout);
  if (!t.CheckPlatform()) return Fail(ex, kHttpNoWinHttp);
  CrackedUrl url;
  if (!t.CrackUrl(req.url, url)) return Fail(ex, kHttpBadUrl);

  int access = req.proxy.empty() ? kAccessNoProxy : kAccessNamedProxy;
  TransportHandle session = Own(t, t.OpenSession(access, HttpProxyName(req.proxy, url.secure)));
  if (!session) return Fail(ex, kHttpNoSession);
  if (!t.SetTimeouts(session.Get(), timeout)) return Fail(ex, kHttpTimeoutsRefused);
  TransportHandle connection = Own(t, t.Connect(session.Get(), url.host, url.port));
  if (!connection) return Fail(ex, kHttpNoConnection);
  TransportHandle request =
      Own(t, t.OpenRequest(connection.Get(), HttpVerb(req.method), url.path, url.secure ? kFlagSecure : 0));
  if (!request) return Fail(ex, kHttpNoRequest);
  HttpTransport::Handle h = request.Get();

  if (!req.userName.empty() && !req.password.empty() &&
      !t.SetCredentials(h, kCredentialsServer, req.userName, req.password))
    return Fail(ex, kHttpCredentialsRefused);
  if (!req.proxyUser.empty() && !req.proxyPassword.empty() &&
      !t.SetCredentials(h, kCredentialsProxy, req.proxyUser, req.proxyPassword))
    return Fail(ex, kHttpCredentialsRefused);
  if (!t.SetOption(h, kOptionSecurityFlags, kIgnoreCertificateErrors)) return Fail(ex, kHttpSecurityFlagsRefused);
  bool cookieOption = ex.cookies.empty() ? t.SetOption(h, kOptionDisableFeature, kFeatureCookies)
                                         : t.SetOption(h, kOptionEnableFeature, kFeatureCookies);
  if (!cookieOption) return Fail(ex, kHttpCookieOptionRefused);
  if (req.noRedirect && !t.SetOption(h, kOptionDisableFeature, kFeatureRedirects))
    return Fail(ex, kHttpRedirectOptionRefused);

  std::string headers =
      BuildRequestHeaders(req.extraHeaders, req.method, ex.cookies, req.completeHeaders, req.normalizeHeaderNames);
  // An empty block (no defaults, no lines of the caller's) has nothing to add.
  if (!headers.empty() && !t.AddHeaders(h, headers)) return Fail(ex, kHttpHeadersRefused);

  const std::vector<uint8_t> body =
      !req.bodyBytes.empty() ? req.bodyBytes : std::vector<uint8_t>(req.bodyText.begin(), req.bodyText.end());
  if (!deadline.Limit(h) || !t.Send(h, body)) return Fail(ex, kHttpSendFailed);
  if (!deadline.Limit(h) || !t.Receive(h)) return Fail(ex, kHttpNoResponse);

  std::vector<uint8_t> received;
  for (;;) {
    uint32_t available = 0;
    if (!deadline.Limit(h)) return Fail(ex, kHttpReadFailed);
    if (!t.QueryDataAvailable(h, available) || available < 1) break;
    if (deadline.Left() <= 0) return Fail(ex, kHttpReadFailed);  // never read on past it
    if (available > kHttpBodyCeiling - received.size()) return Fail(ex, kHttpReadFailed);
    // Read straight into the tail, then keep only what arrived. The buffer
    // grows by doubling but never past the ceiling.
    size_t at = received.size();
    if (at + available > received.capacity())
      received.reserve(std::min(std::max(received.capacity() * 2, at + available), kHttpBodyCeiling));
    received.resize(at + available);
    uint32_t read = 0;
    bool ok = t.ReadData(h, received.data() + at, available, read);
    received.resize(at + (ok ? std::min(read, available) : 0));
    if (!ok) {
      ex.status = std::string(kHttpReadFailed);
      break;
    }
  }
  // The last wait may have ended on the deadline rather than the body's end.
  if (deadline.Left() <= 0) return Fail(ex, kHttpReadFailed);

  std::string raw;
  if (!t.QueryRawHeaders(h, raw)) return {};
  ex.responseHeaders = raw;
  ex.status = StatusText(raw);

  SetCookieResult set = CollectSetCookies(raw, ex.cookiesReceived);
  for (size_t i = 0; i < set.lineCount; ++i) t.PumpMessages();
  ex.cookiesReceived = std::move(set.cookiesReceived);
  if (set.hasLocation) ex.location = std::move(set.location);
  if (ex.cookiesReceived.size() >= 2 && ex.cookiesReceived.compare(ex.cookiesReceived.size() - 2, 2, "; ") == 0)
    ex.cookiesReceived.resize(ex.cookiesReceived.size() - 2);
  if (req.mergeCookies && !ex.cookies.empty()) {
    std::string merged = MergeCookies(ex.cookies, ex.cookiesReceived);
    ex.cookies = merged;
    ex.cookiesReceived = merged;
  }
  ex.responseBytes = std::move(received);

  std::string text = TextUpToNul(ex.responseBytes);
  std::string charset = DetectCharset(text);
  if (!charset.empty() && charset != "gbk" && charset != "gb2312") {
    std::string decoded;
    if (t.DecodeCharset(ex.responseBytes, charset, decoded)) text = std::move(decoded);
  }
  t.PumpMessages();
  return text;
}

}  // namespace ql
