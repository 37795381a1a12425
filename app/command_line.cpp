#include "app/command_line.h"

#include "support/gbk_text.h"

namespace ql {
namespace {

bool IsOption(const std::u16string& argument) { return argument.size() >= 2 && argument.compare(0, 2, u"--") == 0; }

CommandLine Bad(std::string message) { return {CommandMode::Bad, {}, std::move(message)}; }

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::u16string>& arguments) {
  CommandLine result;
  for (size_t k = 0; k < arguments.size(); ++k) {
    const std::u16string& argument = arguments[k];
    if (!IsOption(argument)) continue;
    CommandMode mode = CommandMode::Bad;
    if (argument == u"--report") mode = CommandMode::Report;
    if (argument == u"--export-machine") mode = CommandMode::ExportMachine;
    std::string name = Utf16ToGbk(argument);
    if (mode == CommandMode::Bad) return Bad("未知的选项：" + name + "（可用：--report 文件、--export-machine 文件）");
    if (result.mode != CommandMode::Window) return Bad("只能给出一个选项：" + name);
    // A following option is no file name; "-" (the console) is.
    if (k + 1 >= arguments.size() || arguments[k + 1].empty() || IsOption(arguments[k + 1]))
      return Bad("选项 " + name + " 需要一个文件名（- 表示控制台）");
    result.mode = mode;
    result.file = arguments[++k];
  }
  return result;
}

std::string UnwritableFileMessage(const std::u16string& file) { return "无法写入文件：" + Utf16ToGbk(file); }

}  // namespace ql
