// The rows of the main window. Coordinates are inside each row's parent; the
// rows of a card or group are its page's rows placed over it.
#include "app/main_layout.h"

#include "ql_version.h"

namespace ql {
namespace {

using K = RowKind;
using F = FontId;

constexpr std::string_view kNine = "配置正在检测，请稍后.........";
constexpr std::string_view kEight = "配置正在检测，请稍后........";
constexpr std::string_view kPackageWarning = "重要提示：请前往设置下载工具包！否则大部分功能无法打开使用！";

// Hardware panel geometry on the home page.
constexpr int16_t kPanelX = 19, kPanelY = 165;
constexpr int16_t kRowX = kPanelX + 24, kValueX = kPanelX + 118, kRowTop = kPanelY + 50, kRowStep = 36;
constexpr int16_t Row(int i) { return static_cast<int16_t>(kRowTop + kRowStep * i); }

// clang-format off
constexpr LayoutRow kRows[] = {
    // --- Navigation column (window coordinates) ---
    {K::Region, kInWindow, "导航栏", "导航栏", 0, 0, 180, 640},
    {K::Label, kInNav, "产品名", "青岚工具箱", 41, 21, 124, 34, F::Product},
    {K::Label, kInNav, "版本号", "versionV" QL_VERSION_TEXT, 38, 69, 120, 20, F::Small, kMuted},
    {K::NavPicture, kInNav, "主页", "主页", 30, 101, 120, 32, F::Nav, 0, "nav:主页", "home"},
    {K::NavPicture, kInNav, "功能", "功能", 30, 138, 120, 32, F::Nav, 0, "nav:功能", "grid"},
    {K::NavPicture, kInNav, "特色", "特色", 30, 172, 120, 32, F::Nav, 0, "nav:特色", "star"},
    {K::Line, kInNav, "", "", 24, 211, 136, 1},
    {K::NavText, kInNav, "B1", "Windows 下载    ", 16, 221, 152, 38, F::Nav, 0, "nav:B1"},
    {K::NavText, kInNav, "C", "Windows 激活    ", 16, 261, 152, 38, F::Nav, 0, "nav:C"},
    {K::NavText, kInNav, "D", "Windows PE      ", 16, 301, 152, 38, F::Nav, 0, "nav:D"},
    {K::NavText, kInNav, "E", "Ms office 下载    ", 16, 341, 152, 38, F::Nav, 0, "nav:E"},
    {K::NavText, kInNav, "F", "Ms office 激活    ", 16, 381, 152, 38, F::Nav, 0, "nav:F"},
    {K::NavText, kInNav, "G", "Windows 美化   ", 16, 421, 152, 38, F::Nav, 0, "nav:G"},
    {K::NavText, kInNav, "x", "教程文档             ", 16, 461, 152, 38, F::Nav, 0, "nav:x"},
    {K::NavBottom, kInNav, "设置", "设置", 20, 510, 136, 35, F::Nav, 0, "nav:设置", "gear"},
    {K::NavBottom, kInNav, "更新日志", "更新日志", 20, 550, 136, 35, F::Nav, 0, "nav:更新日志", "log"},
    {K::NavBottom, kInNav, "赞助与支持", "赞助与支持", 20, 591, 136, 35, F::Nav, 0, "nav:赞助与支持", "heart"},
    {K::Bar, kInNav, "选择条", "选择条", 0, 101, 5, 38},
    {K::Timer, kInNav, "时钟1", "", 0, 0, 0, 0},  // the uptime clock

    // --- Top bar (top-bar coordinates) ---
    {K::Region, kInWindow, "顶栏", "顶栏", 181, 0, 820, 60},
    {K::TitleField, kInTop, "标题标签", "主页", 56, 16, 224, 32, F::Title},
    {K::Avatar, kInTop, "头像", "头像", 666, 11, 40, 40, F::Strong, 0, "头像", "岚"},
    {K::Link, kInTop, "青岚工具箱 larkmere", "青岚工具箱 larkmere", 497, 17, 180, 30, F::Body, 0,
     "青岚工具箱 larkmere"},
    {K::Deco, kInTop, "", "装饰图1", 251, 13, 65, 65},
    {K::Deco, kInTop, "", "装饰图2", 318, 11, 65, 65},
    {K::Deco, kInTop, "", "装饰图3", 384, 11, 65, 65},
    {K::Line, kInTop, "", "", 490, 8, 1, 60},
    {K::Line, kInTop, "", "", 724, 0, 1, 60},
    {K::WindowButton, kInTop, "zxh", "最小化", 738, 23, 16, 16, F::Body, 0, "nav:zxh", "min"},
    {K::WindowButton, kInTop, "gb", "关闭", 777, 23, 16, 16, F::Body, 0, "nav:gb", "close"},

    // --- Page 0 主页 ---
    {K::Card, 0, "", "系统信息", 20, 20, 288, 153, F::Strong, 0, "", "系"},
    {K::Label, 0, "标签1", "计算机类型", 52, 78, 232, 23, F::Strong},
    {K::Line, 0, "", "", 52, 104, 232, 1},
    {K::Label, 0, "标签68", "Windows系统版本", 52, 105, 232, 51, F::Body, kWrap | kMuted},
    {K::Card, 0, "", "开机时间", 308, 20, 240, 153, F::Strong, 0, "", "时"},
    {K::Label, 0, "标签7", "0时0分0秒", 337, 87, 171, 26, F::Big, kAccentText},
    {K::Label, 0, "", "本次开机已运行", 337, 119, 171, 20, F::Small, kMuted},
    {K::Card, 0, "", "用户统计", 548, 20, 242, 153, F::Strong, 0, "", "访"},
    {K::Label, 0, "", "昨日访问", 574, 72, 80, 22, F::Body, kMuted},
    {K::Label, 0, "昨日访问", "", 660, 72, 104, 22, F::Strong, kAccentText},
    {K::Label, 0, "", "今日访问", 574, 100, 80, 22, F::Body, kMuted},
    {K::Label, 0, "今日访问", "", 660, 100, 104, 22, F::Strong, kAccentText},
    {K::Label, 0, "", "累计访问", 574, 128, 80, 22, F::Body, kMuted},
    {K::Label, 0, "累计访问", "", 660, 128, 104, 22, F::Strong, kAccentText},
    {K::Card, 0, "", "硬件信息", kPanelX, kPanelY, 769, 399, F::Strong, 0, "", "硬"},
    {K::Link, 0, "透明标签13", "检测不准？点我重新检测", 460, 184, 170, 24, F::Body, kHidden,
     "检测不准？点我重新检测"},
    {K::Link, 0, "透明标签16", "一键复制", 640, 184, 80, 24, F::Body, 0, "一键复制"},
    {K::Label, 0, "标签69", "中央处理器", kRowX, Row(0), 88, 18, F::Body, kMuted},
    {K::Label, 0, "标签71", kEight, kValueX, Row(0), 640, 34, F::Body, kWrap},
    {K::Label, 0, "标签70", "内存", kRowX, Row(1), 88, 18, F::Body, kMuted},
    {K::Label, 0, "标签84", kNine, kValueX, Row(1), 640, 34, F::Body, kWrap},
    {K::Label, 0, "标签77", "显卡", kRowX, Row(2), 88, 18, F::Body, kMuted},
    {K::Label, 0, "标签81", kNine, kValueX, Row(2), 640, 34, F::Body, kWrap},
    {K::Label, 0, "标签78", "主板", kRowX, Row(3), 88, 18, F::Body, kMuted},
    {K::Label, 0, "标签76", kNine, kValueX, Row(3), 640, 34, F::Body, kWrap},
    {K::Label, 0, "标签79", "显示器", kRowX, Row(4), 88, 18, F::Body, kMuted},
    {K::Label, 0, "标签75", kNine, kValueX, Row(4), 640, 34, F::Body, kWrap},
    {K::Label, 0, "标签80", "硬盘", kRowX, Row(5), 88, 18, F::Body, kMuted},
    {K::Label, 0, "标签74", kNine, kValueX, Row(5), 640, 34, F::Body, kWrap},
    {K::Label, 0, "标签82", "网卡", kRowX, Row(6), 88, 18, F::Body, kMuted},
    {K::Label, 0, "标签73", kNine, kValueX, Row(6), 640, 34, F::Body, kWrap},
    {K::Label, 0, "标签83", "电池", kRowX, Row(7), 88, 18, F::Body, kMuted},
    {K::Label, 0, "标签72", kNine, kValueX, Row(7), 640, 34, F::Body, kWrap},
    {K::Label, 0, "", "温馨提示：如果您的设备较多导致显示不完整或者检测异常，可以尝试复制或重启工具箱哦~",
     kRowX, 512, 720, 22, F::Small, kMuted},
    {K::HiddenEdit, 0, "编辑框1", "", 0, 0, 8, 8, F::Body, kHidden},
    {K::Timer, 0, "时钟2", "", 0, 0, 0, 0},  // the battery row's timer

    // --- Page 1 功能 ---
    {K::Tools, 1, "ToolsContainer", "", -8, 0, 828, 568},

    // --- Page 2 win下载 ---
    {K::Icon, 2, "", "微软原版镜像", 56, 16, 48, 48, F::Strong, 0, "page2:56,16", "镜"},
    {K::Banner, 2, "", "Windows 系统下载", 120, 16, 676, 48, F::Heading, 0, "", "", "纯净原版镜像，安全可靠"},
    {K::Section, 2, "", "| 下载网址", 24, 84, 240, 24, F::Strong},
    {K::TextBox, 2, "", "content:win-download", 24, 112, 772, 190},
    {K::Section, 2, "", "| 官方推荐", 24, 318, 240, 24, F::Strong},
    {K::Group, 2, "", "官方推荐", 24, 346, 772, 120},
    {K::Label, 2, "", "强力推荐专注于win7系统", 48, 366, 360, 26, F::Heading},
    {K::Label, 2, "", "只因做到了纯净，安全，方便", 48, 402, 360, 22, F::Body, kMuted},
    {K::Button, 2, "", "打开专注于win7官网", 428, 378, 168, 36, F::Body, 0, "打开专注于win7官网"},
    {K::Button, 2, "", "打开专注于win10官网", 608, 378, 168, 36, F::Body, 0, "打开专注于win10官网"},
    {K::Label, 2, "", "温馨提示：请认准官方网址下载系统镜像，下载完成后建议校验文件的MD5/SHA1值，再制作启动盘安装。",
     24, 484, 772, 44, F::Body, kMuted | kWrap},

    // --- Page 3 win激活 ---
    {K::Icon, 3, "", "工具包网盘", 56, 16, 48, 48, F::Strong, 0, "page3:link-icon", "盘"},
    {K::Banner, 3, "", "Windows 一键激活", 120, 16, 676, 48, F::Heading, 0, "", "", "选择一款激活工具，按提示操作即可"},
    {K::Section, 3, "", "| 一键激活", 24, 96, 240, 24, F::Strong},
    {K::Picture, 3, "", "MSDN 工具", 192, 168, 136, 136, F::Strong, 0, "page3:192,168", "M"},
    {K::Picture, 3, "", "Win7 激活", 496, 168, 136, 136, F::Strong, 0, "page3:496,168", "7"},
    {K::Picture, 3, "", "HEU KMS 激活", 192, 320, 136, 136, F::Strong, 0, "page3:192,320", "H"},
    {K::Picture, 3, "", "SLKMS 激活", 496, 320, 136, 136, F::Strong, 0, "page3:496,320", "S"},
    {K::Label, 3, "", kPackageWarning, 24, 500, 772, 24, F::Strong, kWarning | kCentre},

    // --- Page 4 U启动 ---
    {K::Icon, 4, "", "U启通官网", 56, 16, 48, 48, F::Strong, 0, "page4:56,16", "U"},
    {K::Banner, 4, "", "U盘启动盘制作", 120, 16, 676, 48, F::Heading, 0, "", "", "一键制作PE启动盘，装机维护两不误"},
    {K::Section, 4, "", "| 下载网址", 24, 84, 240, 24, F::Strong},
    {K::TextBox, 4, "", "content:pe-download", 24, 112, 772, 190},
    {K::Section, 4, "", "| 官方推荐", 24, 318, 240, 24, F::Strong},
    {K::Group, 4, "", "官方推荐", 24, 346, 772, 120},
    {K::Label, 4, "", "推荐U启通制作工具", 48, 366, 360, 26, F::Heading},
    {K::Label, 4, "", "只因做到了纯净，安全，方便，无捆绑", 48, 402, 360, 22, F::Body, kMuted},
    {K::Button, 4, "", "打开U启动官网", 428, 378, 168, 36, F::Body, 0, "打开U启动官网"},
    {K::Button, 4, "", "打开U启通官网", 608, 378, 168, 36, F::Body, 0, "打开U启通官网"},
    {K::Label, 4, "", "温馨提示：制作启动盘会清空U盘中的全部数据，请提前备份重要文件。", 24, 484, 772, 44,
     F::Body, kMuted | kWrap},

    // --- Page 5 office下载 ---
    {K::Icon, 5, "", "微软镜像索引", 64, 16, 48, 48, F::Strong, 0, "page5:64,16", "镜"},
    {K::Banner, 5, "", "Office 下载", 128, 16, 668, 48, F::Heading, 0, "", "", "官方原版安装包与部署工具"},
    {K::Section, 5, "", "| 下载网址", 24, 84, 240, 24, F::Strong},
    {K::TextBox, 5, "", "content:office-download", 24, 112, 772, 170},
    {K::Section, 5, "", "| 官方推荐", 24, 298, 240, 24, F::Strong},
    {K::Group, 5, "", "officetool推荐", 24, 326, 772, 140},
    {K::Picture, 5, "", "officetool", 44, 342, 108, 108, F::Strong, 0, "page5:officetool", "O"},
    {K::Label, 5, "", "officetool带自动激活功能，纯净office版本，推荐下载，并且根据您的系统适配office版本",
     172, 366, 600, 52, F::Body, kWrap},
    {K::Label, 5, "", "推荐使用officetool，一键激活下载，可挑选各种版本以及独立版本下载", 24, 484, 772, 24,
     F::Body, kMuted},

    // --- Page 6 win激活 (Office) ---
    {K::Icon, 6, "", "工具包网盘", 56, 16, 48, 48, F::Strong, 0, "page6:link-icon", "盘"},
    {K::Banner, 6, "", "Office 一键激活", 120, 16, 676, 48, F::Heading, 0, "", "", "激活网址与一键激活工具"},
    {K::Section, 6, "", "| 激活网址", 24, 84, 240, 24, F::Strong},
    {K::TextBox, 6, "", "content:activation", 24, 112, 772, 140},
    {K::Section, 6, "", "| 一键激活", 24, 264, 240, 24, F::Strong},
    {K::Picture, 6, "", "HEU KMS 激活", 168, 296, 136, 136, F::Strong, 0, "page6:168,296", "H"},
    {K::Picture, 6, "", "SLKMS 激活", 496, 296, 136, 136, F::Strong, 0, "page6:496,296", "S"},
    {K::Label, 6, "", "温馨提示：激活工具可能被杀毒软件误报，请在使用前暂时关闭实时防护。", 24, 448, 772, 24,
     F::Body, kMuted},
    {K::Label, 6, "", kPackageWarning, 24, 500, 772, 24, F::Strong, kWarning | kCentre},

    // --- Page 7 美化 ---
    {K::Section, 7, "", "| 美化网址", 24, 16, 240, 24, F::Strong},
    {K::TextBox, 7, "", "content:wallpaper", 24, 44, 772, 170},
    {K::Section, 7, "", "| 圆体·简繁", 24, 236, 180, 24, F::Strong},
    {K::Section, 7, "", "| 时尚中黑 简体", 220, 236, 180, 24, F::Strong},
    {K::Section, 7, "", "| 方正准圆·简体", 416, 236, 180, 24, F::Strong},
    {K::Section, 7, "", "| 圆体·简 细体", 612, 236, 184, 24, F::Strong},
    {K::Picture, 7, "", "圆体·简繁", 24, 268, 180, 120, F::Heading, 0, "page7:圆体·简繁", "Aa"},
    {K::Picture, 7, "", "时尚中黑 简体", 220, 268, 180, 120, F::Heading, 0, "page7:时尚中黑 简体", "Aa"},
    {K::Picture, 7, "", "方正准圆·简体", 416, 268, 180, 120, F::Heading, 0, "page7:方正准圆·简体", "Aa"},
    {K::Picture, 7, "", "圆体·简 细体", 612, 268, 184, 120, F::Heading, 0, "page7:圆体·简 细体", "Aa"},

    // --- Page 8 教程 ---
    {K::Picture, 8, "", "系统安装教程大全.doc", 112, 48, 160, 140, F::Strong, 0, "page8:112,48", "DOC"},
    {K::Caption, 8, "", "系统安装教程大全", 112, 196, 160, 28},
    {K::Picture, 8, "", "论OneDrive的各种禁用方法.doc", 320, 48, 160, 140, F::Strong, 0, "page8:320,48", "DOC"},
    {K::Caption, 8, "", "OneDrive禁用方法", 320, 196, 160, 28},
    {K::Picture, 8, "", "ESD文件直接装机教程.docx", 536, 48, 160, 140, F::Strong, 0, "page8:536,48", "DOCX"},
    {K::Caption, 8, "", "ESD文件直接装机", 536, 196, 160, 28},
    {K::Picture, 8, "", "U盘安装双系统教程.docx", 112, 240, 160, 140, F::Strong, 0, "page8:112,240", "DOCX"},
    {K::Caption, 8, "", "U盘安装双系统", 112, 388, 160, 28},
    {K::Picture, 8, "", "升级win10后蓝屏重启解决方案.docx", 320, 240, 160, 140, F::Strong, 0, "page8:320,240",
     "DOCX"},
    {K::Caption, 8, "", "win10蓝屏重启方案", 320, 388, 160, 28},
    {K::Label, 8, "", "温馨提示：所有文档已转换为线下查看，转移到工具包内", 24, 520, 772, 24, F::Body, kMuted | kCentre},

    // --- Page 9 设置 ---
    {K::Card, 9, "Pro专业版", "Pro专业版", 64, 24, 288, 104, F::Heading, 0, "nav:Pro专业版", "P",
     "支持开发，获取专属功能"},
    {K::Card, 9, "必读：用户协议", "必读：用户协议", 424, 24, 288, 104, F::Heading, 0, "nav:必读：用户协议", "协",
     "使用前请仔细阅读"},
    {K::Card, 9, "问题反馈/建议/常见问题", "问题反馈/建议/常见问题", 64, 144, 288, 104, F::Heading, 0,
     "问题反馈/建议/常见问题", "问", "遇到问题？告诉我们"},
    {K::Card, 9, "下载工具包", "下载工具包", 424, 144, 288, 104, F::Heading, 0, "下载工具包", "包",
     "获取全部工具的离线包"},
    {K::Label, 9, "", "注：使用工具箱代表你同意并遵守用户协议，不同意请勿使用", 64, 268, 648, 22, F::Body, kMuted},

    // --- Page 10 更新日志 ---
    {K::Heading, 10, "", "版本更新", 24, 8, 200, 30, F::Heading},
    {K::Section, 10, "", "| 版本号检测", 24, 40, 240, 24, F::Strong},
    {K::Label, 10, "标签17", "当前版本：", 44, 70, 240, 22},
    {K::Label, 10, "标签16", "服务器版本：", 290, 70, 270, 22},
    {K::Label, 10, "标签30", "", 44, 96, 520, 22, F::Body, kAccentText},
    {K::Button, 10, "", "点击检测更新", 576, 62, 104, 34, F::Body, 0, "点击检测更新"},
    {K::Button, 10, "", "下载larkmere", 692, 62, 104, 34, F::Body, 0, "下载larkmere"},
    {K::Section, 10, "", "| 更新日志", 24, 120, 240, 24, F::Strong},
    // The update log itself (4, 148, 812 x 416) is the web browser of
    // app/update_log_view_win.cpp, made when the page is first opened.

    // --- Page 11 用户协议 ---
    {K::Heading, 11, "", "用户协议", 24, 8, 200, 30, F::Heading},
    {K::Section, 11, "", "| 用户协议", 24, 44, 240, 24, F::Strong},
    {K::TextBox, 11, "", "content:agreement", 24, 72, 772, 490},

    // --- Page 12 赞助与支持 ---
    {K::Heading, 12, "", "赞助与支持", 24, 8, 200, 30, F::Heading},
    {K::Section, 12, "", "| 赞助网址", 24, 44, 240, 24, F::Strong},
    {K::LineBox, 12, "", "content:sponsor-address", 24, 72, 480, 34},
    {K::TextBox, 12, "", "content:qr", 524, 44, 272, 160},
    {K::Section, 12, "", "| 感谢赞助", 24, 116, 240, 24, F::Strong},
    {K::Label, 12, "", "感谢每一位支持青岚工具箱的朋友！您的赞助将用于服务器与后续开发，让工具箱保持免费、纯净、无广告。",
     24, 144, 480, 60, F::Body, kMuted | kWrap},
    {K::Section, 12, "", "| 感谢名单（排名不分先后）", 24, 220, 320, 24, F::Strong},
    {K::List, 12, "感谢名单", "感谢名单", 24, 248, 772, 314, F::Body, 0, "", "", "名称|企鹅号|内容|个性签名"},

    // --- Page 13 特色功能 ---
    {K::Card, 13, "", "磁力链接转种子", 64, 24, 288, 104, F::Heading, 0, "磁力链接转种子", "磁", "磁力链接一键生成种子文件"},
    {K::Card, 13, "", "文件MD5值计算", 424, 24, 288, 104, F::Heading, 0, "文件MD5值计算", "M", "校验文件完整性"},
    {K::Card, 13, "", "下载地址转换", 64, 144, 288, 104, F::Heading, 0, "下载地址转换", "转", "迅雷、快车、旋风地址互转"},
    {K::Card, 13, "", "秒表计时器", 424, 144, 288, 104, F::Heading, 0, "秒表计时器", "秒", "精确到毫秒的桌面秒表"},
    {K::Card, 13, "", "网址二维码生成", 64, 264, 288, 104, F::Heading, 0, "网址二维码生成", "码", "把网址变成二维码"},
    {K::Card, 13, "", "kinhdown网盘下载器", 424, 264, 288, 104, F::Heading, 0, "kinhdown网盘下载器", "K",
     "网盘文件高速下载"},
    {K::Card, 13, "", "天翼云盘直链解析（已失效）", 64, 384, 288, 104, F::Heading, 0, "天翼云盘直链解析（已失效）",
     "云", "接口已关闭，仅作保留"},
    {K::Card, 13, "", "等待添加", 424, 384, 288, 104, F::Heading, 0, "等待添加", "+", "更多功能敬请期待"},
};
// clang-format on

}  // namespace

std::span<const LayoutRow> MainLayout() { return kRows; }

int FindLayoutRow(std::string_view name) {
  if (name.empty()) return -1;
  for (size_t i = 0; i < std::size(kRows); ++i)
    if (kRows[i].name == name) return static_cast<int>(i);
  return -1;
}

ParentBox ParentSize(int8_t parent) {
  switch (parent) {
    case kInWindow: return {1000, 640};
    case kInNav: return {180, 640};
    case kInTop: return {820, 60};
    default: return {820, 580};
  }
}

}  // namespace ql
