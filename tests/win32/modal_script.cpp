#include "modal_script.h"

#include <map>

namespace tarvex::win32::testing {
namespace {

std::map<UINT_PTR, WhenWindowUp*>& Armed() {
  static std::map<UINT_PTR, WhenWindowUp*> armed;
  return armed;
}

struct Search {
  const std::string& caption;
  HWND found = nullptr;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  char windowClass[16] = {};
  ::GetClassNameA(window, windowClass, sizeof(windowClass));
  if (std::string(windowClass) == "#32770" && ::IsWindowVisible(window) &&
      TextOf(window) == search.caption) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::string TextOf(HWND window) {
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof(text));
  return text;
}

void Notify(HWND dialog, int id, int code) {
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

WhenWindowUp::WhenWindowUp(std::string caption, std::function<void(HWND)> act)
    : caption_(std::move(caption)), act_(std::move(act)) {
  // A main window destroyed by an earlier test asked the thread to quit, which would end the
  // modal loop at once.
  MSG quit;
  while (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  timer_ = ::SetTimer(nullptr, 0, 30, Tick);
  Armed()[timer_] = this;
}

WhenWindowUp::~WhenWindowUp() {
  if (timer_ == 0) return;
  ::KillTimer(nullptr, timer_);
  Armed().erase(timer_);
}

void CALLBACK WhenWindowUp::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
  const auto it = Armed().find(timer);
  if (it == Armed().end()) return;
  WhenWindowUp& self = *it->second;
  Search search{self.caption_};
  ::EnumThreadWindows(::GetCurrentThreadId(), FindVisible, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return;
  // Once only, even when the script runs a modal loop of its own.
  ::KillTimer(nullptr, timer);
  Armed().erase(it);
  self.timer_ = 0;
  self.acted_ = true;
  self.act_(search.found);
}

}  // namespace tarvex::win32::testing
