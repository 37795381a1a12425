// The two query engines through the test provider: for every detector query,
// on the worked example's machine and on a machine of odd values (Null,
// booleans, empty arrays, an array inside a record line, numbers as VT_I4, CR
// LF inside texts, a 4 KB text, a missing property), the direct engine gives
// the script control's text and first number, byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include "inventory/script_host_win.h"
#include "inventory/wmi_direct_engine_win.h"
#include "inventory/wmi_query_script.h"
#include "platform/scoped_win.h"
#include "support/gbk_text.h"
#include "tests/fake_wmi/fake_wmi_wintest_support.h"

namespace qltest {
namespace {

// What the script control gives for a shape on the served machine; kept
// so a comparison of two failures cannot pass unnoticed.
enum class Script { Answers, Fails };

struct Expectation {
  ql::WmiQueryShape shape;
  Script script;
};

void ExpectSameAsTheScriptControl(const std::vector<Expectation>& table) {
  ql::ScopedComInit com = ql::InitializeCom();
  for (const Expectation& e : table) {
    std::string script = ql::BuildWmiQueryScript(e.shape);
    ql::ScriptControlHost control;
    ASSERT_TRUE(control.Created());
    std::string expected = control.EvaluateText(script);
    double expectedNumber = control.EvaluateFirstNumber(script);
    ql::DirectWmiHost direct;
    std::string text = direct.EvaluateText(script);
    EXPECT_EQ(text, expected) << e.shape.wmiClass << "\n"
                              << ql::GbkToUtf8(text) << "\n---\n"
                              << ql::GbkToUtf8(expected);
    EXPECT_EQ(direct.EvaluateFirstNumber(script), expectedNumber) << e.shape.wmiClass;
    if (e.script == Script::Answers)
      EXPECT_TRUE(!expected.empty() || expectedNumber != 0) << e.shape.wmiClass << " should answer here";
    else
      EXPECT_EQ(expected, "") << e.shape.wmiClass << " should fail here";
  }
  // The board's two queries on one host, as the detector asks for them.
  ql::ScriptControlHost control;
  ql::DirectWmiHost direct;
  std::string expected = control.EvaluateText(ql::BiosScript());
  expected += control.EvaluateAgain(ql::BaseboardScript());
  std::string combined = direct.EvaluateText(ql::BiosScript());
  combined += direct.EvaluateAgain(ql::BaseboardScript());
  EXPECT_EQ(combined, expected);
}

TEST(EnginesOnWorkedExample, SameTextForEveryQuery) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  std::vector<Expectation> table;
  for (const ql::WmiQueryShape& shape : ql::DetectorQueryShapes()) table.push_back({shape, Script::Answers});
  ExpectSameAsTheScriptControl(table);
}

TEST(EnginesOnOddValues, SameTextForEveryQuery) {
  ASSERT_TRUE(UnderTestProvider("odd-values.txt", ""));
  ExpectSameAsTheScriptControl({
      {ql::ChassisShape(), Script::Fails},  // an empty array: no first element
      {ql::EnclosureManufacturerShape(), Script::Answers},
      {ql::ProcessorShape(), Script::Answers},
      {ql::BiosShape(), Script::Fails},  // an array where text is expected
      {ql::BaseboardShape(), Script::Answers},
      {ql::OperatingSystemShape(), Script::Fails},  // OSArchitecture missing
      {ql::MemoryShape(), Script::Answers},
      {ql::VideoControllerShape(), Script::Answers},
      {ql::MonitorShape(), Script::Answers},
  });
}

TEST(EnginesOnOddValues, TheOddValuesReachTheText) {
  ASSERT_TRUE(UnderTestProvider("odd-values.txt", ""));
  ql::ScopedComInit com = ql::InitializeCom();
  ql::DirectWmiHost direct;
  std::string cpu = direct.EvaluateText(ql::ProcessorScript());
  const ql::ConcatStyle& words = ql::SystemConcatStyle();
  EXPECT_EQ(cpu.rfind("处理器型号=Line one\r\nLine two\r\n处理器架构_数据=", 0), 0u) << ql::GbkToUtf8(cpu);
  std::string description = cpu.substr(cpu.find("架构_数据=") + std::string("架构_数据=").size());
  EXPECT_EQ(description.find("\r\n"), 4096u) << "the 4 KB text whole";
  EXPECT_NE(cpu.find("处理器厂商=\r\n处理器核心数=" + words.falseText + "\r\n处理器线程数=-2147483648\r\n处理器接口=" +
                     words.trueText + "\r\n处理器位宽=x2147483647架构\r\n处理器外频=MHz\r\n"),
            std::string::npos)
      << ql::GbkToUtf8(cpu);
  EXPECT_EQ(direct.EvaluateText(ql::BaseboardScript()), "型号=\r\n型号=Board\t\"A\"\r\n");
}

}  // namespace
}  // namespace qltest
