// The three pages the program reads and what it cuts out of them: the visit
// counters, the maker's latest version and the tool-package link.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/http_client.h"
#include "ql_version.h"

namespace ql {

// A UTF-8 page (up to its first NUL) as GBK text.
std::string DecodeUtf8Page(std::string_view utf8);
std::string DecodeUtf8Page(const std::vector<uint8_t>& utf8);

struct VisitCounters {
  std::string yesterday;  // label 昨日访问
  std::string today;      // label 今日访问
  std::string total;      // label 累计访问
};
VisitCounters ReadVisitCounters(std::string_view counterPageText);
// Fetches the counter page (URL only, every other parameter defaulted) over
// `transport` and reads the counters from the response bytes as UTF-8. The
// client's text result is not used: for a page declaring its charset it is
// already converted, and decoding it again would lose every marker.
VisitCounters FetchVisitCounters(HttpTransport& transport, std::string_view counterPageUrl);
// Where the visit statistics show their counters (the shell's three labels).
class VisitCountersView {
 public:
  virtual ~VisitCountersView() = default;
  virtual void ShowVisitCounters(const VisitCounters& counters) = 0;
};

struct UpdateLabels {
  std::string currentVersion;  // 标签17
  std::string serverVersion;   // 标签16
  std::string hint;            // 标签30
};
inline constexpr std::string_view kUpdateCheckingHint = "提示：正在检测更新中...请稍等！";
// Compares the published version with kProgramVersion, as exact texts: any
// published text other than ours counts as newer.
UpdateLabels DecideUpdate(std::string_view folderPageText);
// Where the update check shows its result (the shell's three labels).
class UpdateCheckView {
 public:
  virtual ~UpdateCheckView() = default;
  // The hint line alone, while the check runs.
  virtual void ShowUpdateHint(std::string_view hint) = 0;
  virtual void ShowUpdateLabels(const UpdateLabels& labels) = 0;
};

// The package link of the folder page, only when it passes IsWebAddress
// (http:// or https://, a host, no control byte, space, " < > ^ |); ""
// otherwise, so a tampered page never names a local program for the shell
// to start nor breaks out of the browser's command line.
std::string ToolPackageLink(std::string_view folderPageText);

}  // namespace ql
