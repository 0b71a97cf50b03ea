#include "win32/platform/win32_input_box.h"

#include "win32/dialogs/modal_dialog.h"
#include "win32/platform/win32_message_boxes.h"

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
      : caption_(caption), prompt_(prompt), text_(initial), limit_(initial.size()) {}

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
    AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
               {units.X(38), buttonsTop, buttonWidth, buttonHeight}, IDOK);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0,
               {units.X(92), buttonsTop, buttonWidth, buttonHeight}, IDCANCEL);
    SetClientSize(units.X(180), buttonsTop + buttonHeight + 13);

    ::SetFocus(field);
    ::SendMessageA(field, EM_SETSEL, 0, -1);
    RememberAccepted(text_);
  }

  bool OnCommand(int id, int code) override {
    if (id == kInputBoxEdit && code == EN_CHANGE) {
      KeepWithinLimit();
      return true;
    }
    if (id != IDOK) return false;
    text_ = FieldText();
    Close(IDOK);
    return true;
  }

  // The field's text in the ANSI code page, as the settings file will store it.
  std::string FieldText() const {
    const HWND field = Item(kInputBoxEdit);
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(field)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextA(field, text.data(), static_cast<int>(text.size()))));
    return text;
  }

  void RememberAccepted(std::string text) {
    accepted_ = std::move(text);
    ::SendMessageA(Item(kInputBoxEdit), EM_GETSEL, reinterpret_cast<WPARAM>(&acceptedStart_),
                   reinterpret_cast<LPARAM>(&acceptedEnd_));
  }

  // After each edit of the field: one that made the text too long is refused whole, and the
  // text and the selection before it come back.
  void KeepWithinLimit() {
    if (restoring_) return;
    std::string text = FieldText();
    if (limit_.Takes(text.size())) {
      RememberAccepted(std::move(text));
      return;
    }
    const HWND field = Item(kInputBoxEdit);
    restoring_ = true;
    ::SetWindowTextA(field, accepted_.c_str());
    ::SendMessageA(field, EM_SETSEL, acceptedStart_, acceptedEnd_);
    restoring_ = false;
  }

  std::string caption_;
  std::string prompt_;
  std::string text_;
  InputBoxLimit limit_;
  // The text and selection after the last edit the field took.
  std::string accepted_;
  DWORD acceptedStart_ = 0;
  DWORD acceptedEnd_ = 0;
  bool restoring_ = false;
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
