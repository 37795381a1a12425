// libFuzzer target for the two web pages the program reads: the input is the
// page body as the server sends it (the seeds are a counter page and a folder
// page, UTF-8, byte for byte). It is decoded as the program decodes it and
// read for the visit counters, the published version and the package link.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/web_pages.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

bool IsWebAddress(std::string_view link) {
  auto startsWithIgnoringCase = [&](std::string_view scheme) {
    if (link.size() <= scheme.size()) return false;
    for (size_t i = 0; i < scheme.size(); ++i)
      if ((link[i] >= 'A' && link[i] <= 'Z' ? link[i] + 32 : link[i]) != scheme[i]) return false;
    return true;
  };
  for (unsigned char c : link)
    if (c < 0x20 || c == 0x7F) return false;
  return startsWithIgnoringCase("http://") || startsWithIgnoringCase("https://");
}

void ReadPage(std::string_view text) {
  ql::VisitCounters counters = ql::ReadVisitCounters(text);
  Require(counters.yesterday.size() + counters.today.size() + counters.total.size() <= 3 * text.size());

  ql::UpdateLabels labels = ql::DecideUpdate(text);
  Require(labels.currentVersion == std::string("当前版本：") + std::string(ql::kCurrentVersion));
  Require(labels.serverVersion.starts_with("服务器版本："));
  Require(labels.hint == "提示：网络错误" || labels.hint == "提示：有新版本可以更新，请点击按钮前往下载！" ||
          labels.hint == "提示：已是最新版本，无需更新！（请关注官方群更新消息）");

  // Only a web address, free of control bytes, ever leaves the page for the shell.
  std::string link = ql::ToolPackageLink(text);
  Require(link.empty() || IsWebAddress(link));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> body(data, data + size);
  std::string page = ql::DecodeUtf8Page(body);
  Require(page.find('\0') == std::string::npos);
  ReadPage(page);

  // The counter page as the HTTP client hands it over: the response bytes.
  ql::HttpClientFunction client = [&](const ql::HttpRequest& request, ql::HttpExchange& exchange) {
    Require(request.url == "https://counter.example/count");
    exchange.responseBytes = body;
    return std::string();
  };
  ql::VisitCounters fetched = ql::FetchVisitCounters(client, "https://counter.example/count");
  ql::VisitCounters read = ql::ReadVisitCounters(page);
  Require(fetched.yesterday == read.yesterday && fetched.today == read.today && fetched.total == read.total);

  // Where the build's literals are UTF-8 (clang has no GBK execution charset)
  // the markers match only the undecoded page: it is read as it came too.
  if (std::string_view("完").size() == 3) ReadPage(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
