#include "win32/win32_input_box.h"

#include "win32/modal_dialog.h"
#include "win32/win32_message_boxes.h"

namespace tarvex::win32 {
namespace {

// Horizontal units are a quarter of the font's average character width, vertical ones an
// eighth of its character height.
class FontUnits {
 public:
  explicit FontUnits(HFONT font) {
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(screen, font);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(screen, &metrics);
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{};
    ::GetTextExtentPoint32A(screen, kAlphabet, 52, &extent);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    averageWidth_ = extent.cx / 52;
    height_ = metrics.tmHeight;
  }
  int X(int units) const { return ::MulDiv(units, averageWidth_, 4); }
  int Y(int units) const { return ::MulDiv(units, height_, 8); }
  int Height() const { return height_; }

 private:
  int averageWidth_ = 0;
  int height_ = 0;
};

// The prompt's height when wrapped within `width`.
int WrappedHeight(HFONT font, const std::string& text, int width) {
  const HDC screen = ::GetDC(nullptr);
  const HGDIOBJ old = ::SelectObject(screen, font);
  RECT bounds{0, 0, width, 0};
  ::DrawTextA(screen, text.c_str(), static_cast<int>(text.size()), &bounds,
              DT_CALCRECT | DT_WORDBREAK);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return bounds.bottom - bounds.top;
}

class InputBoxDialog final : public ModalDialog {
 public:
  InputBoxDialog(const std::string& caption, const std::string& prompt, const std::string& initial)
      : caption_(caption), prompt_(prompt), text_(initial) {}

  std::optional<std::string> Run(HWND owner) {
    // Centred on the primary screen, whoever asks.
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (RunModal(owner, screen) != IDOK) return std::nullopt;
    return text_;
  }

 private:
  void OnInit() override {
    ::SetWindowTextA(Handle(), caption_.c_str());
    const FontUnits units(Font());
    const int left = units.X(8);
    const int width = units.X(164);
    const Bounds prompt{left, units.Y(8), width, WrappedHeight(Font(), prompt_, width)};
    // A one-line field as tall as its text with its sunken edge around it.
    const Bounds edit{left, prompt.top + prompt.height + 5, width,
                      units.Height() + 8 * ::GetSystemMetrics(SM_CYBORDER)};
    const int buttonsTop = edit.top + edit.height + 15;
    const int buttonWidth = units.X(50);
    const int buttonHeight = units.Y(14);

    AddControl("STATIC", prompt_.c_str(), SS_LEFT, 0, prompt, kInputBoxPrompt);
    const HWND field = AddControl("EDIT", text_.c_str(), WS_TABSTOP | ES_AUTOHSCROLL,
                                  WS_EX_CLIENTEDGE, edit, kInputBoxEdit);
    ::SendMessageA(field, EM_LIMITTEXT, kInputBoxMaxLength, 0);
    AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
               {units.X(38), buttonsTop, buttonWidth, buttonHeight}, IDOK);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0,
               {units.X(92), buttonsTop, buttonWidth, buttonHeight}, IDCANCEL);
    SetClientSize(units.X(180), buttonsTop + buttonHeight + 13);

    ::SetFocus(field);
    ::SendMessageA(field, EM_SETSEL, 0, -1);
  }

  bool OnCommand(int id, int) override {
    if (id != IDOK) return false;
    const HWND field = Item(kInputBoxEdit);
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(field)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextA(field, text.data(), static_cast<int>(text.size()))));
    text_ = std::move(text);
    Close(IDOK);
    return true;
  }

  std::string caption_;
  std::string prompt_;
  std::string text_;
};

}  // namespace

std::optional<std::string> Win32InputBox::Ask(const std::string& caption, const std::string& prompt,
                                              const std::string& initial) {
  HWND owner = ::GetActiveWindow();
  if (owner == nullptr || !::IsWindow(owner)) owner = Win32MessageBoxes::Owner();
  InputBoxDialog box(caption, prompt, initial);
  return box.Run(owner != nullptr && ::IsWindow(owner) ? owner : nullptr);
}

}  // namespace tarvex::win32
