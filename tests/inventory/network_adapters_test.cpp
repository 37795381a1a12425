// Adapter records: the MAC text, bounded fixed fields and the row built from
// one adapter's facts with its registry name and DNS servers.
#include "inventory/network_adapters.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(NetworkAdapters, MacAddressText) {
  struct Case {
    std::vector<uint8_t> bytes;
    const char* expected;
  };
  const Case cases[] = {
      {{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, "00-1A-2B-3C-4D-5E"},
      {{0x0A}, "0A"},
      {{0xFF, 0x00, 0x0F, 0xF0, 0xab, 0x01, 0x10, 0x99}, "FF-00-0F-F0-AB-01-10-99"},
      {{}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(MacAddressText(c.bytes.data(), c.bytes.size()), c.expected);
}

TEST(NetworkAdapters, FixedFieldsStopAtTheirFirstZeroOrTheirEnd) {
  const char terminated[8] = {'1', '0', '.', '0', 0, 'x', 'y', 'z'};
  const char full[4] = {'a', 'b', 'c', 'd'};  // no terminator: never read past the field
  const char empty[4] = {};
  EXPECT_EQ(FixedFieldText(terminated, sizeof terminated), "10.0");
  EXPECT_EQ(FixedFieldText(full, sizeof full), "abcd");
  EXPECT_EQ(FixedFieldText(empty, sizeof empty), "");
}

TEST(NetworkAdapters, RowTakesFactsRegistryNameAndTwoDnsServers) {
  AdapterFacts facts;
  facts.adapterName = "{11111111-2222-3333-4444-555555555555}";
  facts.description = "Realtek PCIe GbE Family Controller";
  facts.address = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  facts.ipAddress = "192.168.1.10";
  facts.ipMask = "255.255.255.0";
  facts.gateway = "192.168.1.1";
  facts.index = 7;

  struct : AdapterLookups {
    std::vector<std::string> keysRead;
    std::vector<uint32_t> dnsIndexes;
    std::string ConnectionName(const std::string& key) override {
      keysRead.push_back(key);
      return "以太网";
    }
    bool DnsServers(uint32_t index, std::string& d1, std::string& d2) override {
      dnsIndexes.push_back(index);
      d1 = "8.8.8.8";
      d2 = "";
      return true;
    }
  } lookups;
  NetworkAdapterInfo info = MakeNetworkAdapterInfo(facts, lookups);
  const std::vector<std::string>& keysRead = lookups.keysRead;
  const std::vector<uint32_t>& dnsIndexes = lookups.dnsIndexes;
  EXPECT_EQ(info, (NetworkAdapterInfo{"Realtek PCIe GbE Family Controller", "以太网", "00-1A-2B-3C-4D-5E",
                                      "192.168.1.10", "255.255.255.0", "192.168.1.1", "8.8.8.8", ""}));
  EXPECT_EQ(keysRead, std::vector<std::string>{"SYSTEM\\CurrentControlSet\\Control\\Network\\"
                                               "{4D36E972-E325-11CE-BFC1-08002BE10318}\\"
                                               "{11111111-2222-3333-4444-555555555555}\\Connection"});
  EXPECT_EQ(dnsIndexes, std::vector<uint32_t>{7});
}

TEST(NetworkAdapters, MissingNameAndFailedDnsStillGiveARecord) {
  AdapterFacts facts;
  facts.description = "eth0";
  struct : AdapterLookups {
    std::string ConnectionName(const std::string&) override { return {}; }
    bool DnsServers(uint32_t, std::string& d1, std::string& d2) override {
      d1.clear();
      d2.clear();
      return false;
    }
  } lookups;
  NetworkAdapterInfo info = MakeNetworkAdapterInfo(facts, lookups);
  EXPECT_EQ(info, (NetworkAdapterInfo{"eth0", "", "", "", "", "", "", ""}));
}

}  // namespace
}  // namespace ql
