// The ignore list dialog's logic: it edits its own sorted copy of the ignore list and hands the
// entries back only on OK. The edition's dialog shows Entries() and Selected() after each step
// and reports the user's selection.
#pragma once

#include <string>
#include <vector>

#include "services/input_box.h"
#include "services/text_collation.h"

namespace tarvex {

class TDlgIgnoreList {
 public:
  TDlgIgnoreList(const TextCollation& collation, InputBox& inputBox)
      : collation_(collation), inputBox_(inputBox) {}

  // Fills the list with the ignore list's entries, each at its sorted place; nothing selected.
  void FormShow();
  // When the dialog closed with OK, the ignore list receives the entries in list order.
  void FormClose(bool ok);

  void ListBox1Select(int index);  // -1: nothing selected
  void ActAddExecute();
  void ActModifyExecute();
  void ActRemoveExecute();

  // Add is always enabled; Modify and Remove while an entry is selected.
  bool ActModifyEnabled() const { return selected_ >= 0; }
  bool ActRemoveEnabled() const { return ActModifyEnabled(); }

  const std::vector<std::string>& Entries() const { return entries_; }
  int Selected() const { return selected_; }

 private:
  // Inserts at the entry's place in ascending order and returns its index.
  int Insert(std::string entry);

  const TextCollation& collation_;
  InputBox& inputBox_;
  std::vector<std::string> entries_;
  int selected_ = -1;
};

// Removes every character with a code from 0 to 32 from both ends.
std::string TrimControlsAndBlanks(const std::string& text);

}  // namespace tarvex
