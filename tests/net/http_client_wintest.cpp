// HttpClient and FetchUrlBytes against a real HTTP server on 127.0.0.1.
#include "tests/net/local_http_server.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "net/fetch_url_win.h"
#include "net/http_client.h"
#include "net/http_text.h"
#include "support/gbk_text.h"
#include "tests/win_test_support.h"

namespace {

using qltest::LocalHttpServer;
using qltest::StreamingServer;

// The threads of this process now.
size_t ThreadsOfThisProcess() {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snap == INVALID_HANDLE_VALUE) return 0;
  THREADENTRY32 e{};
  e.dwSize = sizeof(e);
  size_t n = 0;
  for (BOOL more = Thread32First(snap, &e); more; more = Thread32Next(snap, &e))
    if (e.th32OwnerProcessID == GetCurrentProcessId()) ++n;
  CloseHandle(snap);
  return n;
}

std::vector<std::string> Lines(const std::string& text) { return ql::SplitText(text, "\r\n"); }

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(HttpClientLocal, ServerReceivesTheBuiltRequestLineAndHeaders) {
  LocalHttpServer server([](const std::string&) { return LocalHttpServer::Response("200 OK", "", "hello"); });
  ql::HttpRequest req;
  req.url = server.Url("/p/q?x=1&y=2");
  req.extraHeaders = "x-test-name: v\r\nConnection: keep-alive";
  ql::HttpExchange ex;
  ex.cookies = "a=1";
  EXPECT_EQ(ql::HttpClient(req, ex), "hello");
  EXPECT_EQ(ex.status, "200 OK");
  ASSERT_EQ(server.Requests().size(), 1u);
  std::vector<std::string> got = Lines(server.Requests()[0]);
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got[0], "GET /p/q?x=1&y=2 HTTP/1.1");
  // Every line of the block arrives, in the block's order; the transport adds
  // only its own Host (and connection) lines around them.
  std::vector<std::string> block;
  for (const std::string& l : Lines(ql::BuildRequestHeaders(req.extraHeaders, 0, "a=1", true, true)))
    if (!l.empty()) block.push_back(l);
  ASSERT_EQ(block.size(), 7u);  // X-Test-Name, five defaults, Cookie (keep-alive removed)
  EXPECT_EQ(block.front(), "X-Test-Name: v");
  EXPECT_EQ(block.back(), "Cookie: a=1");
  std::vector<std::string> sent;
  for (size_t i = 1; i < got.size() && !got[i].empty(); ++i) {
    const std::string& l = got[i];
    if (l.rfind("Host:", 0) == 0 || l.rfind("Connection:", 0) == 0) continue;
    sent.push_back(l);
  }
  EXPECT_EQ(sent, block);
}

TEST(HttpClientLocal, CookiesSetByTheServerComeBackMerged) {
  LocalHttpServer server([](const std::string&) {
    return LocalHttpServer::Response("200 OK", "Set-Cookie: s=2; path=/\r\nSet-Cookie: b=deleted\r\n", "x");
  });
  ql::HttpRequest req;
  req.url = server.Url("/");
  ql::HttpExchange ex;
  ex.cookies = "a=1; s=0";
  ql::HttpClient(req, ex);
  EXPECT_EQ(ex.cookies, "s=2; a=1");
  EXPECT_EQ(ex.cookiesReceived, "s=2; a=1");
  ql::HttpClient(req, ex);  // the same variables carry the session on
  std::vector<std::string> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_NE(requests[0].find("\r\nCookie: a=1; s=0\r\n"), std::string::npos) << requests[0];
  EXPECT_NE(requests[1].find("\r\nCookie: s=2; a=1\r\n"), std::string::npos) << requests[1];
}

TEST(HttpClientLocal, NoRedirectKeepsThe302AndItsLocation) {
  LocalHttpServer server([](const std::string& r) {
    if (r.rfind("GET /x ", 0) == 0) return LocalHttpServer::Response("200 OK", "", "target");
    return LocalHttpServer::Response("302 Found", "Location: /x\r\n", "moved");
  });
  ql::HttpRequest req;
  req.url = server.Url("/start");
  req.noRedirect = true;
  ql::HttpExchange ex;
  EXPECT_EQ(ql::HttpClient(req, ex), "moved");
  EXPECT_EQ(ex.status, "302 Found");
  EXPECT_EQ(ex.location, "/x");
  EXPECT_EQ(server.Requests().size(), 1u);

  req.noRedirect = false;
  ql::HttpExchange followed;
  EXPECT_EQ(ql::HttpClient(req, followed), "target");
  EXPECT_EQ(followed.status, "200 OK");
  EXPECT_EQ(server.Requests().size(), 3u);
}

TEST(HttpClientLocal, Utf8PageDeclaringItsCharset) {
  const std::string body = ql::GbkToUtf8("<meta charset=utf-8><p>昨日访问：5&#10;今</p>");
  LocalHttpServer server([&](const std::string&) { return LocalHttpServer::Response("200 OK", "", body); });
  ql::HttpRequest req;
  req.url = server.Url("/");
  ql::HttpExchange ex;
  std::string text = ql::HttpClient(req, ex);
  EXPECT_EQ(ex.responseBytes, Bytes(body));
  const std::string gbk = "<meta charset=utf-8><p>昨日访问：5&#10;今</p>";
  std::string decoded = "untouched";
  bool ran = ql::WinHttpTransport().DecodeCharset(Bytes(body), "utf-8", decoded);
  if (qltest::RunningUnderWine()) {
    // This Wine's Adodb.Stream cannot ReadText (E_NOTIMPL): the decoding
    // reports failure, leaves its output alone, and the client's text stays
    // exactly the bytes as read.
    EXPECT_FALSE(ran);
    EXPECT_EQ(decoded, "untouched");
    EXPECT_EQ(text, body);
  } else {
    EXPECT_TRUE(ran);
    EXPECT_EQ(decoded, gbk);
    EXPECT_EQ(text, gbk);
  }
}

TEST(HttpClientLocal, ErrorStatusBodyAndOddResponses) {
  const std::string big(5 * 1024 * 1024, 'z');
  LocalHttpServer server([&](const std::string& r) -> std::string {
    if (r.rfind("GET /404 ", 0) == 0) return LocalHttpServer::Response("404 Not Found", "", "none");
    if (r.rfind("GET /empty ", 0) == 0) return LocalHttpServer::Response("204 No Content", "", "");
    if (r.rfind("GET /big ", 0) == 0) return LocalHttpServer::Response("200 OK", "", big);
    if (r.rfind("GET /nul ", 0) == 0) return LocalHttpServer::Response("200 OK", "", std::string("ab\0cd", 5));
    // Announces 100 bytes and closes after 4.
    return "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\nhalf";
  });
  struct Case {
    const char* path;
    std::string text;
    std::string status;
    size_t bytes;
  } cases[] = {
      {"/404", "none", "404 Not Found", 4},
      {"/empty", "", "204 No Content", 0},
      {"/big", big, "200 OK", big.size()},
      {"/nul", "ab", "200 OK", 5},
  };
  for (const Case& c : cases) {
    ql::HttpRequest req;
    req.url = server.Url(c.path);
    ql::HttpExchange ex;
    EXPECT_EQ(ql::HttpClient(req, ex) == c.text, true) << c.path;
    EXPECT_EQ(ex.status, c.status) << c.path;
    EXPECT_EQ(ex.responseBytes.size(), c.bytes) << c.path;
  }
  // A server that closes mid-body: no crash, the bytes that came, a status.
  ql::HttpRequest req;
  req.url = server.Url("/cut");
  req.timeoutSeconds = 5;
  ql::HttpExchange ex;
  std::string text = ql::HttpClient(req, ex);
  EXPECT_LE(ex.responseBytes.size(), 4u);
  EXPECT_FALSE(ex.status.empty());
  std::printf("[cut body] status '%s', %zu bytes\n", ql::GbkToUtf8(ex.status).c_str(), ex.responseBytes.size());
}

TEST(HttpClientLocal, DeadPortFailsWithinTheTimeout) {
  ql::HttpRequest req;
  req.url = "http://127.0.0.1:" + std::to_string(LocalHttpServer::DeadPort()) + "/";
  req.timeoutSeconds = 5;
  ql::HttpExchange ex;
  DWORD start = GetTickCount();
  EXPECT_EQ(ql::HttpClient(req, ex), "");
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_EQ(ex.status.substr(0, 2), "71") << ql::GbkToUtf8(ex.status);
  std::printf("[dead port] status '%s' after %lu ms\n", ql::GbkToUtf8(ex.status).c_str(),
              static_cast<unsigned long>(GetTickCount() - start));
  EXPECT_TRUE(ex.responseBytes.empty());
}

TEST(HttpClientLocal, MalformedUrlIs701) {
  for (const char* url : {"not a url", "", "ftp:x"}) {
    ql::HttpRequest req;
    req.url = url;
    ql::HttpExchange ex;
    EXPECT_EQ(ql::HttpClient(req, ex), "");
    EXPECT_EQ(ex.status, ql::kHttpBadUrl) << url;
  }
}

TEST(FetchUrlBytes, BodyOrEmpty) {
  const std::string big(5 * 1024 * 1024, 'q');
  LocalHttpServer server([&](const std::string& r) -> std::string {
    if (r.rfind("GET /big ", 0) == 0) return LocalHttpServer::Response("200 OK", "", big);
    if (r.rfind("GET /moved ", 0) == 0) return LocalHttpServer::Response("302 Found", "Location: /page\r\n", "");
    if (r.rfind("GET /cut ", 0) == 0) return "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\nhalf";
    return LocalHttpServer::Response("200 OK", "", std::string("page\0x", 6));
  });
  EXPECT_EQ(ql::FetchUrlBytes(server.Url("/page")), Bytes(std::string("page\0x", 6)));
  EXPECT_EQ(ql::FetchUrlBytes(server.Url("/moved")), Bytes(std::string("page\0x", 6)));  // followed
  EXPECT_EQ(ql::FetchUrlBytes(server.Url("/big")).size(), big.size());
  EXPECT_TRUE(ql::FetchUrlBytes(server.Url("/cut")).empty());
  EXPECT_EQ(server.Requests()[0].rfind("GET /page HTTP/1.1\r\n", 0), 0u);

  DWORD start = GetTickCount();
  EXPECT_TRUE(ql::FetchUrlBytes("http://127.0.0.1:" + std::to_string(LocalHttpServer::DeadPort()) + "/").empty());
  EXPECT_LT(GetTickCount() - start, 30000u);
  EXPECT_TRUE(ql::FetchUrlBytes("file:///C:/windows/win.ini").empty());
  EXPECT_TRUE(ql::FetchUrlBytes("").empty());
}

// Counts the messages it is sent; lives on the test's thread.
LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP + 3) return 1;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST(FetchUrlBytes, ServerThatNeverAnswersGivesEmptyWithinTenSecondsWhileTheWindowAnswers) {
  HWND window = qltest::CreateMessageWindow(L"QlFetchWaitWindow", CountingProc);
  ASSERT_NE(window, nullptr);
  qltest::SilentServer silent;
  // Another thread asks the waiting thread's window twice during the fetch.
  int answered = 0;
  std::thread asker([&] {
    for (int i = 0; i < 2; ++i) {
      Sleep(1000);
      DWORD_PTR result = 0;
      if (SendMessageTimeoutW(window, WM_APP + 3, 0, 0, SMTO_NORMAL, 2000, &result) && result == 1) ++answered;
    }
  });
  DWORD start = GetTickCount();
  std::vector<uint8_t> body = ql::FetchUrlBytes(silent.Url("/folder"));
  DWORD took = GetTickCount() - start;
  asker.join();
  DestroyWindow(window);
  EXPECT_TRUE(body.empty());
  EXPECT_LT(took, 10000u);
  EXPECT_GE(silent.Accepted(), 1u);  // the request reached the server, which kept silent
  EXPECT_EQ(answered, 2);
}

TEST(HttpClientLocal, BodyWithoutEndFailsAtTheCeilingOrTheWholeDeadline) {
  // One second per step would let a trickle run forever; the whole exchange
  // has 4 s.
  for (StreamingServer::Mode mode : {StreamingServer::Mode::Endless, StreamingServer::Mode::Trickle}) {
    StreamingServer server(mode, 1000);
    ql::HttpRequest req;
    req.url = server.Url("/count");
    req.timeoutSeconds = 4;
    ql::HttpExchange ex;
    DWORD start = GetTickCount();
    EXPECT_EQ(ql::HttpClient(req, ex), "");
    DWORD took = GetTickCount() - start;
    EXPECT_EQ(ex.status, ql::kHttpReadFailed) << ql::GbkToUtf8(ex.status);
    EXPECT_TRUE(ex.responseBytes.empty());
    EXPECT_LT(took, 5500u);
    if (mode == StreamingServer::Mode::Endless) {
      EXPECT_GE(server.BytesSent(), static_cast<long long>(ql::kHttpBodyCeiling));  // read up to the ceiling
    } else {
      EXPECT_GE(took, 3500u);  // held to the deadline, a byte a second, not beyond
    }
    // The handles are gone with the call: the server sees its reader leave.
    EXPECT_TRUE(qltest::WaitUntil([&] { return server.ClosedByClient() >= 1; }, 5000));
    std::printf("[http %s] %lu ms, server sent %lld bytes\n",
                mode == StreamingServer::Mode::Endless ? "endless" : "trickle", static_cast<unsigned long>(took),
                server.BytesSent());
  }
}

TEST(FetchUrlBytes, BodyWithoutEndFailsAtTheCeilingOrTheDeadlineAndTheWorkerLetsGo) {
  for (StreamingServer::Mode mode : {StreamingServer::Mode::Endless, StreamingServer::Mode::Trickle}) {
    StreamingServer server(mode, 2000);
    size_t threadsBefore = ThreadsOfThisProcess();
    DWORD start = GetTickCount();
    EXPECT_TRUE(ql::FetchUrlBytes(server.Url("/folder")).empty());
    DWORD took = GetTickCount() - start;
    EXPECT_LT(took, ql::kFetchDeadlineMs + 500);
    if (mode == StreamingServer::Mode::Endless) {
      EXPECT_GE(server.BytesSent(), static_cast<long long>(ql::kFetchBodyCeiling));
      EXPECT_LT(took, ql::kFetchDeadlineMs / 2);  // the ceiling, not the deadline, ended it
    }
    // The worker the caller left at its deadline stops reading and ends: its
    // connection closes and its thread goes, long before the server would
    // have stopped sending.
    EXPECT_TRUE(qltest::WaitUntil([&] { return server.ClosedByClient() >= 1; }, 4000));
    EXPECT_TRUE(qltest::WaitUntil([&] { return ThreadsOfThisProcess() <= threadsBefore; }, 4000))
        << ThreadsOfThisProcess() << " threads, " << threadsBefore << " before";
    std::printf("[fetch %s] %lu ms, server sent %lld bytes\n",
                mode == StreamingServer::Mode::Endless ? "endless" : "trickle", static_cast<unsigned long>(took),
                server.BytesSent());
  }
}

TEST(WebReaders, BodyJustUnderTheCeilingIsReadWhole) {
  const std::string justUnder(ql::kHttpBodyCeiling - 1, 'q');
  const std::string justOver(ql::kFetchBodyCeiling + 1, 'q');
  LocalHttpServer server([&](const std::string& r) -> std::string {
    return LocalHttpServer::Response("200 OK", "", r.rfind("GET /over ", 0) == 0 ? justOver : justUnder);
  });
  ql::HttpRequest req;
  req.url = server.Url("/under");
  ql::HttpExchange ex;
  EXPECT_EQ(ql::HttpClient(req, ex).size(), justUnder.size());
  EXPECT_EQ(ex.status, "200 OK");
  EXPECT_EQ(ql::FetchUrlBytes(server.Url("/under")).size(), justUnder.size());
  EXPECT_TRUE(ql::FetchUrlBytes(server.Url("/over")).empty());
  req.url = server.Url("/over");
  ql::HttpExchange over;
  EXPECT_EQ(ql::HttpClient(req, over), "");
  EXPECT_EQ(over.status, ql::kHttpReadFailed);
}

}  // namespace
