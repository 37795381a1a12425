// The query shapes evaluated over objects of our own, as the script would
// evaluate them: assign or append, numbered keys, "完", the count line, the
// last object's block where a line assigns, and every way the script fails.
#include "inventory/wmi_direct_engine.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "inventory/memory_detectors.h"
#include "inventory/system_detectors.h"
#include "tests/inventory/fake_script_host.h"

namespace ql {
namespace {

using Object = std::map<std::string, ScriptValue>;

// Objects handed out in order; `failAt` makes the enumeration fail instead
// of delivering object number failAt (0-based).
class FakeObjects final : public WmiObjectCursor {
 public:
  explicit FakeObjects(std::vector<Object> objects, size_t failAt = SIZE_MAX)
      : objects_(std::move(objects)), failAt_(failAt) {}
  Step Next() override {
    if (next_ == failAt_) return Step::Failed;
    if (next_ >= objects_.size()) return Step::End;
    current_ = &objects_[next_++];
    return Step::Object;
  }
  std::optional<ScriptValue> Property(std::string_view name) override {
    auto it = current_->find(std::string(name));
    if (it == current_->end()) return std::nullopt;
    return it->second;
  }

 private:
  std::vector<Object> objects_;
  size_t failAt_;
  size_t next_ = 0;
  const Object* current_ = nullptr;
};

ScriptValue T(const char* text) { return ScriptValue::OfText(text); }
ScriptValue I(int64_t value) { return ScriptValue::OfInteger(value); }

std::optional<std::string> TextOf(const WmiQueryShape& shape, std::vector<Object> objects, size_t failAt = SIZE_MAX) {
  FakeObjects cursor(std::move(objects), failAt);
  std::optional<ScriptValue> value = EvaluateQueryShape(shape, cursor, ConcatStyle());
  if (!value) return std::nullopt;
  if (value->kind == ScriptValue::Kind::Empty) return std::string();
  EXPECT_EQ(value->kind, ScriptValue::Kind::Text);
  return value->text;
}

Object Processor(const char* name, const char* description) {
  return {{"Name", T(name)},
          {"Description", T(description)},
          {"Manufacturer", T("AuthenticAMD")},
          {"NumberOfCores", I(6)},
          {"NumberOfLogicalProcessors", I(12)},
          {"SocketDesignation", T("AM4")},
          {"DataWidth", I(64)},
          {"ExtClock", I(100)},
          {"MaxClockSpeed", I(3600)}};
}

Object Module(int64_t speed) {
  return {{"Capacity", T("8589934592")},
          {"Speed", speed ? I(speed) : ScriptValue::OfNull()},
          {"Manufacturer", T("Kingston")},
          {"SerialNumber", T("1234ABCD")}};
}

TEST(WmiDirectEngine, RecordTextOfEachShape) {
  struct Case {
    const char* what;
    WmiQueryShape shape;
    std::vector<Object> objects;
    std::optional<std::string> expected;
    size_t failAt = SIZE_MAX;  // the enumeration fails instead of giving this object
  };
  const Case cases[] = {
      {"a processor line assigns: the last object's block only",
       ProcessorShape(),
       {Processor("A", "a"), Processor("AMD Ryzen 5 3600 6-Core Processor", "AMD64 Family 23 Model 113 Stepping 0")},
       "处理器型号=AMD Ryzen 5 3600 6-Core Processor\r\n处理器架构_数据=AMD64 Family 23 Model 113 Stepping 0\r\n"
       "处理器厂商=AuthenticAMD\r\n处理器核心数=6\r\n处理器线程数=12\r\n处理器接口=AM4\r\n处理器位宽=x64架构\r\n"
       "处理器外频=100MHz\r\n处理器主频=3600MHz\r\n完\r\n"},
      {"the operating system and its count line",
       OperatingSystemShape(),
       {{{"Caption", T("Microsoft Windows 10 专业版")}, {"BuildNumber", T("123")}, {"OSArchitecture", T("64 位")}}},
       "版本=Microsoft Windows 10 专业版\r\nBuild=123\r\n系统位宽=64 位\r\n获取成功=1\r\n"},
      {"no object: Cstr of the never-counted i is empty", OperatingSystemShape(), {}, "获取成功=\r\n"},
      {"every BIOS object appends",
       BiosShape(),
       {{{"Manufacturer", T("LENOVO")}, {"Name", T("x")}, {"SMBIOSBIOSVersion", T("y")}, {"Version", T("z")}},
        {{"Manufacturer", T("Second")},
         {"Name", I(2)},
         {"SMBIOSBIOSVersion", ScriptValue::OfBoolean(true)},
         {"Version", ScriptValue::OfNull()}}},
       "厂商=LENOVO\r\n说明=x\r\n版本=y\r\nOEM版本=z\r\n厂商=Second\r\n说明=2\r\n版本=True\r\nOEM版本=\r\n"},
      {"numbered keys and blocks closed by 完",
       VideoControllerShape(),
       {{{"Name", T("NVIDIA GeForce GTX 1660 SUPER")},
         {"AdapterRAM", I(-2147483647 - 1)},
         {"AdapterCompatibility", T("NVIDIA")},
         {"DriverVersion", T("27.21")}},
        {{"Name", T("Intel UHD")},
         {"AdapterRAM", I(1073741824)},
         {"AdapterCompatibility", ScriptValue::OfNull()},
         {"DriverVersion", T("")}}},
       "显卡1型号=NVIDIA GeForce GTX 1660 SUPER\r\n显卡1显存=-2147483648\r\n显卡1厂商=NVIDIA\r\n"
       "显卡1驱动版本=27.21\r\n完\r\n显卡2型号=Intel UHD\r\n显卡2显存=1073741824\r\n显卡2厂商=\r\n显卡2驱动版本=\r\n"
       "完\r\n"},
      {"a Null speed leaves its value empty",
       MemoryShape(),
       {Module(2666), Module(0)},
       "内存1容量=8589934592\r\n内存1速度=2666\r\n内存1厂商=Kingston\r\n内存1序列号=1234ABCD\r\n完\r\n"
       "内存2容量=8589934592\r\n内存2速度=\r\n内存2厂商=Kingston\r\n内存2序列号=1234ABCD\r\n完\r\n"},
      {"no monitor: R is never set", MonitorShape(), {}, ""},
      {"one property missing fails everything",
       ProcessorShape(),
       {[] {
         Object o = Processor("A", "a");
         o.erase("SocketDesignation");
         return o;
       }()},
       std::nullopt},
      {"a property missing on the second object only",
       BaseboardShape(),
       {{{"Product", T("First")}}, {{"Model", T("no product")}}},
       std::nullopt},
      {"an array where text is expected is a type mismatch",
       BaseboardShape(),
       {{{"Product", ScriptValue::OfKind(ScriptValue::Kind::Array)}}},
       std::nullopt},
      {"an object where text is expected",
       BaseboardShape(),
       {{{"Product", ScriptValue::OfKind(ScriptValue::Kind::Other)}}},
       std::nullopt},
      {"the query fails", BaseboardShape(), {{{"Product", T("A")}}}, std::nullopt, 0},
      {"the enumeration fails after an object",
       BaseboardShape(),
       {{{"Product", T("A")}}, {{"Product", T("B")}}},
       std::nullopt,
       1},
      {"the same objects without the failure",
       BaseboardShape(),
       {{{"Product", T("A")}}, {{"Product", T("B")}}},
       "型号=A\r\n型号=B\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(TextOf(c.shape, c.objects, c.failAt), c.expected) << c.what;
}

TEST(WmiDirectEngine, AnAssignedPropertyKeepsItsValue) {
  const ScriptValue chassis = ScriptValue::OfKind(ScriptValue::Kind::Array);
  FakeObjects two({{{"ChassisTypes", I(1)}}, {{"ChassisTypes", chassis}}});
  std::optional<ScriptValue> last = EvaluateQueryShape(ChassisShape(), two, ConcatStyle());
  ASSERT_TRUE(last);
  EXPECT_EQ(last->kind, ScriptValue::Kind::Array) << "the last enclosure wins, unchanged";

  FakeObjects flag({{{"Manufacturer", ScriptValue::OfBoolean(false)}}});
  last = EvaluateQueryShape(EnclosureManufacturerShape(), flag, ConcatStyle());
  ASSERT_TRUE(last);
  EXPECT_EQ(last->kind, ScriptValue::Kind::Boolean) << "no & ran, so no text was made";

  FakeObjects none({});
  last = EvaluateQueryShape(EnclosureManufacturerShape(), none, ConcatStyle());
  ASSERT_TRUE(last);
  EXPECT_EQ(last->kind, ScriptValue::Kind::Empty);

  FakeObjects object({{{"Manufacturer", ScriptValue::OfKind(ScriptValue::Kind::Other)}}});
  EXPECT_FALSE(EvaluateQueryShape(EnclosureManufacturerShape(), object, ConcatStyle()));
}

// The engine's texts, handed to the detectors, give the worked example.
TEST(WmiDirectEngine, WorkedExampleThroughTheDetectors) {
  FakeScriptHosts hosts;
  auto put = [&](const WmiQueryShape& shape, std::vector<Object> objects) {
    std::optional<std::string> text = TextOf(shape, std::move(objects));
    ASSERT_TRUE(text) << shape.wmiClass;
    hosts.texts[BuildWmiQueryScript(shape)] = *text;
  };
  put(EnclosureManufacturerShape(), {{{"Manufacturer", T("LENOVO")}}});
  put(ProcessorShape(), {Processor("AMD Ryzen 5 3600 6-Core Processor", "AMD64 Family 23 Model 113 Stepping 0")});
  put(BiosShape(), {{{"Manufacturer", T("American Megatrends Inc.")},
                     {"Name", T("BIOS Date: 04/21/20")},
                     {"SMBIOSBIOSVersion", T("2001")},
                     {"Version", T("ALASKA - 1072009")}}});
  put(BaseboardShape(), {{{"Product", T("PRIME B365M-A")}}});
  put(OperatingSystemShape(),
      {{{"Caption", T("Microsoft Windows 10 专业版")}, {"BuildNumber", T("123")}, {"OSArchitecture", T("64 位")}}});
  put(MemoryShape(), {Module(2666), Module(2666)});
  put(VideoControllerShape(), {{{"Name", T("NVIDIA GeForce GTX 1660 SUPER")},
                                {"AdapterRAM", I(1073741824)},
                                {"AdapterCompatibility", T("NVIDIA")},
                                {"DriverVersion", T("27.21")}}});

  EXPECT_EQ(DetectMachineType(hosts).manufacturer, "LENOVO");
  ProcessorRecords cpu = DetectProcessors(hosts);
  EXPECT_EQ(cpu.names[0] + " " + cpu.descriptions[0],
            "AMD Ryzen 5 3600 6-Core Processor AMD64 Family 23 Model 113 Stepping 0");
  BoardInfo board = DetectBoard(hosts);
  EXPECT_EQ(board.biosManufacturer + " " + board.boardProduct, "American Megatrends Inc. PRIME B365M-A\r\n");
  EXPECT_EQ(DescribeOperatingSystem(hosts), "Microsoft Windows 10 专业版；123；64 位\r\n");
  MemoryInventory memory = DetectMemory(hosts);
  EXPECT_EQ(memory.manufacturers, (std::vector<std::string>{"Kingston", "Kingston"}));
  EXPECT_EQ(memory.totalCapacityBytes, 17179869184);
  EXPECT_EQ(DetectVideoControllers(hosts).names, std::vector<std::string>{"NVIDIA GeForce GTX 1660 SUPER"});
}

}  // namespace
}  // namespace ql
