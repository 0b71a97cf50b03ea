// The input box: a caption, a word-wrapped prompt, a one-line edit field, OK and Cancel, centred
// on the screen and laid out in units of its font.
#pragma once

#include "services/input_box.h"

namespace tarvex::win32 {

class Win32InputBox final : public InputBox {
 public:
  // Modal to the window that is active when it is asked (the dialog that asks).
  std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                 const std::string& initial) override;
};

// The controls' identifiers, besides IDOK and IDCANCEL.
inline constexpr int kInputBoxEdit = 100;
inline constexpr int kInputBoxPrompt = 101;

}  // namespace tarvex::win32
