// The layout-name registry of the main window's controls.
#include "app/main_controls_win.h"

#include <map>
#include <mutex>

#include "app/main_window_win.h"
#include "platform/ui_thread_win.h"
#include "platform/win_text.h"

namespace ql {
namespace {

struct Registry {
  std::mutex lock;  // written on the UI thread, read by worker threads
  std::map<std::string, HWND, std::less<>> controls;
  std::map<std::string, UINT_PTR, std::less<>> timers;
};

Registry& TheRegistry() {
  static Registry r;
  return r;
}

}  // namespace

void RegisterMainControl(std::string_view layoutName, HWND control) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> hold(r.lock);
  r.controls[std::string(layoutName)] = control;
}

HWND MainControl(std::string_view layoutName) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> hold(r.lock);
  auto it = r.controls.find(layoutName);
  return it == r.controls.end() ? nullptr : it->second;
}

void SetMainControlText(std::string_view layoutName, std::string_view gbk) {
  if (HWND h = MainControl(layoutName)) SetWindowTextGbk(h, gbk);
}

std::string MainControlText(std::string_view layoutName) {
  HWND h = MainControl(layoutName);
  return h ? GetWindowTextGbk(h) : std::string();
}

void SetMainTimer(std::string_view layoutName, unsigned periodMs) {
  std::string name(layoutName);
  RunOnUiThread([&] {
    HWND main = MainWindowHandle();
    if (!main) return;
    Registry& r = TheRegistry();
    UINT_PTR id;
    {
      std::lock_guard<std::mutex> hold(r.lock);
      auto it = r.timers.find(name);
      if (it == r.timers.end()) it = r.timers.emplace(name, 100 + r.timers.size()).first;
      id = it->second;
    }
    if (periodMs)
      SetTimer(main, id, periodMs, nullptr);
    else
      KillTimer(main, id);
  });
}

// The main window routes WM_TIMER here.
std::string MainTimerName(UINT_PTR id) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> hold(r.lock);
  for (auto& [name, timerId] : r.timers)
    if (timerId == id) return name;
  return {};
}

}  // namespace ql
