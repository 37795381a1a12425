// JSON strings from GBK and UTF-8 texts: every character kept, every byte
// that is no character kept as its \uDCxx escape, and the writer's layout.
#include "support/json_text.h"

#include <gtest/gtest.h>

#include "support/gbk_text.h"

namespace ql {
namespace {

TEST(JsonStringFromGbk, ConvertsCharactersAndEscapesEveryStrayByte) {
  struct Case {
    std::string gbk;
    std::string json;  // UTF-8, written as u8 text below
  } cases[] = {
      {"", "\"\""},
      {"LENOVO 台式电脑", "\"LENOVO \xE5\x8F\xB0\xE5\xBC\x8F\xE7\x94\xB5\xE8\x84\x91\""},
      {"a\r\nb\tc\"d\\e/", "\"a\\r\\nb\\tc\\\"d\\\\e/\""},
      {std::string("\x01\x1F\x7F", 3) + std::string(1, '\0'), "\"\\u0001\\u001f\\u007f\\u0000\""},
      // a lead byte at the end, 0x80 and 0xFF, a lead byte before ASCII
      {"\xB5", "\"\\udcb5\""},
      {"\x80\xFF", "\"\\udc80\\udcff\""},
      {"\xB5"
       "0",
       "\"\\udcb50\""},
      // a stray lead byte does not swallow the character after it
      {"\xFF"
       "电",
       "\"\\udcff\xE7\x94\xB5\""},
      // a full-width space
      {"\xA1\xA1", "\"\xE3\x80\x80\""},
  };
  for (const Case& c : cases) EXPECT_EQ(JsonStringFromGbk(c.gbk), c.json) << GbkToUtf8(c.gbk);
}

TEST(JsonStringFromGbk, ALongTextIsKeptWhole) {
  std::string gbk;
  for (int k = 0; k < 1024; ++k) gbk += "长文";
  std::string json = JsonStringFromGbk(gbk);
  EXPECT_EQ(json, "\"" + GbkToUtf8(gbk) + "\"");
  EXPECT_EQ(json.size(), 2 + 2048u * 3);
}

TEST(JsonStringFromUtf8, KeepsValidSequencesAndEscapesTheRest) {
  struct Case {
    std::string utf8;
    std::string json;
  } cases[] = {
      {"\xE4\xB8\xAD\xF0\x9F\x98\x80", "\"\xE4\xB8\xAD\xF0\x9F\x98\x80\""},
      {"\xC0\xAF", "\"\\udcc0\\udcaf\""},             // overlong '/'
      {"\xED\xA0\x80", "\"\\udced\\udca0\\udc80\""},  // an encoded surrogate
      {"\xE4\xB8", "\"\\udce4\\udcb8\""},             // cut short
      {"x\ty", "\"x\\ty\""},
  };
  for (const Case& c : cases) EXPECT_EQ(JsonStringFromUtf8(c.utf8), c.json);
}

TEST(JsonWriter, WritesKeysInOrderWithCommasAndIndent) {
  JsonWriter w;
  w.BeginObject();
  w.Key("version");
  w.GbkText("1.0");
  w.Key("内存");
  w.BeginArray();
  w.Integer(-9223372036854775807LL - 1);
  w.Boolean(true);
  w.Null();
  w.BeginObject();
  w.EndObject();
  w.BeginArray();
  w.EndArray();
  w.EndArray();
  w.EndObject();
  EXPECT_EQ(w.Finish(),
            "{\n"
            "  \"version\": \"1.0\",\n"
            "  \"\xE5\x86\x85\xE5\xAD\x98\": [\n"
            "    -9223372036854775808,\n"
            "    true,\n"
            "    null,\n"
            "    {},\n"
            "    []\n"
            "  ]\n"
            "}\n");
}

}  // namespace
}  // namespace ql
