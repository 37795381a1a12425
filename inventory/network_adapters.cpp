// Adapter records from the facts of the adapter query.
#include "inventory/network_adapters.h"

#include <cstring>

#include "support/gbk_text.h"

namespace ql {

std::string MacAddressText(const uint8_t* bytes, size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i) {
    std::string pair = FormatText("%X", bytes[i]);
    if (pair.size() == 1) pair.insert(pair.begin(), '0');
    text += pair + "-";
  }
  if (!text.empty()) text.pop_back();
  return text;
}

std::string FixedFieldText(const char* field, size_t capacity) {
  const void* zero = std::memchr(field, 0, capacity);
  size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - field) : capacity;
  return std::string(field, length);
}

std::string ConnectionNameKeyPath(std::string_view adapterName) {
  return "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\" +
         std::string(adapterName) + "\\Connection";
}

NetworkAdapterInfo MakeNetworkAdapterInfo(const AdapterFacts& facts, AdapterLookups& lookups) {
  NetworkAdapterInfo info;
  info.AdapterDescription = facts.description;
  info.MacAddress = MacAddressText(facts.address.data(), facts.address.size());
  info.Ipv4Address = facts.ipAddress;
  info.SubnetMask = facts.ipMask;
  info.DefaultGateway = facts.gateway;
  info.ConnectionName = lookups.ConnectionName(ConnectionNameKeyPath(facts.adapterName));
  lookups.DnsServers(facts.index, info.DnsServer1, info.DnsServer2);
  return info;
}

}  // namespace ql
