// Header only. A recording stand-in for UserPrompts: every box is answered
// with `boxAnswer` and every link is noted, nothing reaches the system.
#pragma once

#include <string>
#include <vector>

#include "support/user_prompts.h"

namespace qltest {

class RecordingPrompts : public ql::UserPrompts {
 public:
  // `order`, when given, also receives "messageBox" and "openLink" in call
  // order, beside the calls of another stand-in that shares it.
  explicit RecordingPrompts(std::vector<std::string>* order = nullptr) : order_(order) {}

  int ShowMessageBox(std::string_view text, std::string_view title, unsigned style) override {
    if (order_) order_->push_back("messageBox");
    boxTexts.emplace_back(text);
    boxTitles.emplace_back(title);
    boxStyles.push_back(style);
    return boxAnswer;
  }
  void OpenLink(std::string_view address) override {
    if (order_) order_->push_back("openLink");
    links.emplace_back(address);
  }

  std::vector<std::string> boxTexts, boxTitles;
  std::vector<unsigned> boxStyles;
  std::vector<std::string> links;
  int boxAnswer = 7;  // IDNO: a question is never answered Yes unless a test says so

 private:
  std::vector<std::string>* order_;
};

}  // namespace qltest
