// The command scripts, line by line (trailing spaces are part of the lines),
// and the decisions of the system operations.
#include "launcher/command_scripts.h"

#include "support/gbk_text.h"

namespace ql {

// clang-format off
std::vector<std::string> IconCacheScriptLines() {
  return {
      "@echo off",
      "taskkill /f /im explorer.exe",
      "CD /d %userprofile%\\AppData\\Local",
      "DEL IconCache.db /a",
      "start explorer.exe",
      "echo",
  };
}
// clang-format on

// clang-format off
std::vector<std::string> JunkCleanScriptLines(std::string_view makerAddress) {
  return {
      "@echo off ",  // 1
      "echo ★☆ ★☆ ★☆ ★☆ ★☆★☆★☆ ★☆ ★☆ ★☆ ★☆★",  // 2
      "echo ★☆ ★☆ ★☆ ★☆ ★☆★☆★☆ ★☆ ★☆ ★☆ ★☆★",  // 3
      "echo.★☆                                              ☆★",  // 4
      "echo.★☆                                              ☆★",  // 5
      "echo.★☆   清理系统垃圾文件，请稍等......             ☆★",  // 6
      "echo ★☆                                 larkmere    ☆★",  // 7
      "echo.★☆                                              ☆★",  // 8
      "echo ★☆ ★☆ ★☆ ★☆ ★☆★☆★☆ ★☆ ★☆ ★☆ ★☆★",  // 9
      "echo ★☆ ★☆ ★☆ ★☆ ★☆★☆★☆ ★☆ ★☆ ★☆ ★☆★",  // 10
      "echo 软件安全无毒，只清理垃圾文件，请放心使用！",  // 11
      std::string("echo 官网：") + std::string(makerAddress),  // 12
      "del /f /s /q %systemdrive%\\*.tmp ",  // 13
      "del /f /s /q %systemdrive%\\*._mp",  // 14
      "del /f /s /q %systemdrive%\\*.log",  // 15
      "del /f /s /q %systemdrive%\\*.gid ",  // 16
      "del /f /s /q %systemdrive%\\*.chk ",  // 17
      "del /f /s /q %systemdrive%\\*.old ",  // 18
      "del /f /s /q %systemdrive%\\recycled\\*.*",  // 19
      "del /f /s /q %windir%\\system32\\dllcache\\*.dll",  // 20
      "del /f /s /q %windir%\\*.bak ",  // 21
      "del /f /s /q %windir%\\prefetch\\*.* ",  // 22
      "rd /s /q %windir%\\temp & md %windir%\\temp",  // 23
      "del /f /q %userprofile%\\COOKIES s\\*.* ",  // 24
      "del /f /q %userprofile%\\小甜饼s\\*.* ",  // 25
      "del /f /q %userprofile%\\recent\\*.* ",  // 26
      "del /f /s /q \"%userprofile%\\Local Settings\\Temporary Internet Files\\*.*\" ",  // 27
      "del /f /s /q \"%userprofile%\\Local Settings\\Temp\\*.*\" ",  // 28
      "del /f /s /q \"%userprofile%\\recent\\*.*\" ",  // 29
      "del /f /s /q \"D:\\Local Settings\\Temporary Internet Files\\*.*\" ",  // 30
      "del /f /s /q \"D:\\Local Settings\\Temp\\*.*\" ",  // 31
      "sfc /purgecache '清理系统盘无用文件",  // 32
      "defrag %systemdrive% -b '优化预读信息 ",  // 33
      "echo 清理垃圾文件，速度由电脑文件大小而定。在没看到结尾信息时 ",  // 34
      "echo 请勿关闭本窗口。 ",  // 35
      "echo 正在清除系统垃圾文件，请稍后...... ",  // 36
      "echo 删除补丁备份目录 ",  // 37
      "RD %windir%\\$hf_mig$ /Q /S ",  // 38
      "echo 把补丁卸载文件夹的名字保存成2950800.txt ",  // 39
      "dir %windir%\\$NtUninstall* /a:d /b >%windir%\\2950800.txt ",  // 40
      "echo 从2950800.txt中读取文件夹列表并且删除文件夹 ",  // 41
      "for /f %%i in (%windir%\\2950800.txt) do rd %windir%\\%%i /s /q ",  // 42
      "echo 删除2950800.txt ",  // 43
      "del %windir%\\2950800.txt /f /q ",  // 44
      "echo 删除补丁安装记录内容（下面的del /f /s /q %systemdrive%\\*.log已经包含删除此类文件） ",  // 45
      "del %windir%\\KB*.log /f /q ",  // 46
      "echo 删除系统盘目录下临时文件 ",  // 47
      "del /f /s /q %systemdrive%\\*.tmp ",  // 48
      "echo 删除系统盘目录下临时文件 ",  // 49
      "del /f /s /q %systemdrive%\\*._mp ",  // 50
      "echo 删除系统盘目录下日志文件 ",  // 51
      "del /f /s /q %systemdrive%\\*.log ",  // 52
      "echo 删除系统盘目录下GID文件(属于临时文件，具体作用不详) ",  // 53
      "del /f /s /q %systemdrive%\\*.gid ",  // 54
      "echo 删除系统目录下scandisk（磁盘扫描）留下的无用文件 ",  // 55
      "del /f /s /q %systemdrive%\\*.chk ",  // 56
      "echo 删除系统目录下old文件 ",  // 57
      "del /f /s /q %systemdrive%\\*.old ",  // 58
      "echo 删除回收站的无用文件 ",  // 59
      "del /f /s /q %systemdrive%\\recycled\\*.* ",  // 60
      "echo 删除系统目录下备份文件 ",  // 61
      "del /f /s /q %windir%\\*.bak ",  // 62
      "echo 删除应用程序临时文件 ",  // 63
      "del /f /s /q %windir%\\prefetch\\*.* ",  // 64
      "echo 删除系统维护等操作产生的临时文件 ",  // 65
      "rd /s /q %windir%\\temp & md %windir%\\temp ",  // 66
      "echo 删除当前用户的COOKIE（IE） ",  // 67
      "del /f /q %userprofile%\\cookies\\*.* ",  // 68
      "echo 删除internet临时文件 ",  // 69
      "del /f /s /q \"%userprofile%\\local settings\\temporary internet files\\*.*\" ",  // 70
      "echo 删除当前用户日常操作临时文件 ",  // 71
      "del /f /s /q \"%userprofile%\\local settings\\temp\\*.*\" ",  // 72
      "echo 删除访问记录（开始菜单中的文档里面的东西） ",  // 73
      "del /f /s /q \"%userprofile%\\recent\\*.*\" ",  // 74
      "del /f /s /q %systemdrive%\\*.tmp",  // 75
      "del /f /s /q %systemdrive%\\*._mp",  // 76
      "del /f /s /q %systemdrive%\\*.log",  // 77
      "del /f /s /q %systemdrive%\\*.gid",  // 78
      "del /f /s /q %systemdrive%\\*.chk",  // 79
      "del /f /s /q %systemdrive%\\*.old",  // 80
      "del /f /s /q %systemdrive%\\recycled\\*.*",  // 81
      "del /f /s /q %windir%\\*.bak",  // 82
      "del /f /s /q %windir%\\prefetch\\*.*",  // 83
      "rd /s /q %windir%\\temp & md %windir%\\temp",  // 84
      "del /f /q %userprofile%\\cookies\\*.*",  // 85
      "del /f /q %userprofile%\\recent\\*.*",  // 86
      "del /f /s /q \"%userprofile%\\Local Settings\\Temporary Internet Files\\*.*\"",  // 87
      "del /f /s /q \"%userprofile%\\Local Settings\\Temp\\*.*\"",  // 88
      "del /f /s /q \"%userprofile%\\recent\\*.*\"",  // 89
      "echo 清除系统完成！",  // 90
      "echo ",  // 91
      "echo ★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★",  // 92
      "echo ★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★",  // 93
      "echo ★☆                                                          ☆★",  // 94
      "echo.★☆                                                          ☆★",  // 95
      "echo.★☆                                                          ☆★",  // 96
      "echo ★☆                                                          ☆★",  // 97
      "echo ★☆                恭喜您！清理全部完成！                    ☆★",  // 98
      "echo.★☆                                                          ☆★",  // 99
      "echo ★☆                                                          ☆★",  // 100
      "echo.★☆                                                          ☆★",  // 101
      "echo ★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★",  // 102
      "echo ★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★",  // 103
      "echo. & pause",  // 104
      "echo.",  // 105
  };
}
// clang-format on

std::string ScriptFileBytes(const std::vector<std::string>& lines) { return JoinText(lines, "\r\n"); }

bool IsEndSessionMode(int mode) { return mode >= 1 && mode <= 3; }

uint32_t EndSessionFlags(int mode, bool force, bool ntPlatform) {
  uint32_t flags = 0;
  switch (mode) {
    case 1: flags = ntPlatform ? kEwxPowerOff : kEwxShutdown; break;
    case 2: flags = kEwxReboot; break;
    case 3: flags = kEwxLogoff; break;
    default: return 0;
  }
  return force ? flags | kEwxForce : flags;
}

uint32_t ChooseExplorerProcess(const std::vector<ProcessEntry>& processes,
                               const std::vector<uint32_t>& windowProcessIds) {
  auto isExplorer = [&](uint32_t pid) {
    for (const ProcessEntry& p : processes)
      if (p.processId == pid) return EqualsIgnoreAsciiCase(p.exeName, "explorer.exe");
    return false;
  };
  for (uint32_t pid : windowProcessIds)
    if (pid != 0 && isExplorer(pid)) return pid;
  for (const ProcessEntry& p : processes)
    if (EqualsIgnoreAsciiCase(p.exeName, "explorer.exe")) return p.processId;
  return 0;
}

}  // namespace ql
