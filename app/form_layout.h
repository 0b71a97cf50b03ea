// The main window's controls as designed, in pixels at 96 dots per inch: each edition lays its
// controls out by these.
#pragma once

#include <array>

namespace tarvex {

struct ListColumn {
  const char* caption;
  int width;
  bool alignRight;
};

inline constexpr std::array<ListColumn, 2> kListColumns = {{
    {"Application", 130, false},
    {"Process ID", 67, true},
}};

// Tool bar buttons side by side, the bar indented; an empty slot of the layout is a separator.
inline constexpr int kToolPictureSize = 16;
inline constexpr int kToolButtonWidth = 23;
inline constexpr int kToolBarHeight = 22;
inline constexpr int kToolBarIndent = 5;
inline constexpr int kToolSeparatorWidth = 8;

// The status bar's first panel, which holds the counters.
inline constexpr int kCounterPanelWidth = 75;

}  // namespace tarvex
