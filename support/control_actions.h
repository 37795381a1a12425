// What a control of a window layout does when used. The layout names an
// action key; the subsystem that owns the behaviour registers it (over the
// interfaces the shell hands it), so the window code needs no knowledge of
// launching, web fetches or detection.
//
// Keys: a named control's layout name or caption ("一键复制", "点击检测更新",
// "磁力链接转种子"); a picture without a name is "page<N>:<x>,<y>" with its
// main page index and its position inside the page area ("page8:112,48");
// timers are keyed by their layout name (the uptime clock, the battery timer); the tools
// container's own buttons are "tools:…" and its tool buttons their target.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ql {

using ControlAction = std::function<void()>;

// Registering a key again replaces its action.
void RegisterControlAction(std::string_view key, ControlAction action);
// Runs the action; false when no action is registered for the key.
bool RunControlAction(std::string_view key);
bool HasControlAction(std::string_view key);
void ClearControlActions();

}  // namespace ql
