// Texts on which the plain-text line-break rule (RemoveLineEdgeBreaks) must
// remove exactly what CleanLineBreaks' pattern "(?:^\r|\n$)" removes: checked
// natively against the portable engine and under Wine against VBScript's.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "inventory/wmi_record_text.h"
#include "support/regex_object.h"

namespace ql {

inline void ExpectLineEdgeRuleIsThePattern() {
  const std::string texts[] = {"a\r\n\r\nb",        "\r\nX",        "\rX\n",       "a\rb\nc", "\n\n\r\r",
                               "x\r\r\ny",          "版本=A\r\n\n", "\r",          "\n",      "",
                               "64 位\r\n获取成功", "a\n\rb",       "\r\n\r\n\r\n"};
  for (const std::string& text : texts) {
    RegexObject re;
    ASSERT_TRUE(re.Match("(?:^\\r|\\n$)", text));
    EXPECT_EQ(RemoveLineEdgeBreaks(text), re.Replace("")) << testing::PrintToString(text);
  }
}

}  // namespace ql
