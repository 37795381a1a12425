// libFuzzer target for the two web pages the program reads: the input is the
// page body as the server sends it (the seeds are a counter page and a folder
// page, UTF-8, byte for byte). It is decoded as the program decodes it and
// read for the visit counters, the published version and the package link.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/http_client.h"
#include "net/web_pages.h"
#include "ql_version.h"

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
    if (c <= 0x20 || c == 0x7F || c == '"' || c == '<' || c == '>' || c == '^' || c == '|') return false;
  return startsWithIgnoringCase("http://") || startsWithIgnoringCase("https://");
}

// A transport that answers every request with 200 and `body`, in one read.
class ServingTransport final : public ql::HttpTransport {
 public:
  explicit ServingTransport(const std::vector<uint8_t>& body) : body_(body) {}
  std::string url;

  bool CheckPlatform() override { return true; }
  bool CrackUrl(std::string_view address, ql::CrackedUrl& out) override {
    url = std::string(address);
    out.host = "counter.example";
    out.port = 443;
    out.secure = true;
    out.path = "/count";
    return true;
  }
  Handle OpenSession(int, std::string_view) override { return this; }
  bool SetTimeouts(Handle, int) override { return true; }
  Handle Connect(Handle, std::string_view, int) override { return this; }
  Handle OpenRequest(Handle, std::string_view, std::string_view, uint32_t) override { return this; }
  bool SetCredentials(Handle, int, std::string_view, std::string_view) override { return true; }
  bool SetOption(Handle, uint32_t, uint32_t) override { return true; }
  bool AddHeaders(Handle, std::string_view) override { return true; }
  bool Send(Handle, const std::vector<uint8_t>&) override { return true; }
  bool Receive(Handle) override { return true; }
  bool QueryDataAvailable(Handle, uint32_t& count) override {
    count = read_ ? 0 : static_cast<uint32_t>(body_.size());
    return true;
  }
  bool ReadData(Handle, uint8_t* buffer, uint32_t count, uint32_t& got) override {
    got = std::min<uint32_t>(count, static_cast<uint32_t>(body_.size()));
    std::copy_n(body_.begin(), got, buffer);
    read_ = true;
    return true;
  }
  bool QueryRawHeaders(Handle, std::string& headers) override {
    headers = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
    return true;
  }
  void Close(Handle) override {}
  void PumpMessages() override {}
  bool DecodeCharset(const std::vector<uint8_t>&, std::string_view, std::string&) override { return false; }

 private:
  const std::vector<uint8_t>& body_;
  bool read_ = false;
};

void ReadPage(std::string_view text) {
  ql::VisitCounters counters = ql::ReadVisitCounters(text);
  Require(counters.yesterday.size() + counters.today.size() + counters.total.size() <= 3 * text.size());

  ql::UpdateLabels labels = ql::DecideUpdate(text);
  Require(labels.currentVersion == std::string("当前版本：") + std::string(ql::kProgramVersion));
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
  ServingTransport transport(body);
  ql::VisitCounters fetched = ql::FetchVisitCounters(transport, "https://counter.example/count");
  Require(transport.url == "https://counter.example/count");
  ql::VisitCounters read = ql::ReadVisitCounters(page);
  Require(fetched.yesterday == read.yesterday && fetched.today == read.today && fetched.total == read.total);

  // Where the build's literals are UTF-8 (clang has no GBK execution charset)
  // the markers match only the undecoded page: it is read as it came too.
  if (std::string_view("完").size() == 3) ReadPage(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
