#include "win32/views/tool_bar.h"

#include <stdexcept>
#include <string>

#include "app/action_list.h"
#include "app/dpi_units.h"
#include "app/form_layout.h"
#include "app/form_main.h"
#include "base/hint_text.h"
#include "win32/views/action_commands.h"
#include "win32/program/resource_ids.h"

namespace tarvex::win32 {
namespace {

// The pictures' background; the strip is drawn on it.
constexpr COLORREF kTransparent = RGB(255, 0, 255);

// The strip of pictures, each `size` pixels square. They are drawn at 16 pixels and enlarged by
// repeating pixels, never blended, so the background colour stays exact and masks out whole.
UniqueBitmap PictureStrip(int size) {
  UniqueBitmap strip(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(TARVEX_BITMAP_ACTIONS),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!strip || size == kToolPictureSize) return strip;
  BITMAP designed{};
  ::GetObjectA(strip.get(), sizeof(designed), &designed);
  const int width = ScaleBetweenDpis(designed.bmWidth, kToolPictureSize, size);
  const HDC screen = ::GetDC(nullptr);
  UniqueBitmap enlarged(::CreateCompatibleBitmap(screen, width, size));
  // Declared after the bitmaps, so they go first and let go of them.
  const UniqueMemoryDc from(::CreateCompatibleDC(screen));
  const UniqueMemoryDc to(::CreateCompatibleDC(screen));
  ::ReleaseDC(nullptr, screen);
  if (!enlarged || !from || !to) return {};
  ::SelectObject(from.get(), strip.get());
  ::SelectObject(to.get(), enlarged.get());
  ::SetStretchBltMode(to.get(), COLORONCOLOR);
  if (!::StretchBlt(to.get(), 0, 0, width, size, from.get(), 0, 0, designed.bmWidth,
                    designed.bmHeight, SRCCOPY)) {
    return {};
  }
  return enlarged;
}

// Fills `pictures` anew with the pictures at `size`; the list keeps its handle, which the tray's
// menu holds too.
void LoadPictures(HIMAGELIST pictures, int size) {
  const UniqueBitmap strip = PictureStrip(size);
  if (!strip || !::ImageList_SetIconSize(pictures, size, size) ||
      ::ImageList_AddMasked(pictures, strip.get(), kTransparent) < 0) {
    throw std::runtime_error("Cannot load the tool bar's pictures");
  }
}

TBBUTTON ButtonOf(const std::optional<ActionId>& slot, DpiScale scale) {
  TBBUTTON button{};
  if (!slot) {
    button.iBitmap = scale(kToolSeparatorWidth);  // a separator's width
    button.fsStyle = BTNS_SEP;
    return button;
  }
  button.iBitmap = ActionOf(*slot).imageIndex;
  button.idCommand = CommandOf(*slot);
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = BTNS_BUTTON;
  button.iString = -1;  // pictures only
  return button;
}

// Copies the text into a tooltip's fixed buffer, cut to fit.
template <typename Char, std::size_t size>
void CopyTip(const std::string& text, Char (&buffer)[size]) {
  std::size_t i = 0;
  for (; i + 1 < size && i < text.size(); ++i) {
    buffer[i] = static_cast<Char>(static_cast<unsigned char>(text[i]));
  }
  buffer[i] = 0;
}

}  // namespace

ToolBar::ToolBar(HWND parent, int id, DpiScale scale)
    : pictures_(::ImageList_Create(kToolPictureSize, kToolPictureSize, ILC_COLOR24 | ILC_MASK,
                                   static_cast<int>(kActionCount), 0)) {
  // The parent lays the bar out: its height is the designed one, not the control's own choice.
  window_ =
      ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                            CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        ::GetModuleHandleA(nullptr), nullptr);
  if (window_ == nullptr) throw std::runtime_error("Cannot create the tool bar");
  if (!pictures_) throw std::runtime_error("Cannot load the tool bar's pictures");
  Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  Rescale(scale);
}

void ToolBar::Rescale(DpiScale scale) {
  // The control sizes its buttons when they are added: they go and come back at the new size.
  while (Send(TB_DELETEBUTTON, 0)) {
  }
  height_ = scale(kToolBarHeight);
  LoadPictures(pictures_.get(), scale(kToolPictureSize));
  Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures_.get()));
  Send(TB_SETINDENT, static_cast<WPARAM>(scale(kToolBarIndent)));
  Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(scale(kToolButtonWidth), scale(kToolBarHeight)));
  for (const std::optional<ActionId>& slot : kToolBarLayout) {
    const TBBUTTON button = ButtonOf(slot, scale);
    if (!Send(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button))) {
      throw std::runtime_error("Cannot add a button to the tool bar");
    }
  }
  shownEnabled_.fill(true);
}

LRESULT ToolBar::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(window_, message, wParam, lParam);
}

void ToolBar::ShowEnabledStates(const TFormMain& form) {
  for (const std::optional<ActionId>& slot : kToolBarLayout) {
    if (!slot) continue;
    bool& shown = shownEnabled_[static_cast<std::size_t>(*slot)];
    const bool enabled = form.Enabled(*slot);
    if (shown == enabled) continue;  // a repaint would bring another idle moment
    shown = enabled;
    Send(TB_ENABLEBUTTON, CommandOf(*slot), MAKELPARAM(enabled ? TRUE : FALSE, 0));
  }
}

std::optional<ActionId> ToolBar::ActionAt(POINT screenPoint) const {
  POINT point = screenPoint;
  ::ScreenToClient(window_, &point);
  const auto index = static_cast<int>(Send(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
  if (index < 0) return std::nullopt;
  TBBUTTON button{};
  if (!Send(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)) ||
      (button.fsStyle & BTNS_SEP) != 0) {
    return std::nullopt;
  }
  return ActionOfCommand(static_cast<WORD>(button.idCommand));
}

bool ToolBar::OnNotify(NMHDR& header) {
  // Only a tooltip's question is the bar's to answer. The list view notifies the parent of every
  // row it fills, and asking the bar for its tooltip on each makes a control that creates its
  // tooltip when first asked (Wine's does) create it while the first list is filled: a new
  // pop-up costs the window server a look at every top-level window of the desktop.
  if (header.code != TTN_GETDISPINFOA && header.code != TTN_GETDISPINFOW) return false;
  if (header.hwndFrom != reinterpret_cast<HWND>(Send(TB_GETTOOLTIPS))) return false;
  const std::optional<ActionId> action = ActionOfCommand(static_cast<WORD>(header.idFrom));
  if (!action) return false;
  const std::string tip = ShortHint(ActionOf(*action).hint);
  // The tooltip asks in the parent's character set, which the control may take to be either.
  if (header.code == TTN_GETDISPINFOA) {
    auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
    CopyTip(tip, info.szText);
    info.lpszText = info.szText;
    return true;
  }
  auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
  CopyTip(tip, info.szText);
  info.lpszText = info.szText;
  return true;
}

}  // namespace tarvex::win32
