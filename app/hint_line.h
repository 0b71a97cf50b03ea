// The hint line, the second panel of the main window's status bar: the long part of the hint
// under the mouse.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/views.h"
#include "base/hint_text.h"

namespace tarvex {

class HintLine {
 public:
  explicit HintLine(StatusBarPort& statusBar) : statusBar_(statusBar) {}

  // At each idle moment: the hints of the control under the mouse and of its parents, innermost
  // first; empty when the mouse is outside the program's windows. The first non-empty hint
  // counts; only a change of its long part reaches the hint line.
  void Idle(const std::vector<std::string>& hintChain);
  // While a menu is open: the hint of the item under the mouse, empty for none.
  void MenuItemHovered(std::string_view itemHint);

  const std::string& ApplicationHint() const { return applicationHint_; }

 private:
  void SetApplicationHint(std::string hint);

  StatusBarPort& statusBar_;
  std::string applicationHint_;
};

}  // namespace tarvex
