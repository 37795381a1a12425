// The one way the program asks the user something and opens a web page: a
// message box and a link, behind an interface the features are handed, so a
// test answers the boxes and records the links instead of the system.
#pragma once

#include <string_view>

namespace ql {

// The program's default message-box title.
inline constexpr std::string_view kMessageBoxTitle = "信息：";

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;
  // A task-modal box without owner window; `style` holds the MB_* bits of the
  // buttons and icon. Returns the button pressed (IDOK, IDYES, IDNO …).
  virtual int ShowMessageBox(std::string_view text, std::string_view title, unsigned style) = 0;
  // Opens a web address with the system's default handler for it; anything
  // that is not one (IsWebAddress) opens nothing. Nothing is shown on failure.
  virtual void OpenLink(std::string_view address) = 0;
};

}  // namespace ql
