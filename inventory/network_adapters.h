// The machine's network adapters as IP Helper lists them, each as eight texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

struct NetworkAdapterInfo {
  std::string AdapterDescription;
  std::string ConnectionName;  // as the network settings show it; empty when not recorded
  std::string MacAddress;      // "00-1A-2B-3C-4D-5E"
  std::string Ipv4Address;     // first address only
  std::string SubnetMask;      // mask of the first address
  std::string DefaultGateway;  // first gateway only
  std::string DnsServer1;
  std::string DnsServer2;

  bool operator==(const NetworkAdapterInfo&) const = default;
};

// One adapter's facts as the adapter query gives them, texts already cut.
struct AdapterFacts {
  std::string adapterName;  // the GUID name that keys the connection's registry entry
  std::string description;
  std::vector<uint8_t> address;  // the first AddressLength bytes
  std::string ipAddress;
  std::string ipMask;
  std::string gateway;
  uint32_t index = 0;
};

// What an adapter's record needs beyond the adapter query: the registry and
// the per-adapter DNS query (the system's on Windows, stand-ins in tests).
class AdapterLookups {
 public:
  virtual ~AdapterLookups() = default;
  // The "Name" text of HKLM\<keyPath>, empty when the key or value is missing.
  virtual std::string ConnectionName(const std::string& keyPath) = 0;
  // Both texts are emptied first; true when the adapter's DNS list was read.
  virtual bool DnsServers(uint32_t index, std::string& dns1, std::string& dns2) = 0;
};

// Each byte as two upper-case hex digits, joined by "-"; no bytes, no text.
std::string MacAddressText(const uint8_t* bytes, size_t length);
// A fixed-size character field up to its first zero byte, never past its end.
std::string FixedFieldText(const char* field, size_t capacity);
std::string ConnectionNameKeyPath(std::string_view adapterName);
NetworkAdapterInfo MakeNetworkAdapterInfo(const AdapterFacts& facts, AdapterLookups& lookups);

// Windows only. The list is emptied, then refilled in the order the system
// links the adapters; the result is the number of records (0 on failure).
int ListNetworkAdapters(std::vector<NetworkAdapterInfo>& adapters);
// Both texts are emptied first; true when the adapter's DNS list was read.
bool ReadAdapterDnsServers(uint32_t adapterIndex, std::string& dnsServer1, std::string& dnsServer2);

}  // namespace ql
