#include "win32/win32_message_boxes.h"

#include "win32/program_windows_disabled.h"

namespace tarvex::win32 {

int Win32MessageBoxes::Show(const std::string& text, const std::string& caption, unsigned flags) {
  const ProgramWindowsDisabled disabled(owner_);
  return ::MessageBoxA(owner_, text.c_str(), caption.c_str(), flags);
}

}  // namespace tarvex::win32
