// The control-action registry (UI thread only, so no lock).
#include "support/control_actions.h"

#include <map>

namespace ql {
namespace {
std::map<std::string, ControlAction, std::less<>>& Actions() {
  static std::map<std::string, ControlAction, std::less<>> actions;
  return actions;
}
}  // namespace

void RegisterControlAction(std::string_view key, ControlAction action) {
  Actions()[std::string(key)] = std::move(action);
}

bool RunControlAction(std::string_view key) {
  auto it = Actions().find(key);
  if (it == Actions().end() || !it->second) return false;
  // A copy: the action may register actions itself.
  ControlAction action = it->second;
  action();
  return true;
}

bool HasControlAction(std::string_view key) { return Actions().find(key) != Actions().end(); }

void ClearControlActions() { Actions().clear(); }

}  // namespace ql
