// What the embedded web browser may do: which addresses the program navigates
// to or hands to the default browser, which navigations a page may start
// inside the control, and the document mode asked of the engine.
#pragma once

#include <cstdint>
#include <string_view>

#include "support/web_address.h"

namespace ql {

// Whether a navigation that a page starts inside the control may go ahead:
// web addresses and the control's own pages (about:, res:) and scripts
// (javascript:). Anything else (file:, mailto:, the protocols of installed
// programs) is refused, so a page never starts a program.
bool MayNavigateInside(std::string_view address);

// The FEATURE_BROWSER_EMULATION value that renders every page in the newest
// document mode of the installed engine, whatever its doctype, from the
// engine's version texts ("svcVersion" first, which exists from version 10
// on, then "Version"). 0 when neither names a version of 8 or more: the
// control then keeps its default mode and nothing is written.
uint32_t BrowserEmulationValue(std::string_view svcVersion, std::string_view version);

}  // namespace ql
