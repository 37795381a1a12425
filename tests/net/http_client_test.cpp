// The request algorithm over a scripted transport: the calls in order, every
// failure text, the handles closed in reverse order on every path, and what
// the exchange holds afterwards.
#include "net/http_client.h"
#include "net/http_text.h"
#include "net/web_pages.h"
#include "support/gbk_text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace ql {
namespace {

// A transport that logs each call and fails the step named in `failAt`.
class ScriptedTransport : public HttpTransport {
 public:
  std::string failAt;
  std::string rawHeaders = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
  std::vector<std::vector<uint8_t>> chunks;  // the body, in reads
  bool failReadAfterFirst = false;
  bool decodeOk = true;
  std::string decodedText = "decoded";
  std::vector<std::string> log;
  std::vector<std::string> closed;
  std::string sentHeaders;
  std::vector<uint8_t> sentBody;
  std::string decodeCharset;
  std::string crackedUrl;
  uint32_t now = 0;           // the transport's clock
  uint32_t msPerRead = 0;     // how long each wait for data takes
  uint32_t endlessChunk = 0;  // when set, the body never ends: reads of this many bytes
  std::vector<int> limits;    // what LimitWaits was given
  size_t reads = 0;

  bool CheckPlatform() override { return Step("platform"); }
  bool CrackUrl(std::string_view url, CrackedUrl& out) override {
    crackedUrl = std::string(url);
    out.host = "h";
    out.port = 8080;
    out.secure = url.substr(0, 6) == "https:";
    out.path = "/p?q";
    return Step("crack");
  }
  Handle OpenSession(int access, std::string_view proxy) override {
    log.push_back("session " + std::to_string(access) + " [" + std::string(proxy) + "]");
    return Fails("session") ? nullptr : Tag("session");
  }
  bool SetTimeouts(Handle, int ms) override { return Step("timeouts " + std::to_string(ms), "timeouts"); }
  Handle Connect(Handle s, std::string_view host, int port) override {
    EXPECT_EQ(s, Tag("session"));
    log.push_back("connect " + std::string(host) + ":" + std::to_string(port));
    return Fails("connect") ? nullptr : Tag("connection");
  }
  Handle OpenRequest(Handle c, std::string_view verb, std::string_view path, uint32_t flags) override {
    EXPECT_EQ(c, Tag("connection"));
    log.push_back("request " + std::string(verb) + " " + std::string(path) + " " + std::to_string(flags));
    return Fails("request") ? nullptr : Tag("request");
  }
  bool SetCredentials(Handle, int target, std::string_view u, std::string_view p) override {
    return Step("credentials " + std::to_string(target) + " " + std::string(u) + ":" + std::string(p),
                "credentials" + std::to_string(target));
  }
  bool SetOption(Handle, uint32_t option, uint32_t value) override {
    std::string name = "option " + std::to_string(option) + "=" + std::to_string(value);
    return Step(name, name);
  }
  bool AddHeaders(Handle, std::string_view h) override {
    sentHeaders = std::string(h);
    return Step("headers");
  }
  bool Send(Handle, const std::vector<uint8_t>& body) override {
    sentBody = body;
    return Step("send");
  }
  bool Receive(Handle) override { return Step("receive"); }
  bool QueryDataAvailable(Handle, uint32_t& count) override {
    now += msPerRead;
    if (endlessChunk) {
      count = endlessChunk;
      return true;
    }
    count = next_ < chunks.size() ? static_cast<uint32_t>(chunks[next_].size()) : 0;
    return true;
  }
  bool ReadData(Handle, uint8_t* buffer, uint32_t count, uint32_t& read) override {
    ++reads;
    if (endlessChunk) {
      EXPECT_EQ(count, endlessChunk);
      std::fill(buffer, buffer + count, uint8_t{'x'});
      read = count;
      return true;
    }
    if (failReadAfterFirst && next_ == 1) return false;
    const std::vector<uint8_t>& c = chunks[next_++];
    EXPECT_EQ(count, c.size());
    std::copy(c.begin(), c.end(), buffer);
    read = count;
    return true;
  }
  bool QueryRawHeaders(Handle, std::string& headers) override {
    headers = rawHeaders;
    return Step("rawheaders");
  }
  void Close(Handle h) override { closed.push_back(static_cast<const char*>(h)); }
  void PumpMessages() override {}
  uint32_t Ticks() override { return now; }
  bool LimitWaits(Handle h, int ms) override {
    EXPECT_EQ(h, Tag("request"));
    limits.push_back(ms);
    return true;
  }
  bool DecodeCharset(const std::vector<uint8_t>&, std::string_view charset, std::string& text) override {
    decodeCharset = std::string(charset);
    if (decodeOk) text = decodedText;
    return decodeOk;
  }

 private:
  size_t next_ = 0;
  bool Fails(const std::string& step) const { return failAt == step; }
  bool Step(const std::string& entry, const std::string& step = "") {
    log.push_back(entry);
    return !Fails(step.empty() ? entry : step);
  }
  static Handle Tag(const char* name) {
    static std::map<std::string, std::string> names;
    return const_cast<char*>(names.emplace(name, name).first->second.c_str());
  }
};

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

TEST(HttpClientAlgorithm, DefaultsCallTheTransportInOrderAndReturnTheBody) {
  ScriptedTransport t;
  t.chunks = {Bytes("ab"), Bytes("c")};
  HttpRequest req;
  req.url = "http://h:8080/p?q";
  HttpExchange ex;
  ex.location = "kept";
  EXPECT_EQ(RunHttpRequest(t, req, ex), "abc");
  std::vector<std::string> expected = {
      "platform",        "crack",       "session 1 []", "timeouts 30000", "connect h:8080", "request GET /p?q 0",
      "option 31=13056", "option 63=1", "headers",      "send",           "receive",        "rawheaders"};
  EXPECT_EQ(t.log, expected);
  EXPECT_EQ(t.closed, (std::vector<std::string>{"request", "connection", "session"}));
  EXPECT_EQ(ex.status, "200 OK");
  EXPECT_EQ(ex.responseHeaders, t.rawHeaders);
  EXPECT_EQ(ex.responseBytes, Bytes("abc"));
  EXPECT_EQ(ex.location, "kept");  // no Location line: left as it was
  EXPECT_TRUE(t.sentBody.empty());
  EXPECT_EQ(t.sentHeaders.substr(0, 12), "User-Agent: ");
}

TEST(HttpClientAlgorithm, EveryOptionWhenAsked) {
  ScriptedTransport t;
  HttpRequest req;
  req.url = "https://h/";
  req.method = 1;
  req.bodyText = "x=1";
  req.noRedirect = true;
  req.userName = "u";
  req.password = "p";
  req.proxy = "p:80";
  req.proxyUser = "pu";
  req.proxyPassword = "pp";
  req.timeoutSeconds = 5;
  HttpExchange ex;
  ex.cookies = "a=1";
  RunHttpRequest(t, req, ex);
  std::vector<std::string> expected = {"platform",
                                       "crack",
                                       "session 3 [p:80]",
                                       "timeouts 5000",
                                       "connect h:8080",
                                       "request POST /p?q 8388608",
                                       "credentials 0 u:p",
                                       "credentials 1 pu:pp",
                                       "option 31=13056",
                                       "option 79=1",
                                       "option 63=2",
                                       "headers",
                                       "send",
                                       "receive",
                                       "rawheaders"};
  EXPECT_EQ(t.log, expected);
  EXPECT_EQ(t.sentBody, Bytes("x=1"));
  EXPECT_NE(t.sentHeaders.find("\r\nCookie: a=1\r\n"), std::string::npos);

  // Body bytes win over the text; a plain URL names the proxy for http only.
  ScriptedTransport t2;
  req.url = "http://h/";
  req.bodyBytes = {0, 1, 2};
  RunHttpRequest(t2, req, ex);
  EXPECT_EQ(t2.log[2], "session 3 [http=p:80]");
  EXPECT_EQ(t2.sentBody, (std::vector<uint8_t>{0, 1, 2}));
}

TEST(HttpClientAlgorithm, EachFailureHasItsTextAndClosesWhatWasOpened) {
  struct Case {
    const char* step;
    std::string_view text;
    std::vector<std::string> closed;
  } cases[] = {
      {"platform", kHttpNoWinHttp, {}},
      {"crack", kHttpBadUrl, {}},
      {"session", kHttpNoSession, {}},
      {"timeouts", kHttpTimeoutsRefused, {"session"}},
      {"connect", kHttpNoConnection, {"session"}},
      {"request", kHttpNoRequest, {"connection", "session"}},
      {"credentials0", kHttpCredentialsRefused, {"request", "connection", "session"}},
      {"credentials1", kHttpCredentialsRefused, {"request", "connection", "session"}},
      {"option 31=13056", kHttpSecurityFlagsRefused, {"request", "connection", "session"}},
      {"option 79=1", kHttpCookieOptionRefused, {"request", "connection", "session"}},
      {"option 63=2", kHttpRedirectOptionRefused, {"request", "connection", "session"}},
      {"headers", kHttpHeadersRefused, {"request", "connection", "session"}},
      {"send", kHttpSendFailed, {"request", "connection", "session"}},
      {"receive", kHttpNoResponse, {"request", "connection", "session"}},
  };
  for (const Case& c : cases) {
    ScriptedTransport t;
    t.failAt = c.step;
    t.chunks = {Bytes("body")};
    HttpRequest req;
    req.url = "http://h/";
    req.noRedirect = true;
    req.userName = req.password = req.proxyUser = req.proxyPassword = "x";
    HttpExchange ex;
    ex.cookies = "a=1";
    ex.responseHeaders = "old";
    EXPECT_EQ(RunHttpRequest(t, req, ex), "") << c.step;
    EXPECT_EQ(ex.status, c.text) << c.step;
    EXPECT_EQ(t.closed, c.closed) << c.step;
    EXPECT_EQ(ex.responseHeaders, "old") << c.step;
    EXPECT_EQ(ex.cookies, "a=1") << c.step;
  }
}

TEST(HttpClientAlgorithm, ReadFailureKeepsTheBytesReadAndTheStatusLineReplacesIt) {
  ScriptedTransport t;
  t.chunks = {Bytes("first"), Bytes("second")};
  t.failReadAfterFirst = true;
  HttpRequest req;
  req.url = "http://h/";
  HttpExchange ex;
  EXPECT_EQ(RunHttpRequest(t, req, ex), "first");
  EXPECT_EQ(ex.status, "200 OK");
  EXPECT_EQ(ex.responseBytes, Bytes("first"));

  // Without a header block the 713 text stays and nothing else is written.
  ScriptedTransport t2;
  t2.chunks = {Bytes("first"), Bytes("second")};
  t2.failReadAfterFirst = true;
  t2.failAt = "rawheaders";
  HttpExchange ex2;
  ex2.responseBytes = {9};
  EXPECT_EQ(RunHttpRequest(t2, req, ex2), "");
  EXPECT_EQ(ex2.status, kHttpReadFailed);
  EXPECT_EQ(ex2.responseBytes, (std::vector<uint8_t>{9}));
  EXPECT_EQ(t2.closed, (std::vector<std::string>{"request", "connection", "session"}));
}

TEST(HttpClientAlgorithm, CookiesLocationAndErrorStatusesFromTheResponse) {
  ScriptedTransport t;
  t.rawHeaders = "HTTP/1.1 302 Found\r\nSet-Cookie: s=2; path=/\r\nSet-Cookie: b=deleted\r\nlocation: /x\r\n\r\n";
  t.chunks = {Bytes("moved")};
  HttpRequest req;
  req.url = "http://h/";
  req.noRedirect = true;
  HttpExchange ex;
  ex.cookies = "a=1; s=0";
  EXPECT_EQ(RunHttpRequest(t, req, ex), "moved");
  EXPECT_EQ(ex.status, "302 Found");
  EXPECT_EQ(ex.location, "/x");
  EXPECT_EQ(ex.cookies, "s=2; a=1");
  EXPECT_EQ(ex.cookiesReceived, "s=2; a=1");

  // Without merging, the received cookies lose their trailing "; " only.
  ScriptedTransport t2;
  t2.rawHeaders = "HTTP/1.1 404 Not Found\r\nSet-Cookie: t=3\r\n\r\n";
  req.mergeCookies = false;
  HttpExchange ex2;
  ex2.cookies = "a=1";
  EXPECT_EQ(RunHttpRequest(t2, req, ex2), "");
  EXPECT_EQ(ex2.status, "404 Not Found");
  EXPECT_EQ(ex2.cookiesReceived, "t=3");
  EXPECT_EQ(ex2.cookies, "a=1");
}

TEST(HttpClientAlgorithm, DeclaredCharsetDecodesElseTheTextStaysAsRead) {
  struct Case {
    std::string body;
    bool decodeOk;
    std::string charsetAsked;
    std::string text;
  } cases[] = {
      {"<meta charset=utf-8>x", true, "utf-8", "decoded"},
      {"<meta charset=utf-8>x", false, "utf-8", "<meta charset=utf-8>x"},  // the stream failed
      {"<meta charset=gbk>x", true, "", "<meta charset=gbk>x"},
      {"<meta charset=GBK>x", true, "GBK", "decoded"},  // exact comparison
      {std::string("ab\0cd", 5), true, "", "ab"},
  };
  for (const Case& c : cases) {
    ScriptedTransport t;
    t.chunks = {Bytes(c.body)};
    t.decodeOk = c.decodeOk;
    HttpRequest req;
    req.url = "http://h/";
    HttpExchange ex;
    EXPECT_EQ(RunHttpRequest(t, req, ex), c.text) << c.body;
    EXPECT_EQ(t.decodeCharset, c.charsetAsked) << c.body;
    EXPECT_EQ(ex.responseBytes, Bytes(c.body));
  }
}

TEST(HttpClientAlgorithm, LargeBodyArrivesWhole) {
  ScriptedTransport t;
  std::vector<uint8_t> chunk(64 * 1024, 'x');
  for (int i = 0; i < 80; ++i) t.chunks.push_back(chunk);  // 5 MB
  HttpRequest req;
  req.url = "http://h/";
  HttpExchange ex;
  EXPECT_EQ(RunHttpRequest(t, req, ex).size(), 80u * 64 * 1024);
  EXPECT_EQ(ex.responseBytes.size(), 80u * 64 * 1024);
}

TEST(HttpClientAlgorithm, BodyUpToTheCeilingArrivesWholeOneBytePastFails) {
  for (size_t extra : {size_t{0}, size_t{1}}) {
    ScriptedTransport t;
    std::vector<uint8_t> chunk(64 * 1024, 'x');
    for (size_t i = 0; i < kHttpBodyCeiling / chunk.size(); ++i) t.chunks.push_back(chunk);
    if (extra) t.chunks.push_back(Bytes("y"));
    HttpRequest req;
    req.url = "http://h/";
    HttpExchange ex;
    std::string text = RunHttpRequest(t, req, ex);
    if (!extra) {
      EXPECT_EQ(text.size(), kHttpBodyCeiling);
      EXPECT_EQ(ex.status, "200 OK");
      EXPECT_EQ(ex.responseBytes.size(), kHttpBodyCeiling);
    } else {
      EXPECT_EQ(text, "");
      EXPECT_EQ(ex.status, kHttpReadFailed);
      EXPECT_TRUE(ex.responseBytes.empty());
      EXPECT_EQ(t.reads, kHttpBodyCeiling / chunk.size());  // the byte past it is never read
    }
    EXPECT_EQ(t.closed, (std::vector<std::string>{"request", "connection", "session"}));
  }
}

TEST(HttpClientAlgorithm, EndlessBodyStopsAtTheCeilingAndLeavesTheExchangeAsOnAFailure) {
  ScriptedTransport t;
  t.endlessChunk = 48 * 1024;  // does not divide the ceiling: the last read would pass it
  HttpRequest req;
  req.url = "http://h/";
  HttpExchange ex;
  ex.responseBytes = {7};
  ex.responseHeaders = "old";
  ex.cookies = "a=1";
  EXPECT_EQ(RunHttpRequest(t, req, ex), "");
  EXPECT_EQ(ex.status, kHttpReadFailed);
  EXPECT_EQ(ex.responseBytes, (std::vector<uint8_t>{7}));
  EXPECT_EQ(ex.responseHeaders, "old");
  EXPECT_EQ(ex.cookies, "a=1");
  EXPECT_EQ(t.reads, kHttpBodyCeiling / t.endlessChunk);
  EXPECT_EQ(t.closed, (std::vector<std::string>{"request", "connection", "session"}));
}

TEST(HttpClientAlgorithm, OneDeadlineCoversTheWholeExchangeEvenAcrossTheClockWrap) {
  struct Case {
    uint32_t start;
    int timeoutSeconds;
    uint32_t msPerRead;
  } cases[] = {{0, 5, 2000}, {0xFFFFF000u, 5, 2000}, {100, 0, 1500}, {0xFFFFFFFFu, 1, 300}};
  for (const Case& c : cases) {
    // One byte per wait, never ending: a server that trickles its body.
    ScriptedTransport t;
    t.now = c.start;
    t.msPerRead = c.msPerRead;
    t.endlessChunk = 1;
    HttpRequest req;
    req.url = "http://h/";
    req.timeoutSeconds = c.timeoutSeconds;
    HttpExchange ex;
    EXPECT_EQ(RunHttpRequest(t, req, ex), "") << c.start;
    EXPECT_EQ(ex.status, kHttpReadFailed) << c.start;
    const int total = HttpTimeoutMs(c.timeoutSeconds);
    // It stops at the first wait that ends past the deadline, never reading on.
    EXPECT_EQ(t.reads, static_cast<size_t>(total - 1) / c.msPerRead) << c.start;
    // Each wait is bounded by what is left, counting down from the whole.
    ASSERT_GE(t.limits.size(), 3u) << c.start;
    EXPECT_EQ(t.limits[0], total) << c.start;  // send
    for (size_t i = 1; i < t.limits.size(); ++i) {
      EXPECT_GT(t.limits[i], 0) << c.start;
      EXPECT_LE(t.limits[i], t.limits[i - 1]) << c.start;
    }
    EXPECT_EQ(t.closed, (std::vector<std::string>{"request", "connection", "session"})) << c.start;
  }
}

}  // namespace
}  // namespace ql

namespace ql {
namespace {

TEST(FetchVisitCounters, ReadFromTheBytesEvenWhenTheClientConvertedTheText) {
  // A counter page declaring utf-8: the client hands back GBK text; the
  // counters must still come from the UTF-8 bytes.
  std::string page = GbkToUtf8("<meta charset=utf-8>昨日访问：5&#10;今日访问：7&#10;累计访问：99&#10;点击");
  ScriptedTransport t;
  t.chunks = {Bytes(page)};
  t.decodedText = Utf8ToGbk(page);
  VisitCounters c = FetchVisitCounters(t, "http://counter/");
  EXPECT_EQ(c.yesterday, "5");
  EXPECT_EQ(c.today, "7");
  EXPECT_EQ(c.total, "99");
  // The URL alone, every other parameter defaulted: a GET with the default lines.
  EXPECT_EQ(t.crackedUrl, "http://counter/");
  ASSERT_GE(t.log.size(), 6u);
  EXPECT_EQ(t.log[5].rfind("request GET ", 0), 0u) << t.log[5];
  EXPECT_EQ(t.sentHeaders, BuildRequestHeaders("", 0, "", true, true));
  EXPECT_EQ(t.decodeCharset, "utf-8");  // the client did convert its text
  // Decoding the converted text again would have lost the markers.
  ScriptedTransport again;
  again.chunks = {Bytes(page)};
  again.decodedText = Utf8ToGbk(page);
  HttpRequest req;
  HttpExchange ex;
  EXPECT_EQ(ReadVisitCounters(DecodeUtf8Page(RunHttpRequest(again, req, ex))).total, "");

  ScriptedTransport failing;
  failing.failAt = "send";
  VisitCounters none = FetchVisitCounters(failing, "http://counter/");
  EXPECT_EQ(none.yesterday + none.today + none.total, "");

  // A page that never ends is a failed fetch, not the counters of its start.
  ScriptedTransport endless;
  endless.chunks = {Bytes(page)};
  for (int i = 0; i < 200; ++i) endless.chunks.push_back(std::vector<uint8_t>(64 * 1024, ' '));
  VisitCounters cut = FetchVisitCounters(endless, "http://counter/");
  EXPECT_EQ(cut.yesterday + cut.today + cut.total, "");
}

}  // namespace
}  // namespace ql
