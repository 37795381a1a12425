// The header, cookie and charset functions over arbitrary bytes: no crash, no
// read out of bounds, and the invariants that callers rely on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "net/http_text.h"
#include "inventory/wmi_record_text.h"
#include "net/web_pages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // First byte: method and flags; the rest split into two texts at a 0xFF.
  uint8_t control = data[0];
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  size_t cut = rest.find('\xFF');
  std::string_view a = rest.substr(0, cut);
  std::string_view b = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);

  int method = static_cast<int>(control & 0x0F) - 3;
  std::string block = ql::BuildRequestHeaders(a, method, b, control & 0x10, control & 0x20);
  std::string normalized = ql::NormalizeHeaderNames(a);
  // Normalising twice changes nothing more.
  if (ql::NormalizeHeaderNames(normalized) != normalized) std::abort();
  (void)ql::HeaderValue(block, b);
  (void)ql::StatusText(a);
  ql::SetCookieResult set = ql::CollectSetCookies(a, b);
  if (set.cookiesReceived.compare(0, b.size(), b) != 0) std::abort();  // only ever extended
  std::string merged = ql::MergeCookies(a, b);
  if (merged.size() > a.size() + b.size() + 4) std::abort();
  std::string charset = ql::DetectCharset(a);
  if (charset.size() > 1024) std::abort();
  (void)ql::TextBetween(a, b, "]");
  std::string link = ql::ToolPackageLink(a);
  // Only web addresses leave the page for the shell.
  if (!link.empty()) {
    std::string head;
    for (char c : link.substr(0, 8)) head += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (head.rfind("http://", 0) != 0 && head.rfind("https://", 0) != 0) std::abort();
  }
  (void)ql::DecideUpdate(a);
  return 0;
}
