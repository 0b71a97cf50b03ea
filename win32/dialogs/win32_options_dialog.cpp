#include "win32/dialogs/win32_options_dialog.h"

#include <algorithm>

#include "dialogs/dialog_layout.h"
#include "win32/dialogs/modal_dialog.h"

namespace tarvex::win32 {
namespace {

namespace layout = options_layout;

// A closed drop-down list is its item height plus its edges tall.
constexpr int kComboEdges = 6;

// A label is as wide as its text, which may take more room in another font than designed.
Bounds FitToText(Bounds frame, HFONT font, const char* text) {
  const HDC screen = ::GetDC(nullptr);
  const HGDIOBJ old = ::SelectObject(screen, font);
  RECT extent{0, 0, 0, 0};
  ::DrawTextA(screen, text, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  frame.width = std::max(frame.width, static_cast<int>(extent.right - extent.left));
  return frame;
}

class OptionsDialog final : public ModalDialog {
 public:
  OptionsDialog(TDlgOptions& logic, HWND owner) : logic_(logic), owner_(owner) {}

  bool Run() {
    RECT ownerFrame{};
    ::GetWindowRect(owner_, &ownerFrame);
    return RunModal(owner_, ownerFrame) == IDOK;
  }

 private:
  void OnInit() override {
    ::SetWindowTextA(Handle(), kOptionsCaption);
    SetClientSize(Scale()(layout::kClientWidth), Scale()(layout::kClientHeight));
    // The label first: its access key moves the focus to the control after it.
    constexpr const char* kLabelText = "Hot &key:";
    AddControl("STATIC", kLabelText, SS_LEFTNOWORDWRAP, 0,
               FitToText(Scaled(layout::kLabel), Font(), kLabelText), kOptionsHotKeyLabel);
    Bounds listFrame = Scaled(layout::kHotKey);
    const int fieldHeight = listFrame.height;
    // The height given at creation is the field's and the open list's together.
    listFrame.height += static_cast<int>(kHotKeyItems.size()) * fieldHeight;
    const HWND list = AddControl("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                                 listFrame, kOptionsHotKey);
    ::SendMessageA(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fieldHeight - kComboEdges);
    for (const char* item : kHotKeyItems) {
      ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    ::SendMessageA(list, CB_SETMINVISIBLE, kHotKeyItems.size(), 0);
    ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(logic_.HotKeyIndex()), 0);
    const HWND box = AddControl("BUTTON", "Minimize to &tray", WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                                Scaled(layout::kMinimizeToTray), kOptionsMinimizeToTray);
    ::SendMessageA(box, BM_SETCHECK, logic_.MinimizeToTrayChecked() ? BST_CHECKED : BST_UNCHECKED,
                   0);
    AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, Scaled(layout::kOk), IDOK);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, Scaled(layout::kCancel),
               IDCANCEL);
    // Last, so that it lies beneath the controls it frames.
    AddControl("STATIC", "", SS_ETCHEDFRAME | WS_CLIPSIBLINGS, 0, Scaled(layout::kBevel), -1);

    ::SetFocus(list);
  }

  bool OnCommand(int id, int) override {
    if (id != IDOK) return false;
    logic_.SetHotKeyIndex(
        static_cast<int>(::SendMessageA(Item(kOptionsHotKey), CB_GETCURSEL, 0, 0)));
    logic_.SetMinimizeToTrayChecked(
        ::SendMessageA(Item(kOptionsMinimizeToTray), BM_GETCHECK, 0, 0) == BST_CHECKED);
    Close(IDOK);
    return true;
  }

  TDlgOptions& logic_;
  HWND owner_;
};

}  // namespace

bool Win32OptionsDialog::ShowModal(TDlgOptions& dialog) {
  OptionsDialog window(dialog, owner_);
  return window.Run();
}

}  // namespace tarvex::win32
