// The query scripts, byte for byte as the script control receives them.
#include "inventory/wmi_query_script.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(WmiQueryScript, ProcessorScriptIsExact) {
  const std::string expected =
      "Function GetA()\r\n"
      "Dim R, wmi, obj, i\r\n"
      "    Set wmi = GetObject(\"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2\")\r\n"
      "    Set A = wmi.ExecQuery(\"Select * from Win32_Processor\")\r\n"
      "    For Each obj In A\r\n"
      "        i=i+1\r\n"
      "        R = \"处理器型号=\" & obj.Name & vbCrLf\r\n"
      "        R = R& \"处理器架构_数据=\" & obj.Description & vbCrLf\r\n"
      "        R = R& \"处理器厂商=\" & obj.Manufacturer & vbCrLf\r\n"
      "        R = R& \"处理器核心数=\" & obj.NumberOfCores & vbCrLf\r\n"
      "        R = R& \"处理器线程数=\" & obj.NumberOfLogicalProcessors & vbCrLf\r\n"
      "        R = R& \"处理器接口=\" & obj.SocketDesignation & vbCrLf\r\n"
      "        R = R& \"处理器位宽=x\" & obj.DataWidth & \"架构\" & vbCrLf\r\n"
      "        R = R& \"处理器外频=\" & obj.ExtClock & \"MHz\" & vbCrLf\r\n"
      "        R = R& \"处理器主频=\" & obj.MaxClockSpeed & \"MHz\" & vbCrLf\r\n"
      "        R = R& \"完\" & vbCrLf\r\n"
      "    Next\r\n"
      "GetA = R\r\n"
      "End Function";
  EXPECT_EQ(ProcessorScript(), expected);
}

TEST(WmiQueryScript, MachineTypeScriptsDoNotCount) {
  const std::string head =
      "Function GetA()\r\n"
      "Dim R, wmi, obj\r\n"
      "    Set wmi = GetObject(\"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2\")\r\n"
      "    Set A = wmi.ExecQuery(\"Select * from Win32_SystemEnclosure\")\r\n"
      "    For Each obj In A\r\n";
  const std::string tail = "\r\n    Next\r\nGetA = R\r\nEnd Function";
  EXPECT_EQ(ChassisScript(), head + "        R = obj.ChassisTypes" + tail);
  EXPECT_EQ(EnclosureManufacturerScript(), head + "        R = obj.Manufacturer" + tail);
}

TEST(WmiQueryScript, BiosBoardAndOperatingSystemScriptsAreExact) {
  const std::string connect =
      "Function GetA()\r\n"
      "Dim R, wmi, obj, i\r\n"
      "    Set wmi = GetObject(\"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2\")\r\n";
  EXPECT_EQ(BiosScript(), connect +
                              "    Set A = wmi.ExecQuery(\"Select * From Win32_BIOS\")\r\n"
                              "    For Each obj In A\r\n"
                              "        i=i+1\r\n"
                              "        R = R & \"厂商=\" & obj.Manufacturer & vbCrLf\r\n"
                              "        R = R & \"说明=\" & obj.Name & vbCrLf\r\n"
                              "        R = R & \"版本=\" & obj.SMBIOSBIOSVersion & vbCrLf\r\n"
                              "        R = R & \"OEM版本=\" & obj.Version & vbCrLf\r\n"
                              "    Next\r\nGetA = R\r\nEnd Function");
  EXPECT_EQ(BaseboardScript(), connect +
                                   "    Set A = wmi.ExecQuery(\"Select * from Win32_BaseBoard\")\r\n"
                                   "    For Each obj In A\r\n"
                                   "        i=i+1\r\n"
                                   "        R = R & \"型号=\" & obj.Product & vbCrLf\r\n"
                                   "    Next\r\nGetA = R\r\nEnd Function");
  EXPECT_EQ(OperatingSystemScript(), connect +
                                         "    Set A = wmi.ExecQuery(\"Select * from Win32_OperatingSystem\")\r\n"
                                         "    For Each obj In A\r\n"
                                         "        i=i+1\r\n"
                                         "        R = \"版本=\" & obj.Caption & vbCrLf\r\n"
                                         "        R = R& \"Build=\" & obj.BuildNumber & vbCrLf\r\n"
                                         "        R = R& \"系统位宽=\" & obj.OSArchitecture & vbCrLf\r\n"
                                         "    Next\r\n"
                                         "        R= R & \"获取成功=\" & Cstr(i) & vbCrLf\r\n"
                                         "GetA = R\r\nEnd Function");
}

TEST(WmiQueryScript, DeviceScriptsNumberTheirKeys) {
  const std::string connect =
      "Function GetA()\r\n"
      "Dim R, wmi, obj, i\r\n"
      "    Set wmi = GetObject(\"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2\")\r\n";
  const std::string loop = "    For Each obj In A\r\n        i=i+1\r\n";
  const std::string end = "    Next\r\nGetA = R\r\nEnd Function";
  EXPECT_EQ(MemoryScript(), connect + "    Set A = wmi.ExecQuery(\"Select * from Win32_PhysicalMemory\")\r\n" + loop +
                                "        R = R & \"内存\" & Cstr(i) & \"容量=\" & obj.Capacity & vbCrLf\r\n"
                                "        R = R & \"内存\" & Cstr(i) & \"速度=\" & obj.Speed & vbCrLf\r\n"
                                "        R = R & \"内存\" & Cstr(i) & \"厂商=\" & obj.Manufacturer & vbCrLf\r\n"
                                "        R = R & \"内存\" & Cstr(i) & \"序列号=\" & obj.SerialNumber & vbCrLf\r\n"
                                "        R = R& \"完\" & vbCrLf\r\n" +
                                end);
  EXPECT_EQ(VideoControllerScript(),
            connect + "    Set A = wmi.ExecQuery(\"Select * from Win32_VideoController\")\r\n" + loop +
                "        R = R & \"显卡\" & Cstr(i) & \"型号=\" & obj.Name & vbCrLf\r\n"
                "        R = R & \"显卡\" & Cstr(i) & \"显存=\" & obj.AdapterRAM & vbCrLf\r\n"
                "        R = R & \"显卡\" & Cstr(i) & \"厂商=\" & obj.AdapterCompatibility & vbCrLf\r\n"
                "        R = R & \"显卡\" & Cstr(i) & \"驱动版本=\" & obj.DriverVersion & vbCrLf\r\n"
                "        R = R& \"完\" & vbCrLf\r\n" +
                end);
  EXPECT_EQ(MonitorScript(),
            connect + "    Set A = wmi.ExecQuery(\"Select * from Win32_DesktopMonitor\")\r\n" + loop +
                "        R = R & \"显示器\" & Cstr(i) & \"参数a=\" & obj.ConfigManagerErrorCode & vbCrLf\r\n"
                "        R = R & \"显示器\" & Cstr(i) & \"参数b=\" & obj.ConfigManagerUserConfig & vbCrLf\r\n"
                "        R = R & \"显示器\" & Cstr(i) & \"参数c=\" & obj.PNPDeviceID & vbCrLf\r\n"
                "        R = R & \"完\" & vbCrLf\r\n" +
                end);
}

TEST(WmiQueryScript, EachDetectorScriptLeadsBackToItsOwnShape) {
  const std::string scripts[] = {
      ChassisScript(),   EnclosureManufacturerScript(), ProcessorScript(), BiosScript(),
      BaseboardScript(), OperatingSystemScript(),       MemoryScript(),    VideoControllerScript(),
      MonitorScript()};
  ASSERT_EQ(DetectorQueryShapes().size(), std::size(scripts));
  for (size_t k = 0; k < std::size(scripts); ++k) {
    const WmiQueryShape* shape = FindDetectorQueryShape(scripts[k]);
    ASSERT_EQ(shape, &DetectorQueryShapes()[k]) << scripts[k];
    EXPECT_EQ(BuildWmiQueryScript(*shape), scripts[k]);
  }
  // The two enclosure scripts share the class but not the line.
  EXPECT_NE(FindDetectorQueryShape(ChassisScript()), FindDetectorQueryShape(EnclosureManufacturerScript()));
  EXPECT_EQ(FindDetectorQueryShape(ProcessorScript() + " "), nullptr);
  EXPECT_EQ(FindDetectorQueryShape("Function GetA()\r\nGetA = 1\r\nEnd Function"), nullptr);
  EXPECT_EQ(WmiQueryText(BiosShape()), "Select * From Win32_BIOS");
  EXPECT_EQ(WmiQueryText(MonitorShape()), "Select * from Win32_DesktopMonitor");
}

}  // namespace
}  // namespace ql
