#include "app/hint_line.h"

namespace tarvex {

void HintLine::Idle(const std::vector<std::string>& hintChain) {
  for (const std::string& hint : hintChain) {
    if (!hint.empty()) return SetApplicationHint(LongHint(hint));
  }
  SetApplicationHint({});
}

void HintLine::MenuItemHovered(std::string_view itemHint) {
  SetApplicationHint(LongHint(itemHint));
}

void HintLine::SetApplicationHint(std::string hint) {
  if (hint == applicationHint_) return;
  applicationHint_ = std::move(hint);
  statusBar_.SetPanelText(1, applicationHint_);
}

}  // namespace tarvex
