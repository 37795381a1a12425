// Which command lines start the window, which run an option, and which are
// refused with a one-line message.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

using Args = std::vector<std::u16string>;

TEST(CommandLine, OnlyArgumentsBeginningWithTwoDashesAreOptions) {
  const Args windowStarts[] = {{},     {u"C:\\下载\\dropped file.txt"}, {u"-report", u"x.json"}, {u"/report"},
                               {u"-"}, {u"report", u"x.json"}};
  for (const Args& args : windowStarts) {
    CommandLine line = ParseCommandLine(args);
    EXPECT_EQ(line.mode, CommandMode::Window) << args.size();
    EXPECT_TRUE(line.message.empty());
  }
}

TEST(CommandLine, ReportAndExportTakeTheirFileAsGivenAmongIgnoredArguments) {
  struct Case {
    Args args;
    CommandMode mode;
    std::u16string file;
  } cases[] = {
      {{u"--report", u"out.json"}, CommandMode::Report, u"out.json"},
      {{u"--report", u"-"}, CommandMode::Report, u"-"},
      {{u"dropped.txt", u"--export-machine", u"C:\\报告\\机器 😀.txt", u"trailing"},
       CommandMode::ExportMachine,
       u"C:\\报告\\机器 😀.txt"},
  };
  for (const Case& c : cases) {
    CommandLine line = ParseCommandLine(c.args);
    EXPECT_EQ(line.mode, c.mode);
    EXPECT_EQ(line.file, c.file);  // kept as UTF-16, even outside GBK
    EXPECT_TRUE(line.message.empty());
  }
}

TEST(CommandLine, BadOptionsGiveOneLineMessagesNamingTheOption) {
  struct Case {
    Args args;
    std::string mustContain;
  } cases[] = {
      {{u"--help"}, "--help"},
      {{u"--"}, "--"},
      {{u"--REPORT", u"x"}, "--REPORT"},
      {{u"--report"}, "--report"},
      {{u"--report", u""}, "--report"},
      {{u"--export-machine", u"--report", u"x"}, "--export-machine"},
      {{u"--report", u"a", u"--export-machine", u"b"}, "--export-machine"},
      {{u"--report", u"a", u"--bogus"}, "--bogus"},
  };
  for (const Case& c : cases) {
    CommandLine line = ParseCommandLine(c.args);
    EXPECT_EQ(line.mode, CommandMode::Bad) << c.mustContain;
    EXPECT_NE(line.message.find(c.mustContain), std::string::npos) << c.mustContain;
    EXPECT_EQ(line.message.find_first_of("\r\n"), std::string::npos);
    EXPECT_TRUE(line.file.empty());
  }
}

TEST(CommandLine, UnwritableFileMessageNamesTheFile) {
  std::string message = UnwritableFileMessage(u"C:\\无此目录\\r.json");
  EXPECT_NE(message.find("C:\\无此目录\\r.json"), std::string::npos);
}

}  // namespace
}  // namespace ql
