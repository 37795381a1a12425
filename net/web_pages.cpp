// What the program reads from its web pages (see web_pages.h).
#include "net/web_pages.h"

#include "inventory/wmi_record_text.h"
#include "support/gbk_text.h"
#include "support/web_address.h"

namespace ql {

std::string DecodeUtf8Page(std::string_view utf8) {
  size_t nul = utf8.find('\0');
  return Utf8ToGbk(utf8.substr(0, nul));
}

std::string DecodeUtf8Page(const std::vector<uint8_t>& utf8) {
  return DecodeUtf8Page(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

VisitCounters ReadVisitCounters(std::string_view text) {
  return {TextBetween(text, "昨日访问：", "&#10;今"), TextBetween(text, "今日访问：", "&#10;累"),
          TextBetween(text, "累计访问：", "&#10;点")};
}

VisitCounters FetchVisitCounters(HttpTransport& transport, std::string_view counterPageUrl) {
  HttpRequest request;
  request.url = std::string(counterPageUrl);
  HttpExchange exchange;
  RunHttpRequest(transport, request, exchange);
  return ReadVisitCounters(DecodeUtf8Page(exchange.responseBytes));
}

UpdateLabels DecideUpdate(std::string_view text) {
  UpdateLabels l;
  std::string server = TextBetween(text, "最新版本：[", "]");
  // Built by append: "literal" + string trips a false -Wrestrict in GCC 12.
  l.currentVersion.assign("当前版本：").append(kProgramVersion);
  if (server.empty()) {
    l.serverVersion = "服务器版本：版本号获取错误！请检查网络！";
    l.hint = "提示：网络错误";
    return l;
  }
  l.serverVersion.assign("服务器版本：").append(server);
  l.hint = server != kProgramVersion ? "提示：有新版本可以更新，请点击按钮前往下载！"
                                     : "提示：已是最新版本，无需更新！（请关注官方群更新消息）";
  return l;
}

std::string ToolPackageLink(std::string_view text) {
  std::string link = TextBetween(text, "工具包下载地址：《", "》");
  return IsWebAddress(link) ? link : std::string();
}

}  // namespace ql
