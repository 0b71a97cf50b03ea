#include "win32/views/status_bar.h"

#include "win32/support/windows_api.h"

#include <stdexcept>

#include "app/form_layout.h"

namespace tarvex::win32 {

StatusBar::StatusBar(HWND parent, int id, HFONT font, DpiScale scale) {
  window_ = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                              0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              ::GetModuleHandleA(nullptr), nullptr);
  if (window_ == nullptr) throw std::runtime_error("Cannot create the status bar");
  Rescale(font, scale);
}

void StatusBar::Rescale(HFONT font, DpiScale scale) {
  ::SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  int edges[] = {scale(kCounterPanelWidth), -1};  // right edges; -1 reaches the end of the bar
  ::SendMessageA(window_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
}

int StatusBar::Height() const {
  RECT bounds{};
  ::GetWindowRect(window_, &bounds);
  return bounds.bottom - bounds.top;
}

void StatusBar::OnParentSize() { ::SendMessageA(window_, WM_SIZE, 0, 0); }

void StatusBar::SetPanelText(int panel, const std::string& text) {
  std::string& shown = texts_.at(static_cast<std::size_t>(panel));
  // The counters are set at every idle moment: repainting an unchanged text would make the
  // idle moments never end.
  if (shown == text) return;
  shown = text;
  // A leading tab centres the text in its panel.
  const std::string drawn = panel == 0 ? "\t" + text : text;
  ::SendMessageA(window_, SB_SETTEXTA, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(drawn.c_str()));
}

}  // namespace tarvex::win32
