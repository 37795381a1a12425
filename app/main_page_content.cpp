#include "app/main_page_content.h"

#include "support/web_addresses.h"

namespace ql {
namespace {

// One paragraph, two literals (too long for one line of source).
constexpr std::string_view kAgreementOnSystemOperations =
    "三、系统操作（重启资源管理器、清理垃圾、关机等）会改变系统状态，请在确认后使用，"
    "因使用不当造成的数据丢失由使用者自行承担。";

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (std::string_view l : lines) {
    if (!out.empty()) out += "\r\n";
    out += l;
  }
  return out;
}

std::string Content(std::string_view key) {
  using namespace web;
  std::string msdn(kMicrosoftImageIndex), w7(kWin7ImageSite), w10(kWin10ImageSite);
  if (key == "win-download")
    return Lines({"微软原版镜像索引：", msdn, "", "Windows 7 纯净版：", w7, "", "Windows 10 纯净版：", w10, "",
                  "提示：复制网址到浏览器打开，推荐使用下载工具下载大文件。"});
  if (key == "pe-download")
    return Lines({"U启动官网：", std::string(kUqidongSite), "", "U启通官网：", std::string(kUqitongSite), "",
                  "提示：制作前请准备 8GB 以上的U盘。"});
  if (key == "office-download")
    return Lines({"微软原版镜像索引（含 Office）：", msdn, "", "officetool 使用教程：", std::string(kOfficeToolVideo)});
  if (key == "activation")
    return Lines({"工具包与激活工具下载：", std::string(kMakerSharedFolderPage), "",
                  "提示：请优先使用正版授权，激活工具仅供学习测试。"});
  if (key == "wallpaper")
    return Lines({"圆体字体下载：", std::string(kFontYuanti), "", "时尚中黑字体下载：",
                  std::string(kFontShishangZhonghei), "", "方正准圆字体下载：", std::string(kFontFangzhengZhunyuan)});
  if (key == "agreement")
    return Lines({"青岚工具箱用户协议", "",
                  "一、本工具箱免费提供，仅供个人学习与电脑维护使用，禁止用于任何商业或非法用途。",
                  "二、工具包中的第三方软件版权归其各自作者所有，本工具箱仅提供便捷的启动入口。",
                  kAgreementOnSystemOperations, "四、本工具箱不会收集您的个人信息；访问统计仅记录访问次数。",
                  "五、使用本工具箱即表示您同意本协议的全部内容，不同意请勿使用。"});
  if (key == "sponsor-address") return std::string(kMakerSponsorPage);
  if (key == "qr")
    return Lines({"二维码：", "请打开赞助网址，使用微信或支付宝扫描页面中的二维码完成赞助。", "",
                  "赞助后可在问题反馈中留言，我们会将您加入感谢名单。"});
  return {};
}

}  // namespace

std::string ResolveCaption(std::string_view caption) {
  if (caption.substr(0, kContentPrefix.size()) != kContentPrefix) return std::string(caption);
  return Content(caption.substr(kContentPrefix.size()));
}

std::vector<std::vector<std::string_view>> ThanksListRows() {
  return {{"青岚用户", "（保密）", "赞助20元", "感谢有你"},
          {"热心网友", "（保密）", "反馈问题", "一起把工具箱做得更好"},
          {"匿名", "（保密）", "赞助10元", "加油"}};
}

}  // namespace ql
