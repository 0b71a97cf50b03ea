#include "win32/dialogs/win32_ignore_list_dialog.h"

#include "dialogs/dialog_layout.h"
#include "win32/dialogs/modal_dialog.h"

namespace tarvex::win32 {
namespace {

namespace layout = ignore_list_layout;

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
    SetClientSize(Scale()(layout::kClientWidth), Scale()(layout::kClientHeight));
    // The lowered panel the list fills is the list's own thin sunken edge.
    list_ = AddControl("LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                       WS_EX_STATICEDGE, Scaled(layout::kPanel), kIgnoreListBox);
    ::SendMessageA(list_, LB_SETITEMHEIGHT, 0, MAKELPARAM(Scale()(layout::kItemHeight), 0));
    AddControl("BUTTON", "A&dd", WS_TABSTOP | BS_PUSHBUTTON, 0, Scaled(layout::kAdd),
               kIgnoreListAdd);
    AddControl("BUTTON", "&Modify", WS_TABSTOP | BS_PUSHBUTTON, 0, Scaled(layout::kModify),
               kIgnoreListModify);
    AddControl("BUTTON", "Remo&ve", WS_TABSTOP | BS_PUSHBUTTON, 0, Scaled(layout::kRemove),
               kIgnoreListRemove);
    AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, Scaled(layout::kOk), IDOK);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, Scaled(layout::kCancel),
               IDCANCEL);
    // Last, so that it lies beneath the controls it frames.
    AddControl("STATIC", "", SS_ETCHEDFRAME | WS_CLIPSIBLINGS, 0, Scaled(layout::kBevel), -1);

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
