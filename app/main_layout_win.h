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
  std::array<bool, kMainPageCount> built{};  // the page's own rows exist
  HWND main = nullptr;
  HINSTANCE instance = nullptr;
  UINT dpi = 96;  // the resolution the rows are laid out for
};

// Creates the regions, the fourteen (empty) pages and the rows of the home
// page as child windows, and registers the named ones with
// RegisterMainControl. The other pages' rows follow through
// BuildMainPage, on first use or once the window shows, so start-up does
// not wait for pages the user cannot see yet.
BuiltLayout BuildMainLayout(HWND main, HINSTANCE instance, UINT dpi);
// Creates a page's rows unless they exist; false when there was nothing to do.
bool BuildMainPage(BuiltLayout& layout, int page);
// The navigation control drawn as selected (its layout name).
void SetSelectedNav(HWND nav, std::string_view name);

}  // namespace ql
