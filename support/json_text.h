// JSON output for scripts: UTF-8, keys in the order they are written, two
// spaces of indent. GBK texts are converted without loss: a byte that does
// not begin a GBK character (a stray lead byte, 0x80, 0xFF, a pair that code
// page 936 does not map) is written as the escape \uDCxx, xx being the byte
// (U+DC80 + byte - 0x80, a lone low surrogate that no real text contains),
// so a reader can tell it from any character and recover the byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// A JSON string literal, quotes included.
std::string JsonStringFromGbk(std::string_view gbk);
// The same for UTF-8 text; a byte that is not part of valid UTF-8 is written
// as \uDCxx like a non-GBK byte.
std::string JsonStringFromUtf8(std::string_view utf8);

class JsonWriter {
 public:
  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  // Inside an object: the key (a GBK text) of the value that follows.
  void Key(std::string_view gbkKey);
  void GbkText(std::string_view gbk) { Value(JsonStringFromGbk(gbk)); }
  void Utf8Text(std::string_view utf8) { Value(JsonStringFromUtf8(utf8)); }
  void Integer(int64_t value);
  void Boolean(bool value) { Value(value ? "true" : "false"); }
  void Null() { Value("null"); }
  // The document, with a line end after the last brace.
  std::string Finish() { return out_ + "\n"; }

 private:
  void Open(char bracket);
  void Close(char bracket);
  void Value(std::string_view literal);
  void NewLine();

  std::string out_;
  std::vector<bool> empty_;  // per open bracket: nothing written in it yet
  bool afterKey_ = false;
};

}  // namespace ql
