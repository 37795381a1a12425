// The WQL subset of the test WMI provider, the selection of objects from a
// machine, the namespaces it serves and its modes.
#include "tests/fake_wmi/wql_query.h"

#include <gtest/gtest.h>

#include "tests/fake_wmi/provider_mode.h"

namespace fakewmi {
namespace {

TEST(WqlQuery, TheSubsetParses) {
  struct Case {
    const char* text;
    const char* className;
    std::vector<std::string> properties;
    const char* conditionProperty;  // null: no condition
    const char* literal;
  } cases[] = {
      {"Select * from Win32_Processor", "Win32_Processor", {}, nullptr, nullptr},
      {"SELECT * FROM Win32_BIOS", "Win32_BIOS", {}, nullptr, nullptr},
      {"  select*from\tWin32_BIOS  ", "Win32_BIOS", {}, nullptr, nullptr},
      {"Select Name From Win32_DiskDrive", "Win32_DiskDrive", {"Name"}, nullptr, nullptr},
      {"Select Name,Model , Size From Win32_DiskDrive", "Win32_DiskDrive", {"Name", "Model", "Size"}, nullptr, nullptr},
      {"Select * From Win32_DiskDrive WHERE Name='\\\\\\\\.\\\\PHYSICALDRIVE0'",
       "Win32_DiskDrive",
       {},
       "Name",
       "\\\\.\\PHYSICALDRIVE0"},
      {"select * from win32_diskdrive where name = \"x\\\"y\\'z\"", "win32_diskdrive", {}, "name", "x\"y'z"},
      {"Select * From Win32_DiskDrive Where Index = 1", "Win32_DiskDrive", {}, "Index", "1"},
      {"Select * From Win32_DiskDrive Where MediaLoaded = TRUE", "Win32_DiskDrive", {}, "MediaLoaded", "TRUE"},
      {"Select * From Win32_DiskDrive Where Name=''", "Win32_DiskDrive", {}, "Name", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::optional<WqlQuery> q = ParseWqlQuery(c.text);
    ASSERT_TRUE(q);
    EXPECT_EQ(q->className, c.className);
    EXPECT_EQ(q->properties, c.properties);
    ASSERT_EQ(q->condition.has_value(), c.conditionProperty != nullptr);
    if (c.conditionProperty) {
      EXPECT_EQ(q->condition->property, c.conditionProperty);
      EXPECT_EQ(q->condition->literal, c.literal);
    }
  }
}

TEST(WqlQuery, EverythingElseIsRefused) {
  for (const char* text : {
           "",
           "Select",
           "Select * From",
           "Select From Win32_BIOS",
           "Select *, Name From Win32_BIOS",
           "Select Name, From Win32_BIOS",
           "Delete From Win32_BIOS",
           "Select * From Win32_BIOS Where",
           "Select * From Win32_BIOS Where Name",
           "Select * From Win32_BIOS Where Name = ",
           "Select * From Win32_BIOS Where Name <> 'x'",
           "Select * From Win32_BIOS Where Name = 'x' And Version = 'y'",
           "Select * From Win32_BIOS Where Name = 'unterminated",
           "Select * From Win32_BIOS Where Name = 'a\\qb'",
           "Select * From Win32_BIOS Where Name = Version",
           "Select * From Win32_BIOS Order By Name",
           "Select * From Win32_BIOS;",
           "Select * From 9Class",
           "Select * From Win32_BIOS Where Name = -",
       })
    EXPECT_FALSE(ParseWqlQuery(text)) << text;
}

MachineData TwoDisksAndABios() {
  MachineData d;
  auto text = [](const char* name, const char* v) { return Property{name, {ValueKind::kText, v, 0, {}, false}}; };
  auto number = [](const char* name, int32_t n) { return Property{name, {ValueKind::kInt32, "", n, {}, false}}; };
  d.objects.push_back({"Win32_DiskDrive",
                       {text("Name", "\\\\.\\PHYSICALDRIVE0"), text("Model", "Samsung SSD 860 EVO 500GB"),
                        number("Index", 0), Property{"MediaLoaded", {ValueKind::kBoolean, "", 0, {}, true}}}});
  d.objects.push_back({"Win32_BIOS", {text("Manufacturer", "American Megatrends Inc.")}});
  d.objects.push_back({"Win32_DiskDrive",
                       {text("Name", "\\\\.\\PHYSICALDRIVE1"), text("Model", "WDC WD10EZEX-08WN4A0"),
                        number("Index", 1), Property{"Serial", {ValueKind::kNull, "", 0, {}, false}}}});
  return d;
}

std::vector<std::string> Models(const QueryResult& r) {
  std::vector<std::string> out;
  for (const WmiObject& o : r.objects) out.push_back(o.Find("Model") ? o.Find("Model")->value.text : "<none>");
  return out;
}

TEST(WqlQuery, QueriesSelectObjectsInFileOrder) {
  MachineData d = TwoDisksAndABios();
  const std::vector<std::string> both = {"Samsung SSD 860 EVO 500GB", "WDC WD10EZEX-08WN4A0"};
  struct Case {
    const char* text;
    std::vector<std::string> models;
  } cases[] = {
      {"Select * From Win32_DiskDrive", both},
      {"select * from WIN32_DISKDRIVE", both},
      {"Select * From Win32_DiskDrive WHERE Name='\\\\\\\\.\\\\PHYSICALDRIVE1'", {"WDC WD10EZEX-08WN4A0"}},
      {"Select * From Win32_DiskDrive WHERE name='\\\\\\\\.\\\\physicaldrive0'", {"Samsung SSD 860 EVO 500GB"}},
      {"Select * From Win32_DiskDrive WHERE Index=1", {"WDC WD10EZEX-08WN4A0"}},
      {"Select * From Win32_DiskDrive WHERE Index='0'", {"Samsung SSD 860 EVO 500GB"}},
      {"Select * From Win32_DiskDrive WHERE MediaLoaded=true", {"Samsung SSD 860 EVO 500GB"}},
      {"Select * From Win32_DiskDrive WHERE Serial=''", {}},  // null matches nothing
      {"Select * From Win32_DiskDrive WHERE NoSuch='x'", {}},
      {"Select * From Win32_DesktopMonitor", {}},  // a class the toolbox reads, no instance here
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    QueryResult r = RunQuery(d, c.text);
    EXPECT_EQ(r.outcome, QueryOutcome::kOk);
    EXPECT_EQ(Models(r), c.models);
  }
  EXPECT_EQ(RunQuery(d, "Select * From Win32_NoSuchClass").outcome, QueryOutcome::kInvalidClass);
  EXPECT_EQ(RunQuery(d, "Select * Win32_DiskDrive").outcome, QueryOutcome::kInvalidQuery);
  // A backslash inside the quotes must be doubled.
  EXPECT_EQ(RunQuery(d, R"(Select * From Win32_DiskDrive WHERE Name='\\\\.\\PHYSICALDRIVE1')").objects.size(), 1u);
  EXPECT_EQ(RunQuery(d, R"(Select * From Win32_DiskDrive WHERE Name='\\.\PHYSICALDRIVE1')").outcome,
            QueryOutcome::kInvalidQuery);
}

TEST(WqlQuery, ASelectListCutsEachObjectDownToItsProperties) {
  QueryResult r = RunQuery(TwoDisksAndABios(), "Select name, INDEX, Missing From Win32_DiskDrive");
  ASSERT_EQ(r.objects.size(), 2u);
  for (const WmiObject& o : r.objects) {
    ASSERT_EQ(o.properties.size(), 2u);
    EXPECT_EQ(o.properties[0].name, "Name");  // the data's spelling and order
    EXPECT_EQ(o.properties[1].name, "Index");
    EXPECT_EQ(o.Find("Model"), nullptr);
    EXPECT_EQ(o.className, "Win32_DiskDrive");
  }
  EXPECT_EQ(r.objects[1].Find("Index")->value.number, 1);
}

TEST(WqlQuery, OnlyTheLocalCimv2NamespaceIsServed) {
  for (const char* ns : {"root\\cimv2", "ROOT\\CIMV2", "Root\\CimV2", "\\\\.\\root\\cimv2", "//./root/cimv2",
                         "\\\\localhost\\root\\CIMV2"})
    EXPECT_TRUE(IsServedNamespace(ns)) << ns;
  for (const char* ns : {"", "root", "root\\default", "root\\cimv2\\sub", "\\root\\cimv2", "\\\\.\\",
                         "\\\\otherpc\\root\\cimv2", "\\\\.root\\cimv2", "cimv2"})
    EXPECT_FALSE(IsServedNamespace(ns)) << ns;
}

TEST(ProviderMode, ModesParseStrictly) {
  struct Case {
    const char* text;
    ModeKind kind;
    uint32_t delay;
  } good[] = {{"", ModeKind::kServe, 0},          {"hang", ModeKind::kHang, 0},
              {"fail", ModeKind::kFail, 0},       {"slow:0", ModeKind::kSlow, 0},
              {"slow:250", ModeKind::kSlow, 250}, {"slow:3600000", ModeKind::kSlow, 3600000}};
  for (const Case& c : good) {
    std::optional<ProviderMode> m = ParseProviderMode(c.text);
    ASSERT_TRUE(m) << c.text;
    EXPECT_EQ(m->kind, c.kind) << c.text;
    EXPECT_EQ(m->queryDelayMs, c.delay) << c.text;
  }
  for (const char* text : {"HANG", "fails", "slow", "slow:", "slow:-1", "slow:1.5", "slow:10ms", "slow:3600001",
                           "slow:99999999999", " hang"})
    EXPECT_FALSE(ParseProviderMode(text)) << text;
}

}  // namespace
}  // namespace fakewmi
