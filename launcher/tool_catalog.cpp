// The catalog texts and the search. The search splits both texts each time it
// runs, so the two stay the only copy of the catalog.
#include "launcher/tool_catalog.h"

#include <cstdlib>

#include "support/gbk_text.h"

namespace ql {

const std::string_view kToolCatalogNames =
    "AID64\r\nCoreTemp32\r\nCoreTemp64\r\ncpuz64\r\ncpuz86\r\nmemtest\r\nmemtestpro\r\n魔方内存盘\r\n"
    "AIDA64\r\nTrayS_x64 CPU\r\nASSSDBenchmark\r\nCrystalDiskInfo86\r\nCrystalDiskInfo64\r\nDefraggler\r\n"
    "DiskGenius\r\nSSDZ\r\nUltraiso\r\n傲梅分区\r\n魔方数据恢复\r\nrufus\r\nUltraISO\r\nU盘芯检测工具\r\n"
    "CPUZ64\r\nCPUZ32\r\ngpuinfo\r\ndisplayx\r\n色域检测\r\nAIDA64\r\ncpuz64\r\ncpuz86\r\nSpeccy\r\n"
    "图拉丁硬件检测\r\nDism++64\r\nDism++86\r\n广告弹窗拦截\r\n360断网急救箱\r\nEverything查找文件\r\n"
    "FastStone Capture桌面小工具\r\ngeek强力卸载工具\r\n鼠标连点器\r\n驱动精灵";

const std::string_view kToolCatalogPages =
    "1\r\n1\r\n1\r\n1\r\n1\r\n2\r\n2\r\n2\r\n3\r\n4\r\n5\r\n5\r\n5\r\n5\r\n5\r\n5\r\n5\r\n5\r\n5\r\n5\r\n5\r\n"
    "5\r\n6\r\n6\r\n6\r\n7\r\n7\r\n8\r\n8\r\n8\r\n8\r\n8\r\n9\r\n9\r\n9\r\n9\r\n10\r\n10\r\n10\r\n10\r\n11";

std::vector<ToolEntry> ToolCatalog() {
  std::vector<std::string> names = SplitText(kToolCatalogNames, "\r\n");
  std::vector<std::string> pages = SplitText(kToolCatalogPages, "\r\n");
  std::vector<ToolEntry> rows;
  for (size_t i = 0; i < names.size(); ++i)
    rows.push_back({names[i], i < pages.size() ? std::atoi(pages[i].c_str()) : 0});
  return rows;
}

// Containment ignoring ASCII case only, tried at character starts: the same
// search the GBK text core does everywhere else.
bool ToolNameMatches(std::string_view name, std::string_view needle) {
  return !name.empty() && FindText(name, needle, 0, true) != std::string_view::npos;
}

std::vector<int>& SearchHitPages() {
  static std::vector<int> pages;
  return pages;
}

std::vector<std::string> RunCatalogSearch(std::string_view needle) {
  std::vector<std::string> names = SplitText(kToolCatalogNames, "\r\n");
  std::vector<std::string> pages = SplitText(kToolCatalogPages, "\r\n");
  std::vector<int>& hitPages = SearchHitPages();
  hitPages.clear();
  std::vector<std::string> hits;
  for (size_t i = 0; i < names.size(); ++i) {
    if (!ToolNameMatches(names[i], needle)) continue;
    hitPages.push_back(i < pages.size() ? std::atoi(pages[i].c_str()) : 0);
    hits.push_back(names[i]);
  }
  return hits;
}

}  // namespace ql
