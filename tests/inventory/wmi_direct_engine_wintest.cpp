// The direct engine against the script control on this Wine's own WMI: for
// every detector query and for queries of our own over the odd values Wine
// has (booleans, Null, bytes, 16-bit integers, an array, a class without
// instances, several objects, a missing property), the two give the same
// text and the same first number, byte for byte.
#include "inventory/wmi_direct_engine_win.h"

#include <gtest/gtest.h>

#include "inventory/query_engine_win.h"
#include "inventory/script_host_win.h"
#include "inventory/wmi_query_script.h"
#include "support/gbk_text.h"

namespace ql {
namespace {

struct Case {
  const char* what;
  WmiQueryShape shape;
  // This Wine has the data: the script control's text is not empty (or, for
  // a number, not 0). Keeps the comparison from passing on two failures.
  bool answers;
};

RecordLine Line(RecordOp op, std::vector<RecordTerm> terms) { return {op, std::move(terms)}; }
RecordTerm Text(const char* t) { return {RecordTerm::Kind::Text, t}; }
RecordTerm Prop(const char* p) { return {RecordTerm::Kind::Property, p}; }
RecordTerm End() { return {RecordTerm::Kind::LineEnd, {}}; }

std::vector<Case> Cases() {
  constexpr RecordOp add = RecordOp::Append;
  return {
      {"chassis (an array, kept as it is)", ChassisShape(), true},
      {"enclosure manufacturer", EnclosureManufacturerShape(), true},
      {"processor (lacks SocketDesignation here)", ProcessorShape(), false},
      {"BIOS", BiosShape(), true},
      {"baseboard", BaseboardShape(), true},
      {"operating system", OperatingSystemShape(), true},
      {"memory (lacks Speed here)", MemoryShape(), false},
      {"video controllers", VideoControllerShape(), true},
      {"monitors (lack PNPDeviceID here)", MonitorShape(), false},
      {"booleans, a 16-bit integer, a 64-bit text",
       {"Win32_OperatingSystem",
        true,
        "from",
        {KeyLine(RecordOp::Assign, "主=", "Primary"), KeyLine(add, "时区=", "CurrentTimeZone"),
         KeyLine(add, "语言=", "OSLanguage", "号"), KeyLine(add, "空闲=", "FreePhysicalMemory")},
        {}},
       true},
      {"false, and an array where text is expected",
       {"Win32_SystemEnclosure",
        true,
        "from",
        {KeyLine(add, "锁=", "LockPresent"), KeyLine(add, "型=", "ChassisTypes")},
        {}},
       false},
      {"false alone", {"Win32_SystemEnclosure", true, "from", {KeyLine(add, "锁=", "LockPresent")}, {}}, true},
      {"Null and a byte",
       {"Win32_BIOS",
        true,
        "From",
        {KeyLine(add, "语言=", "CurrentLanguage"), KeyLine(add, "版=", "EmbeddedControllerMajorVersion"),
         Line(add, {Prop("CurrentLanguage"), Prop("IdentificationCode"), End()})},
        {}},
       true},
      {"Null & Null stays Null",
       {"Win32_BIOS",
        false,
        "from",
        {Line(RecordOp::Assign, {Prop("CurrentLanguage"), Prop("IdentificationCode")})},
        {}},
       false},
      {"a boolean taken unchanged", {"Win32_OperatingSystem", false, "from", {PropertyLine("Primary")}, {}}, true},
      {"Null taken unchanged", {"Win32_Processor", false, "from", {PropertyLine("UniqueId")}, {}}, false},
      {"an integer taken unchanged", {"Win32_OperatingSystem", false, "from", {PropertyLine("OSLanguage")}, {}}, true},
      {"a class without instances and its count line",
       {"Win32_Printer",
        true,
        "from",
        {KeyLine(add, "名=", "Name")},
        RecordLine{RecordOp::AppendAfterLoop, {Text("获取成功="), {RecordTerm::Kind::Count, {}}, End()}}},
       true},
      {"several objects, each block begun by an assignment",
       {"Win32_NetworkAdapter",
        true,
        "from",
        {KeyLine(RecordOp::Assign, "名=", "Name"), NumberedKeyLine("网卡", "物理=", "PhysicalAdapter"),
         NumberedKeyLine("网卡", "号=", "Index"), CloseLine(RecordOp::AppendTight)},
        RecordLine{RecordOp::AppendAfterLoop, {Text("共="), {RecordTerm::Kind::Count, {}}, End()}}},
       true},
      {"several objects appended",
       {"Win32_NetworkAdapter",
        true,
        "from",
        {NumberedKeyLine("网卡", "名=", "Name"), NumberedKeyLine("网卡", "MAC=", "MACAddress"), CloseLine(add)},
        {}},
       true},
      {"a property no object has",
       {"Win32_BIOS", true, "From", {KeyLine(add, "厂商=", "Manufacturer"), KeyLine(add, "无=", "NoSuchProperty")}, {}},
       false},
      {"a class that does not exist", {"Win32_NoSuchClass", true, "from", {KeyLine(add, "名=", "Name")}, {}}, false},
  };
}

class DirectEngine : public testing::Test {
 protected:
  ScopedComInit com_ = InitializeCom();
};

TEST_F(DirectEngine, SameTextAndNumberAsTheScriptControl) {
  for (const Case& c : Cases()) {
    std::string script = BuildWmiQueryScript(c.shape);
    ScriptControlHost control;
    ASSERT_TRUE(control.Created());
    std::string expectedText = control.EvaluateText(script);
    double expectedNumber = control.EvaluateFirstNumber(script);
    DirectWmiHost direct;
    std::string text = direct.EvaluateShapeText(c.shape);
    double number = direct.EvaluateShapeFirstNumber(c.shape);
    EXPECT_EQ(text, expectedText) << c.what << "\n" << GbkToUtf8(text) << "\n" << GbkToUtf8(expectedText);
    EXPECT_EQ(number, expectedNumber) << c.what;
    if (c.answers)
      EXPECT_TRUE(!expectedText.empty() || expectedNumber != 0) << c.what << ": this Wine should answer";
    else
      EXPECT_EQ(expectedText, "") << c.what << ": this Wine should fail the script";
  }
}

TEST_F(DirectEngine, DetectorScriptsThroughTheHostInterface) {
  for (const WmiQueryShape& shape : DetectorQueryShapes()) {
    std::string script = BuildWmiQueryScript(shape);
    EXPECT_EQ(EvaluateTextOnce(DirectWmiHosts(), script), EvaluateTextOnce(ScriptControlHosts(), script))
        << shape.wmiClass;
    EXPECT_EQ(EvaluateFirstNumberOnce(DirectWmiHosts(), script), EvaluateFirstNumberOnce(ScriptControlHosts(), script))
        << shape.wmiClass;
  }
  // The board's two queries on one host, as DetectBoard asks for them.
  std::unique_ptr<ScriptHost> direct = DirectWmiHosts().OpenHost();
  std::string combined = direct->EvaluateText(BiosScript());
  combined += direct->EvaluateAgain(BaseboardScript());
  ScriptControlHost control;
  std::string expected = control.EvaluateText(BiosScript());
  expected += control.EvaluateAgain(BaseboardScript());
  EXPECT_EQ(combined, expected);
  // A script that is none of the detectors' cannot be evaluated without VBScript.
  EXPECT_EQ(direct->EvaluateText("Function GetA()\r\nGetA = \"x\"\r\nEnd Function"), "");
  EXPECT_EQ(direct->EvaluateFirstNumber("Function GetA()\r\nGetA = 1\r\nEnd Function"), 0);
}

TEST(QueryEngine, ThisWineRunsVbscriptSoTheScriptControlIsChosen) {
  EXPECT_TRUE(ScriptControlRunsVbscript());
  EXPECT_EQ(&QueryScriptHosts(), &ScriptControlHosts());
}

TEST(QueryEngine, ConcatenationWordsOfThisLocale) {
  // VBScript writes booleans in the user's language; read from the system,
  // not assumed.
  const ConcatStyle& style = SystemConcatStyle();
  ScriptControlHost control;
  EXPECT_EQ(control.EvaluateText("Function GetA()\r\nGetA = True & \"|\" & False & \"|\" & 1.5\r\nEnd Function"),
            style.trueText + "|" + style.falseText + "|1" + style.decimalSeparator + "5");
}

}  // namespace
}  // namespace ql
