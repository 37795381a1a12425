// Every web address the program opens or reads, in one place.
//
// Outside sites carry their public address only where it is certain; every
// other address, and every page of the maker's own, is a placeholder under
// the reserved .example domain. TO FILL IN before release: each constant
// whose value ends in ".example/...".
#pragma once

#include <string_view>

#include "support/web_address.h"

namespace ql::web {

// --- Pages of the maker (placeholders: to fill in) ---
inline constexpr std::string_view kMakerHomePage = "https://larkmere.example/";
inline constexpr std::string_view kMakerDownloadPage = "https://larkmere.example/download";
inline constexpr std::string_view kMakerSponsorPage = "https://larkmere.example/sponsor";
inline constexpr std::string_view kMakerUpdateLogPage = "https://larkmere.example/changelog";
inline constexpr std::string_view kMakerFeedbackBoard = "https://support.larkmere.example/feedback";
// The maker's folder on a public file-sharing service: the update check reads
// "最新版本：[…]" and the package link "工具包下载地址：《…》" from it.
inline constexpr std::string_view kMakerSharedFolderPage = "https://share.larkmere.example/folder";
// The hit-counter page with "昨日访问：", "今日访问：", "累计访问：".
inline constexpr std::string_view kVisitCounterPage = "https://counter.larkmere.example/count";

// --- Outside sites (placeholders unless certain: to fill in) ---
inline constexpr std::string_view kKinhdownSite = "https://kinhdown.example/";
inline constexpr std::string_view kWin7ImageSite = "https://win7-images.example/";
inline constexpr std::string_view kWin10ImageSite = "https://win10-images.example/";
inline constexpr std::string_view kMicrosoftImageIndex = "https://msdn-index.example/";
inline constexpr std::string_view kOfficeToolVideo = "https://video.example/officetool";
inline constexpr std::string_view kUqidongSite = "https://uqidong.example/";
inline constexpr std::string_view kUqitongSite = "https://uqitong.example/";
inline constexpr std::string_view kFontYuanti = "https://fonts.example/yuanti";
inline constexpr std::string_view kFontShishangZhonghei = "https://fonts.example/shishang-zhonghei";
inline constexpr std::string_view kFontFangzhengZhunyuan = "https://fonts.example/fangzheng-zhunyuan";

// Every constant above: each one is a web address that the shell and cmd.exe
// take as it is (a new constant belongs in this list too).
inline constexpr std::string_view kAllAddresses[] = {
    kMakerHomePage,         kMakerDownloadPage,     kMakerSponsorPage, kMakerUpdateLogPage, kMakerFeedbackBoard,
    kMakerSharedFolderPage, kVisitCounterPage,      kKinhdownSite,     kWin7ImageSite,      kWin10ImageSite,
    kMicrosoftImageIndex,   kOfficeToolVideo,       kUqidongSite,      kUqitongSite,        kFontYuanti,
    kFontShishangZhonghei,  kFontFangzhengZhunyuan,
};

constexpr bool EveryAddressIsPlain() {
  for (std::string_view address : kAllAddresses)
    if (!IsWebAddress(address) || HasCommandSpecialCharacter(address)) return false;
  return true;
}
static_assert(EveryAddressIsPlain(), "a built-in address is no plain web address, or holds one of & | < > ^ % \"");

}  // namespace ql::web
