#include "linux/x11/window_style.h"

#include "winlist/window_system.h"

namespace tarvex::x11 {
namespace {

// The remaining Win32 style bits a reader of the entries expects on such windows.
constexpr std::uint32_t kStyleMinimize = 0x20000000u;
constexpr std::uint32_t kStyleVisible = 0x10000000u;
constexpr std::uint32_t kStyleMaximize = 0x01000000u;
constexpr std::uint32_t kStyleCaption = 0x00C00000u;
constexpr std::uint32_t kStyleThickFrame = 0x00040000u;
constexpr std::uint32_t kStyleMaximizeBox = 0x00010000u;

constexpr std::uint32_t kExStyleDialogFrame = 0x00000001u;
constexpr std::uint32_t kExStyleTopmost = 0x00000008u;
constexpr std::uint32_t kExStyleToolWindow = 0x00000080u;
constexpr std::uint32_t kExStyleAppWindow = 0x00040000u;

}  // namespace

bool IsShown(const WindowFacts& facts) {
  if (!facts.exists || facts.overrideRedirect) return false;
  switch (facts.wmState) {
    case WmState::kNormal:
    case WmState::kIconic:
      return true;
    case WmState::kWithdrawn:
      return false;
    case WmState::kAbsent:
      break;
  }
  // No manager wrote WM_STATE: a mapped window is shown, and one the manager hid is iconic.
  return facts.mapped || facts.hidden;
}

bool BelongsOnTaskbar(const WindowFacts& facts) {
  if (facts.overrideRedirect || facts.skipTaskbar) return false;
  return facts.kind == WindowKind::kApplication || facts.kind == WindowKind::kDialog;
}

std::uint32_t StyleBits(const WindowFacts& facts) {
  if (!facts.exists) return 0;
  std::uint32_t style = 0;
  if (IsShown(facts)) style |= kStyleVisible;
  if (facts.wmState == WmState::kIconic || facts.hidden) style |= kStyleMinimize;
  if (!BelongsOnTaskbar(facts)) {
    // A bare pop-up: no minimize box, so the filter rejects it and its own last active pop-up.
    return style | kStylePopup;
  }
  style |= kStyleCaption;
  if (facts.maximized) style |= kStyleMaximize;
  if (facts.canClose) style |= kStyleSysMenu;
  if (facts.canMinimize) style |= kStyleMinimizeBox;
  if (facts.canMaximize) style |= kStyleMaximizeBox;
  if (facts.canResize) style |= kStyleThickFrame;
  return style;
}

std::uint32_t ExStyleBits(const WindowFacts& facts) {
  if (!facts.exists) return 0;
  std::uint32_t exStyle = BelongsOnTaskbar(facts) ? kExStyleAppWindow : kExStyleToolWindow;
  if (facts.kind == WindowKind::kDialog || facts.modal) exStyle |= kExStyleDialogFrame;
  if (facts.above) exStyle |= kExStyleTopmost;
  return exStyle;
}

}  // namespace tarvex::x11
