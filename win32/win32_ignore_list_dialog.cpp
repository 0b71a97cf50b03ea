#include "win32/win32_ignore_list_dialog.h"

#include "win32/modal_dialog.h"

namespace tarvex::win32 {
namespace {

// The layout as designed, in pixels at 96 dots per inch.
constexpr int kClientWidth = 359;
constexpr int kClientHeight = 214;
constexpr Bounds kBevel = {8, 8, 259, 197};
constexpr Bounds kPanel = {20, 20, 235, 141};
constexpr int kItemHeight = 13;
constexpr Bounds kAdd = {20, 168, 75, 25};
constexpr Bounds kModify = {100, 168, 75, 25};
constexpr Bounds kRemove = {180, 168, 75, 25};
constexpr Bounds kOk = {276, 8, 75, 25};
constexpr Bounds kCancel = {276, 36, 75, 25};

class IgnoreListDialog final : public ModalDialog {
 public:
  IgnoreListDialog(TDlgIgnoreList& logic, HWND owner) : logic_(logic), owner_(owner) {}

  bool Run() {
    RECT ownerFrame{};
    ::GetWindowRect(owner_, &ownerFrame);
    return RunModal(owner_, ownerFrame) == IDOK;
  }

 private:
  void OnInit() override {
    ::SetWindowTextA(Handle(), kIgnoreListCaption);
    SetClientSize(Scale()(kClientWidth), Scale()(kClientHeight));
    // The lowered panel the list fills is the list's own thin sunken edge.
    list_ = AddControl("LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                       WS_EX_STATICEDGE, Scaled(kPanel), kIgnoreListBox);
    ::SendMessageA(list_, LB_SETITEMHEIGHT, 0, MAKELPARAM(Scale()(kItemHeight), 0));
    AddControl("BUTTON", "A&dd", WS_TABSTOP | BS_PUSHBUTTON, 0, Scaled(kAdd), kIgnoreListAdd);
    AddControl("BUTTON", "&Modify", WS_TABSTOP | BS_PUSHBUTTON, 0, Scaled(kModify),
               kIgnoreListModify);
    AddControl("BUTTON", "Remo&ve", WS_TABSTOP | BS_PUSHBUTTON, 0, Scaled(kRemove),
               kIgnoreListRemove);
    AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, Scaled(kOk), IDOK);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, Scaled(kCancel), IDCANCEL);
    // Last, so that it lies beneath the controls it frames.
    AddControl("STATIC", "", SS_ETCHEDFRAME | WS_CLIPSIBLINGS, 0, Scaled(kBevel), -1);

    ShowEntries();
    ::SetFocus(list_);
  }

  bool OnCommand(int id, int code) override {
    switch (id) {
      case kIgnoreListBox:
        if (code == LBN_SELCHANGE) {
          logic_.ListBox1Select(static_cast<int>(::SendMessageA(list_, LB_GETCURSEL, 0, 0)));
          ShowActionStates();
        }
        return true;
      case kIgnoreListAdd:
        logic_.ActAddExecute();
        break;
      case kIgnoreListModify:
        if (!logic_.ActModifyEnabled()) return true;
        logic_.ActModifyExecute();
        break;
      case kIgnoreListRemove:
        if (!logic_.ActRemoveEnabled()) return true;
        logic_.ActRemoveExecute();
        break;
      default:
        return false;
    }
    ShowEntries();
    return true;
  }

  // The list anew from the core, in its order, keeping the part of it in view.
  void ShowEntries() {
    const LRESULT top = ::SendMessageA(list_, LB_GETTOPINDEX, 0, 0);
    ::SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : logic_.Entries()) {
      ::SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    ::SendMessageA(list_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    ::SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(logic_.Selected()), 0);
    ::SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
    ShowActionStates();
  }

  void ShowActionStates() {
    ::EnableWindow(Item(kIgnoreListModify), logic_.ActModifyEnabled());
    ::EnableWindow(Item(kIgnoreListRemove), logic_.ActRemoveEnabled());
    // A button that has just been disabled cannot keep the keyboard: the list takes it.
    const HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsWindowEnabled(focus)) {
      ::SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list_), TRUE);
    }
  }

  TDlgIgnoreList& logic_;
  HWND owner_;
  HWND list_ = nullptr;
};

}  // namespace

bool Win32IgnoreListDialog::ShowModal(TDlgIgnoreList& dialog) {
  IgnoreListDialog window(dialog, owner_);
  return window.Run();
}

}  // namespace tarvex::win32
