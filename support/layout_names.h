// The layout names of the main window's controls that code refers to: the
// labels the features write, the timers and the regions. The layout table
// (app/main_layout.cpp) gives each its row; a native test checks that every
// name here has one.
#pragma once

#include <string_view>

namespace ql::layout {

// Window regions and the top bar.
inline constexpr std::string_view kNavColumn = "导航栏";
inline constexpr std::string_view kTopBar = "顶栏";
inline constexpr std::string_view kSelectionBar = "选择条";
inline constexpr std::string_view kTitle = "标题标签";
inline constexpr std::string_view kUptimeTimer = "时钟1";

// Home page: header labels, visit counters, the hardware rows.
inline constexpr std::string_view kMachineType = "标签1";
inline constexpr std::string_view kWindows = "标签68";
inline constexpr std::string_view kUptime = "标签7";
inline constexpr std::string_view kYesterdayVisits = "昨日访问";
inline constexpr std::string_view kTodayVisits = "今日访问";
inline constexpr std::string_view kTotalVisits = "累计访问";
inline constexpr std::string_view kProcessorCaption = "标签69";
inline constexpr std::string_view kProcessor = "标签71";
inline constexpr std::string_view kMemoryCaption = "标签70";
inline constexpr std::string_view kMemory = "标签84";
inline constexpr std::string_view kGraphicsCaption = "标签77";
inline constexpr std::string_view kGraphics = "标签81";
inline constexpr std::string_view kBoardCaption = "标签78";
inline constexpr std::string_view kBoard = "标签76";
inline constexpr std::string_view kMonitorCaption = "标签79";
inline constexpr std::string_view kMonitor = "标签75";
inline constexpr std::string_view kDiskCaption = "标签80";
inline constexpr std::string_view kDisk = "标签74";
inline constexpr std::string_view kNetworkCaption = "标签82";
inline constexpr std::string_view kNetwork = "标签73";
inline constexpr std::string_view kBatteryCaption = "标签83";
inline constexpr std::string_view kBattery = "标签72";
inline constexpr std::string_view kBatteryTimer = "时钟2";
inline constexpr std::string_view kRedetectLink = "透明标签13";
inline constexpr std::string_view kCopyLink = "透明标签16";
inline constexpr std::string_view kCopyBuffer = "编辑框1";

// Update page.
inline constexpr std::string_view kCurrentVersion = "标签17";
inline constexpr std::string_view kServerVersion = "标签16";
inline constexpr std::string_view kUpdateHint = "标签30";

inline constexpr std::string_view kAllNames[] = {
    kNavColumn,  kTopBar,         kSelectionBar,    kTitle,           kUptimeTimer,  kMachineType,
    kWindows,    kUptime,         kYesterdayVisits, kTodayVisits,     kTotalVisits,  kProcessorCaption,
    kProcessor,  kMemoryCaption,  kMemory,          kGraphicsCaption, kGraphics,     kBoardCaption,
    kBoard,      kMonitorCaption, kMonitor,         kDiskCaption,     kDisk,         kNetworkCaption,
    kNetwork,    kBatteryCaption, kBattery,         kBatteryTimer,    kRedetectLink, kCopyLink,
    kCopyBuffer, kCurrentVersion, kServerVersion,   kUpdateHint,
};

}  // namespace ql::layout
