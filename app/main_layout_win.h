// Turns the layout rows into child windows of the main window.
#pragma once

#include <windows.h>

#include <array>
#include <string_view>

#include "app/main_layout.h"
#include "app/main_pages.h"

namespace ql {

struct BuiltLayout {
  HWND nav = nullptr;
  HWND top = nullptr;
  HWND pageArea = nullptr;
  std::array<HWND, kMainPageCount> pages{};
};

// Creates every row as a child window (page 0 shown, the others hidden) and
// registers the named ones with RegisterMainControl.
BuiltLayout BuildMainLayout(HWND main, HINSTANCE instance);
// The navigation control drawn as selected (its layout name).
void SetSelectedNav(HWND nav, std::string_view name);

}  // namespace ql
