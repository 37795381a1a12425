// The system's message boxes and the shell's "open" behind UserPrompts.
#pragma once

#include <windows.h>

#include "support/user_prompts.h"

namespace ql {

class SystemUserPrompts final : public UserPrompts {
 public:
  int ShowMessageBox(std::string_view text, std::string_view title, unsigned style) override;
  // ShellExecute "open", SW_SHOWNORMAL, no directory, owned by
  // LinkOwnerWindow(); only for an address that passes IsWebAddress.
  void OpenLink(std::string_view address) override;
};

// The owner of a link's start: the top-level window titled "Microsoft
// Internet Explorer" when there is one, otherwise none.
HWND LinkOwnerWindow();

}  // namespace ql
