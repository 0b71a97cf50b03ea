#include "win32/platform/win32_message_boxes.h"

#include "win32/platform/program_windows_disabled.h"

namespace tarvex::win32 {

namespace {

UINT FlagsOf(BoxKind kind) {
  switch (kind) {
    case BoxKind::kError:
      return MB_OK | MB_ICONERROR;
    case BoxKind::kWarningYesNo:
      return MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
    case BoxKind::kInformation:
      break;
  }
  return MB_OK | MB_ICONINFORMATION;
}

}  // namespace

BoxAnswer Win32MessageBoxes::Show(const std::string& text, const std::string& caption,
                                  BoxKind kind) {
  const ProgramWindowsDisabled disabled(owner_);
  switch (::MessageBoxA(owner_, text.c_str(), caption.c_str(), FlagsOf(kind))) {
    case IDYES:
      return BoxAnswer::kYes;
    case IDNO:
      return BoxAnswer::kNo;
    case IDOK:
      return BoxAnswer::kOk;
    default:
      // Not shown (0): the default button's answer, never a Yes nobody gave.
      return kind == BoxKind::kWarningYesNo ? BoxAnswer::kNo : BoxAnswer::kOk;
  }
}

}  // namespace tarvex::win32
