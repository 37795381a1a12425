// The adapter list over IP Helper; every size comes from the system's own
// size query, and every fixed field is read within its bounds.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "inventory/network_adapters.h"
#include "platform/registry_win.h"
#include "platform/win_text.h"

namespace ql {

namespace {

// A zero-filled buffer aligned for the structures IP Helper writes into it.
struct AlignedBuffer {
  explicit AlignedBuffer(ULONG size) : words((size + 7) / 8 + 1, 0) {}
  void* Get() { return words.data(); }
  std::vector<unsigned long long> words;
};

// IP Helper's texts are in the system's ANSI code page; ours are GBK.
std::string AnsiField(const char* field, size_t capacity) {
  std::string text = FixedFieldText(field, capacity);
  if (text.empty() || GetACP() == 936) return text;
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(n, 0)), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return Gbk(wide);
}

std::string AddressText(const IP_ADDR_STRING& a) {
  return FixedFieldText(a.IpAddress.String, sizeof a.IpAddress.String);
}

std::string ReadConnectionName(const std::string& keyPath) {
  DWORD type = REG_NONE;
  std::vector<uint8_t> bytes = ReadRegistryValue(HKEY_LOCAL_MACHINE, keyPath, L"Name", type);
  if ((type != REG_SZ && type != REG_EXPAND_SZ) || bytes.size() < sizeof(wchar_t)) return {};
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  text.resize(wcsnlen(text.c_str(), text.size()));  // stored terminator(s), if any
  return Gbk(text);
}

}  // namespace

bool ReadAdapterDnsServers(uint32_t adapterIndex, std::string& dnsServer1, std::string& dnsServer2) {
  dnsServer1.clear();
  dnsServer2.clear();
  ULONG size = 0;
  if (GetPerAdapterInfo(adapterIndex, nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0) return false;
  AlignedBuffer buffer(size);
  auto* info = static_cast<IP_PER_ADAPTER_INFO*>(buffer.Get());
  if (GetPerAdapterInfo(adapterIndex, info, &size) != ERROR_SUCCESS) return false;
  int position = 0;
  for (const IP_ADDR_STRING* entry = &info->DnsServerList; entry; entry = entry->Next, ++position) {
    if (position == 0) dnsServer1 = AddressText(*entry);
    if (position == 1) dnsServer2 = AddressText(*entry);
  }
  return true;
}

int ListNetworkAdapters(std::vector<NetworkAdapterInfo>& adapters) {
  adapters.clear();
  ULONG size = 0;
  char dummy[1] = {};
  GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(dummy), &size);
  if (size == 0) return 0;  // no adapters: nothing to fill
  AlignedBuffer buffer(size);
  auto* first = static_cast<IP_ADAPTER_INFO*>(buffer.Get());
  if (GetAdaptersInfo(first, &size) != ERROR_SUCCESS) return 0;

  class : public AdapterLookups {
    std::string ConnectionName(const std::string& keyPath) override { return ReadConnectionName(keyPath); }
    bool DnsServers(uint32_t index, std::string& d1, std::string& d2) override {
      return ReadAdapterDnsServers(index, d1, d2);
    }
  } lookups;
  for (const IP_ADAPTER_INFO* a = first; a; a = a->Next) {
    AdapterFacts facts;
    facts.adapterName = FixedFieldText(a->AdapterName, sizeof a->AdapterName);
    facts.description = AnsiField(a->Description, sizeof a->Description);
    size_t length = std::min<size_t>(a->AddressLength, sizeof a->Address);
    facts.address.assign(a->Address, a->Address + length);
    facts.ipAddress = AddressText(a->IpAddressList);
    facts.ipMask = FixedFieldText(a->IpAddressList.IpMask.String, sizeof a->IpAddressList.IpMask.String);
    facts.gateway = AddressText(a->GatewayList);
    facts.index = a->Index;
    adapters.push_back(MakeNetworkAdapterInfo(facts, lookups));
  }
  return static_cast<int>(adapters.size());
}

}  // namespace ql
