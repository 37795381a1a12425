// The adapter list over the real IP Helper of the test prefix. Names and
// addresses are the host's, so only the list's shape and the registry name a
// test writes itself are checked.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <gtest/gtest.h>

#include "inventory/network_adapters.h"
#include "platform/win_text.h"

namespace ql {
namespace {

// The system's own adapter names and descriptions, in its order.
std::vector<std::pair<std::string, std::string>> SystemAdapters() {
  std::vector<std::pair<std::string, std::string>> out;
  ULONG size = 0;
  if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) return out;
  std::vector<unsigned long long> buffer(size / 8 + 1);
  auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  if (GetAdaptersInfo(first, &size) != ERROR_SUCCESS) return out;
  for (IP_ADAPTER_INFO* a = first; a; a = a->Next) out.emplace_back(a->AdapterName, a->Description);
  return out;
}

TEST(NetworkAdaptersWin, ListMatchesTheSystemAndIsRefilledNotDoubled) {
  auto system = SystemAdapters();
  std::vector<NetworkAdapterInfo> list(3);
  list[0].AdapterDescription = "left over from an earlier run";
  int n = ListNetworkAdapters(list);
  ASSERT_EQ(n, static_cast<int>(list.size()));
  ASSERT_EQ(list.size(), system.size());
  for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].AdapterDescription, system[i].second) << i;

  std::vector<NetworkAdapterInfo> first = list;
  EXPECT_EQ(ListNetworkAdapters(list), n);
  EXPECT_EQ(list, first);
  for (const NetworkAdapterInfo& a : list) {
    // "XX-XX-…": pairs of upper-case hex digits, or nothing.
    EXPECT_TRUE(a.MacAddress.empty() || a.MacAddress.size() % 3 == 2) << a.MacAddress;
    EXPECT_EQ(a.MacAddress.find_first_not_of("0123456789ABCDEF-"), std::string::npos) << a.MacAddress;
  }
}

TEST(NetworkAdaptersWin, ConnectionNameWrittenForAnAdapterIsReadBack) {
  auto system = SystemAdapters();
  if (system.empty()) GTEST_SKIP() << "no adapter in this environment";
  std::wstring key = Wide(ConnectionNameKeyPath(system[0].first));
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  std::wstring name = Wide("测试连接 2");
  RegSetValueExW(h, L"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                 static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(h);

  std::vector<NetworkAdapterInfo> list;
  ListNetworkAdapters(list);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, Wide(ConnectionNameKeyPath(system[0].first)).c_str());
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list[0].ConnectionName, "测试连接 2");
  ListNetworkAdapters(list);
  EXPECT_EQ(list[0].ConnectionName, "");
}

TEST(NetworkAdaptersWin, DnsOfAnUnknownAdapterIsEmptyAndFalse) {
  std::string d1 = "stale", d2 = "stale";
  EXPECT_FALSE(ReadAdapterDnsServers(0x7FFFFFF0u, d1, d2));
  EXPECT_EQ(d1, "");
  EXPECT_EQ(d2, "");
}

}  // namespace
}  // namespace ql
