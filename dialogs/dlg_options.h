// The options dialog's logic: it shows the two options and hands them back only on OK.
#pragma once

#include <array>
#include <cstdint>

namespace tarvex {

// The hot key list's items; an item's index is the option's value.
inline constexpr std::array<const char*, 13> kHotKeyItems = {
    "None", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};

class TDlgOptions {
 public:
  // The list's selection is the stored index, none (-1) when it has no item; the box shows the
  // tray option.
  void FormShow();
  // On OK the options take the selection, kept in 8 bits (no selection becomes 255), and the
  // box's state.
  void FormClose(bool ok);

  int HotKeyIndex() const { return hotKeyIndex_; }
  void SetHotKeyIndex(int index) { hotKeyIndex_ = index; }
  bool MinimizeToTrayChecked() const { return minimizeToTray_; }
  void SetMinimizeToTrayChecked(bool checked) { minimizeToTray_ = checked; }

 private:
  int hotKeyIndex_ = 0;
  bool minimizeToTray_ = false;
};

}  // namespace tarvex
