// The real script control with Wine's WMI: every query script compiles, the
// classes Wine has return records of their shape, a query that reads a
// property Wine lacks fails, and each detector then gives its empty results.
#include "inventory/script_host_win.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "inventory/installed_memory_win.h"
#include "inventory/memory_detectors.h"
#include "inventory/system_detectors.h"
#include "inventory/wmi_query_script.h"
#include "inventory/wmi_record_text.h"
#include "support/regex_object.h"

namespace ql {
namespace {

bool WholeTextMatches(const std::string& pattern, const std::string& text) {
  RegexObject re;
  return re.Match("^(?:" + pattern + ")$", text, true, false, false) && re.MatchCount() == 1;
}

struct WindowSearch {
  DWORD pid;
  bool found;
};

BOOL CALLBACK NoteVisibleWindow(HWND hwnd, LPARAM p) {
  auto* search = reinterpret_cast<WindowSearch*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == search->pid && IsWindowVisible(hwnd)) search->found = true;
  return TRUE;
}

// No window of this process shows (no script error box, no prompt).
bool NoVisibleWindow() {
  WindowSearch search{GetCurrentProcessId(), false};
  EnumWindows(NoteVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return !search.found;
}

class ScriptControl : public testing::Test {
 protected:
  ScopedComInit com_ = InitializeCom();
};

TEST_F(ScriptControl, EveryQueryScriptCompiles) {
  const std::string scripts[] = {
      ChassisScript(),   EnclosureManufacturerScript(), ProcessorScript(), BiosScript(),
      BaseboardScript(), OperatingSystemScript(),       MemoryScript(),    VideoControllerScript(),
      MonitorScript()};
  for (const std::string& script : scripts) {
    ScriptControlHost host;
    ASSERT_TRUE(host.Created());
    EXPECT_TRUE(host.AddCode(script)) << script;
  }
  ScriptControlHost host;
  EXPECT_FALSE(host.AddCode("Function GetA(\r\nEnd Sub"));
}

TEST_F(ScriptControl, TextsNumbersArraysAndALaterGetA) {
  ScriptControlHost host;
  EXPECT_EQ(host.EvaluateText("Function GetA()\r\nGetA = \"型号=\" & 1.5 & vbCrLf\r\nEnd Function"), "型号=1.5\r\n");
  // The new GetA replaces the first one on the same open host.
  EXPECT_EQ(host.EvaluateAgain("Function GetA()\r\nGetA = \"second\"\r\nEnd Function"), "second");
  ScriptControlHost numbers;
  EXPECT_EQ(numbers.EvaluateFirstNumber("Function GetA()\r\nGetA = Array(9, 10)\r\nEnd Function"), 9);
  EXPECT_EQ(numbers.EvaluateFirstNumber("Function GetA()\r\nGetA = Null\r\nEnd Function"), 0);
  EXPECT_EQ(numbers.EvaluateText("Function GetA()\r\nGetA = Null\r\nEnd Function"), "");
  EXPECT_EQ(numbers.EvaluateText("Function GetA()\r\nGetA = 1 / 0\r\nEnd Function"), "");
  EXPECT_EQ(numbers.EvaluateFirstNumber("Function GetA()\r\nGetA = \"x\"\r\nEnd Function"), 0);
  EXPECT_TRUE(NoVisibleWindow());
}

TEST_F(ScriptControl, AMissingPropertyFailsTheWholeQuery) {
  // Win32_BIOS has objects; reading a property it lacks raises a script error.
  WmiQueryShape shape{
      "Win32_BIOS",
      true,
      "from",
      {KeyLine(RecordOp::Append, "厂商=", "Manufacturer"), KeyLine(RecordOp::Append, "无=", "NoSuchProperty")},
      {}};
  std::string script = BuildWmiQueryScript(shape);
  ScriptControlHost host;
  ASSERT_TRUE(host.AddCode(script));
  EXPECT_EQ(host.EvaluateText(script), "");
  EXPECT_EQ(host.EvaluateFirstNumber(script), 0);
  EXPECT_TRUE(NoVisibleWindow());
}

TEST_F(ScriptControl, ClassesWineProvidesReturnRecordsOfTheirShape) {
  std::string os = EvaluateTextOnce(ScriptControlHosts(), OperatingSystemScript());
  EXPECT_TRUE(WholeTextMatches("版本=[^\\r\\n]+\\r\\nBuild=\\d+\\r\\n系统位宽=[^\\r\\n]*\\r\\n获取成功=1\\r\\n", os))
      << os;

  ScriptControlHost host;
  std::string combined = host.EvaluateText(BiosScript());
  combined += host.EvaluateAgain(BaseboardScript());
  EXPECT_TRUE(
      WholeTextMatches("(?:厂商=.*\\r\\n说明=.*\\r\\n版本=.*\\r\\nOEM版本=.*\\r\\n)+(?:型号=.*\\r\\n)+", combined))
      << combined;

  std::string video = EvaluateTextOnce(ScriptControlHosts(), VideoControllerScript());
  std::vector<std::string> records = SplitRecords(video);
  ASSERT_FALSE(records.empty()) << video;
  for (size_t k = 0; k < records.size(); ++k) {
    std::string n = std::to_string(k + 1);
    EXPECT_TRUE(WholeTextMatches((k ? "\\r\\n" : "") + std::string("显卡") + n + "型号=.*\\r\\n显卡" + n +
                                     "显存=.*\\r\\n显卡" + n + "厂商=.*\\r\\n显卡" + n + "驱动版本=.*\\r\\n",
                                 records[k]))
        << records[k];
  }
}

TEST_F(ScriptControl, DetectorsOverWineWmi) {
  ScriptHostFactory& hosts = ScriptControlHosts();

  MachineTypeInfo machine = DetectMachineType(hosts);
  EXPECT_FALSE(machine.manufacturer.empty());
  // The enclosure's first chassis code arrives as an array element; only its
  // low word is the code (Wine puts garbage in the high word).
  int64_t code = ChassisCodeFromNumber(EvaluateFirstNumberOnce(hosts, ChassisScript()));
  EXPECT_GE(code, 1);
  EXPECT_LE(code, 36);
  EXPECT_EQ(machine.chassisName, ChassisName(code));

  BoardInfo board = DetectBoard(hosts);
  EXPECT_FALSE(board.biosManufacturer.empty());
  EXPECT_TRUE(WholeTextMatches("[^\\r\\n]+\\r\\n", board.boardProduct)) << board.boardProduct;

  std::string summary = DescribeOperatingSystem(hosts);
  EXPECT_TRUE(WholeTextMatches("[^；\\r\\n]+；\\d+；[^；\\r\\n]+\\r\\n", summary)) << summary;
  EXPECT_EQ(summary.find("获取成功"), std::string::npos);
  EXPECT_EQ(summary.find("-bit"), std::string::npos);

  VideoControllerList video = DetectVideoControllers(hosts);
  ASSERT_GE(video.names.size(), 1u);
  EXPECT_FALSE(video.names[0].empty());
  EXPECT_TRUE(NoVisibleWindow());
}

TEST_F(ScriptControl, QueriesThatFailHereGiveTheEmptyResults) {
  ScriptHostFactory& hosts = ScriptControlHosts();
  // This Wine lacks Win32_Processor.SocketDesignation, Win32_PhysicalMemory.Speed
  // and Win32_DesktopMonitor.PNPDeviceID, so these three scripts fail.
  ASSERT_EQ(EvaluateTextOnce(hosts, ProcessorScript()), "");
  ASSERT_EQ(EvaluateTextOnce(hosts, MemoryScript()), "");
  ASSERT_EQ(EvaluateTextOnce(hosts, MonitorScript()), "");
  ProcessorRecords cpu = DetectProcessors(hosts);
  EXPECT_EQ(cpu.names, std::vector<std::string>{""});
  EXPECT_EQ(cpu.descriptions, std::vector<std::string>{""});
  MemoryInventory memory = DetectMemory(hosts);
  EXPECT_EQ(memory.capacities, std::vector<std::string>{""});
  EXPECT_EQ(memory.speeds, std::vector<std::string>{""});
  EXPECT_EQ(memory.manufacturers, std::vector<std::string>{""});
  EXPECT_EQ(memory.totalCapacityBytes, 0);
  EXPECT_EQ(DetectMonitorDevices(hosts).pnpDeviceIds, std::vector<std::string>{""});
  EXPECT_TRUE(NoVisibleWindow());
}

TEST(ScriptControlThread, AHostOnAFreshThreadSetsUpComAndLeavesItAsFound) {
  std::string text;
  HRESULT after = E_FAIL;
  std::thread worker([&] {
    text = EvaluateTextOnce(ScriptControlHosts(), "Function GetA()\r\nGetA = \"ok\"\r\nEnd Function");
    after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(after)) CoUninitialize();
  });
  worker.join();
  EXPECT_EQ(text, "ok");
  EXPECT_EQ(after, S_OK);
}

// A script that asks for a message box on a worker thread gets an error, not
// a box: the host's control has AllowUI off. Should a box come, it is closed
// from here and the test fails instead of hanging.
TEST(ScriptControlThread, NoMessageBoxOnAWorkerThread) {
  std::atomic<bool> done{false};
  std::string text = "not run";
  std::thread worker([&] {
    text = EvaluateTextOnce(ScriptControlHosts(),
                            "Function GetA()\r\nMsgBox \"prompt\"\r\nGetA = \"went on\"\r\nEnd Function");
    done = true;
  });
  bool boxShown = false;
  for (int i = 0; i < 250 && !done; ++i) {
    Sleep(20);
    if (!NoVisibleWindow()) {
      boxShown = true;
      break;
    }
  }
  // Close whatever came, so a failure does not hang the run.
  while (boxShown && !done) {
    if (HWND box = FindWindowW(L"#32770", nullptr)) PostMessageW(box, WM_CLOSE, 0, 0);
    Sleep(50);
  }
  worker.join();
  EXPECT_FALSE(boxShown);
  EXPECT_EQ(text, "") << "MsgBox without a window is a script error";
}

TEST(InstalledMemory, WholeGigabytesOfThisMachine) {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  std::string text = InstalledMemoryText();
  EXPECT_TRUE(WholeTextMatches("\\d+GB", text)) << text;
  EXPECT_EQ(text, InstalledMemoryTextFor(status.ullTotalPhys));
}

}  // namespace
}  // namespace ql
