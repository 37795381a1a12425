// Fuzzes the GBK search primitives: lone lead bytes, needles longer than
// the text and offsets past the end must never read out of bounds.
#include <cstddef>
#include <cstdint>

#include "support/gbk_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  size_t split = data[0] % (size + 1);
  std::string_view all(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string_view needle = all.substr(0, split < all.size() ? split : all.size());
  std::string_view text = all.substr(needle.size());
  ql::FindText(text, needle, split, true);
  ql::FindTextReverse(text, needle, split, false);
  ql::SplitText(text, needle);
  ql::ReplaceAll(text, needle, "\xA1\xA1");
  ql::IsCharStart(text, split);
  ql::ToUpperAscii(text);
  return 0;
}
