// What the controls of the main pages start: programs and documents of the
// tool package (launch rows) and web pages (link rows), by action key.
#pragma once

#include <string_view>
#include <vector>

namespace ql {

// normal: SW_SHOWNORMAL with "" as directory; show: SW_SHOW, no directory.
enum class LaunchMode { Normal, Show };

struct LaunchRow {
  std::string_view key;     // the control's action key
  std::string_view target;  // relative to programDir (begins with a backslash)
  LaunchMode mode;
};

struct LinkRow {
  std::string_view key;
  std::string_view address;
};

// Cards of 特色功能, pictures of 教程 and of both win激活 pages.
const std::vector<LaunchRow>& PageLaunchRows();
// Every control outside the tools container that opens a web page.
const std::vector<LinkRow>& PageLinkRows();

}  // namespace ql
