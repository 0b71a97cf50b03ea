#include "own_window.h"

#include <map>
#include <stdexcept>

namespace tarvex::win32::testing {
namespace {

constexpr const char* kClass = "TarvexOwnTestWindow";

std::map<std::pair<HWND, UINT>, int>& ReceivedMessages() {
  static std::map<std::pair<HWND, UINT>, int> received;
  return received;
}

}  // namespace

OwnWindow::OwnWindow(const std::string& caption, bool visible) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClass;
  ::RegisterClassExA(&windowClass);
  window_.reset(::CreateWindowExA(0, kClass, caption.c_str(),
                                  WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 600, 400, 200,
                                  80, nullptr, nullptr, windowClass.hInstance, nullptr));
  if (!window_) throw std::runtime_error("cannot create a test window");
}

int OwnWindow::Received(UINT message) const {
  const auto found = ReceivedMessages().find({window_.get(), message});
  return found == ReceivedMessages().end() ? 0 : found->second;
}

LRESULT CALLBACK OwnWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++ReceivedMessages()[{window, message}];
  if (message == WM_CLOSE) return 0;  // recorded, not obeyed
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace tarvex::win32::testing
