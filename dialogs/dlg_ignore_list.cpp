#include "dialogs/dlg_ignore_list.h"

#include <algorithm>

#include "dialogs/ignore_list_dialog_view.h"
#include "settings/ignore_list.h"

namespace tarvex {

std::string TrimControlsAndBlanks(const std::string& text) {
  const auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  const auto first = std::find_if_not(text.begin(), text.end(), isTrimmed);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), isTrimmed).base();
  return first < last ? std::string(first, last) : std::string();
}

int TDlgIgnoreList::Insert(std::string entry) {
  const auto place = std::upper_bound(entries_.begin(), entries_.end(), entry,
                                      [this](const std::string& a, const std::string& b) {
                                        return collation_.CompareIgnoreCase(a, b) < 0;
                                      });
  const auto index = static_cast<int>(place - entries_.begin());
  entries_.insert(place, std::move(entry));
  return index;
}

void TDlgIgnoreList::FormShow() {
  entries_.clear();
  for (const std::string& entry : IgnoreList.Entries()) Insert(entry);
  selected_ = -1;
}

void TDlgIgnoreList::FormClose(bool ok) {
  if (ok) IgnoreList.Replace(entries_);
}

void TDlgIgnoreList::ListBox1Select(int index) {
  selected_ = index >= 0 && index < static_cast<int>(entries_.size()) ? index : -1;
}

void TDlgIgnoreList::ActAddExecute() {
  const auto answer = inputBox_.Ask("Add", "Caption:", "");
  if (!answer) return;
  std::string entry = TrimControlsAndBlanks(*answer);
  if (entry.empty()) return;
  const bool known = std::any_of(entries_.begin(), entries_.end(), [&](const std::string& e) {
    return collation_.CompareIgnoreCase(e, entry) == 0;
  });
  if (known) return;
  // The selection stays with the entry it was on.
  const int index = Insert(std::move(entry));
  if (selected_ >= index) ++selected_;
}

void TDlgIgnoreList::ActModifyExecute() {
  if (selected_ < 0) return;
  const auto answer =
      inputBox_.Ask("Modify", "Caption:", entries_[static_cast<std::size_t>(selected_)]);
  if (!answer) return;
  std::string entry = TrimControlsAndBlanks(*answer);
  if (entry.empty()) return;  // modifying never removes an entry
  // The modified entry moves to its sorted place, so that the ignore list stays in the order
  // its lookup needs and every entry shown here is really ignored afterwards; it stays selected.
  entries_.erase(entries_.begin() + selected_);
  selected_ = Insert(std::move(entry));
}

void TDlgIgnoreList::ActRemoveExecute() {
  if (selected_ < 0) return;
  entries_.erase(entries_.begin() + selected_);
  selected_ = -1;
}

bool ShowIgnoreListDialog(const TextCollation& collation, InputBox& inputBox,
                          IgnoreListDialogView& view) {
  TDlgIgnoreList dialog(collation, inputBox);
  dialog.FormShow();
  const bool ok = view.ShowModal(dialog);
  dialog.FormClose(ok);
  return ok;
}

}  // namespace tarvex
