// Figures for the two web readers against a local server: time per small
// page and per 5 MB body, HttpClient and FetchUrlBytes; and how long
// FetchUrlBytes takes to give up on a server that accepts and never answers
// and on a port where nothing listens.
#include "tests/net/local_http_server.h"

#include <windows.h>

#include <cstdio>

#include "net/fetch_url_win.h"
#include "net/http_client.h"

namespace {

template <class F>
double MillisecondsPer(int runs, F work) {
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&a);
  for (int i = 0; i < runs; ++i) work();
  QueryPerformanceCounter(&b);
  return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart) / runs;
}

}  // namespace

int main() {
  const std::string big(5 * 1024 * 1024, 'b');
  qltest::LocalHttpServer server([&](const std::string& r) {
    bool large = r.rfind("GET /big ", 0) == 0;
    return qltest::LocalHttpServer::Response("200 OK", "", large ? big : std::string("<p>small</p>"));
  });
  size_t got = 0;
  auto client = [&](const char* path) {
    ql::HttpRequest req;
    req.url = server.Url(path);
    ql::HttpExchange ex;
    got = ql::HttpClient(req, ex).size();
  };
  double smallClient = MillisecondsPer(50, [&] { client("/small"); });
  double bigClient = MillisecondsPer(5, [&] { client("/big"); });
  size_t bigSize = got;
  double smallFetch = MillisecondsPer(50, [&] { got = ql::FetchUrlBytes(server.Url("/small")).size(); });
  double bigFetch = MillisecondsPer(5, [&] { got = ql::FetchUrlBytes(server.Url("/big")).size(); });
  std::printf("HttpClient    small page: %8.2f ms/request\n", smallClient);
  std::printf("HttpClient    5 MB body:  %8.2f ms/request (%zu bytes)\n", bigClient, bigSize);
  std::printf("FetchUrlBytes small page: %8.2f ms/request\n", smallFetch);
  std::printf("FetchUrlBytes 5 MB body:  %8.2f ms/request (%zu bytes)\n", bigFetch, got);

  qltest::SilentServer silent;
  double silentFetch = MillisecondsPer(2, [&] { got = ql::FetchUrlBytes(silent.Url("/folder")).size(); });
  std::printf(
      "FetchUrlBytes silent server (accepts, never answers): %8.0f ms to give up (%zu bytes, %zu connections)\n",
      silentFetch, got, silent.Accepted());
  std::string dead = "http://127.0.0.1:" + std::to_string(qltest::LocalHttpServer::DeadPort()) + "/";
  double deadFetch = MillisecondsPer(3, [&] { got = ql::FetchUrlBytes(dead).size(); });
  std::printf("FetchUrlBytes dead port (nothing listens):             %8.0f ms to give up (%zu bytes)\n", deadFetch,
              got);
  return 0;
}
