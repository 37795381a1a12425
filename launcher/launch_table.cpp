// The launch and link rows of the main pages outside the tools container.
#include "launcher/launch_table.h"

#include "support/web_addresses.h"

namespace ql {

const std::vector<LaunchRow>& PageLaunchRows() {
  using enum LaunchMode;
  static const std::vector<LaunchRow> rows = {
      // 特色功能 cards
      {"磁力链接转种子", "\\tools\\特色功能\\磁力链接转种子.exe", Normal},
      {"文件MD5值计算", "\\tools\\特色功能\\取文件md5.exe", Normal},
      {"下载地址转换", "\\tools\\特色功能\\下载地址转换.exe", Normal},
      {"秒表计时器", "\\tools\\特色功能\\秒表.exe", Normal},
      {"网址二维码生成", "\\tools\\特色功能\\网址.exe", Normal},
      {"天翼云盘直链解析（已失效）", "\\tools\\特色功能\\天翼云直链解析.exe", Normal},
      // 教程 documents
      {"page8:112,48", "\\plugin\\教程文档\\系统安装教程大全.doc", Show},
      {"page8:320,48", "\\plugin\\教程文档\\论OneDrive的各种禁用方法.doc", Show},
      {"page8:536,48", "\\plugin\\教程文档\\ESD文件直接装机教程.docx", Show},
      {"page8:112,240", "\\plugin\\教程文档\\U盘安装双系统教程.docx", Show},
      {"page8:320,240", "\\plugin\\教程文档\\升级到win10后蓝屏，无限重启解决方案.docx", Show},
      // win激活, both pages
      {"page3:192,168", "\\plugin\\msdn.exe", Show},
      {"page3:496,168", "\\plugin\\win7kms.exe", Show},
      {"page3:192,320", "\\plugin\\HEU_KMS_Activator_v19.6.3.exe", Show},
      {"page3:496,320", "\\plugin\\slkms.exe", Show},
      {"page6:168,296", "\\plugin\\HEU_KMS_Activator_v19.6.3.exe", Show},
      {"page6:496,296", "\\plugin\\slkms.exe", Show},
  };
  return rows;
}

const std::vector<LinkRow>& PageLinkRows() {
  static const std::vector<LinkRow> rows = {
      {"kinhdown网盘下载器", web::kKinhdownSite},
      {"等待添加", web::kMakerSponsorPage},
      {"打开专注于win7官网", web::kWin7ImageSite},
      {"打开专注于win10官网", web::kWin10ImageSite},
      {"page2:56,16", web::kMicrosoftImageIndex},
      {"page5:64,16", web::kMicrosoftImageIndex},
      {"page5:officetool", web::kOfficeToolVideo},
      {"打开U启动官网", web::kUqidongSite},
      {"打开U启通官网", web::kUqitongSite},
      {"page4:56,16", web::kUqitongSite},
      {"page3:link-icon", web::kMakerSharedFolderPage},
      {"page6:link-icon", web::kMakerSharedFolderPage},
      {"page7:圆体·简繁", web::kFontYuanti},
      {"page7:时尚中黑 简体", web::kFontShishangZhonghei},
      {"page7:方正准圆·简体", web::kFontFangzhengZhunyuan},
      {"问题反馈/建议/常见问题", web::kMakerFeedbackBoard},
      {"下载larkmere", web::kMakerDownloadPage},
      {"青岚工具箱 larkmere", web::kMakerHomePage},
      {"头像", web::kMakerHomePage},
  };
  return rows;
}

}  // namespace ql
