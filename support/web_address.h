// The one check every web address passes before the program opens it or
// navigates to it (the launcher's links, the tool-package link, the embedded
// browser), and the check of the built-in addresses that command scripts
// carry. Both are constexpr so the built-in addresses are checked when the
// program is compiled.
#pragma once

#include <cstddef>
#include <string_view>

namespace ql {

// The longest address the engine accepts (INTERNET_MAX_URL_LENGTH).
inline constexpr size_t kMaxWebAddress = 2083;

// Bytes no address may hold: control bytes, the space, DEL, and what ends or
// redirects a command line when the shell hands the address to a browser's
// command or a script: " < > ^ |.
constexpr bool IsRefusedAddressByte(char c) {
  auto b = static_cast<unsigned char>(c);
  return b <= 0x20 || b == 0x7F || c == '"' || c == '<' || c == '>' || c == '^' || c == '|';
}

constexpr bool StartsWithAsciiNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

// An absolute http:// or https:// address (scheme in any case) with a host,
// at most kMaxWebAddress bytes, without a refused byte. The only kind of
// address the program opens or navigates to.
constexpr bool IsWebAddress(std::string_view address) {
  if (address.size() > kMaxWebAddress) return false;
  for (char c : address)
    if (IsRefusedAddressByte(c)) return false;
  std::string_view rest;
  if (StartsWithAsciiNoCase(address, "http://"))
    rest = address.substr(7);
  else if (StartsWithAsciiNoCase(address, "https://"))
    rest = address.substr(8);
  else
    return false;
  // The host part ends at the path, query or fragment; it may not be empty.
  std::string_view authority = rest.substr(0, rest.find_first_of("/?#\\"));
  size_t at = authority.rfind('@');
  std::string_view host = at == std::string_view::npos ? authority : authority.substr(at + 1);
  return !host.empty() && host[0] != ':';
}

// Whether cmd.exe would give a character of `text` a meaning of its own
// (& | < > ^ % "): such a text may not be written into a command script.
constexpr bool HasCommandSpecialCharacter(std::string_view text) {
  return text.find_first_of("&|<>^%\"") != std::string_view::npos;
}

}  // namespace ql
