// Hints: "short|long" texts whose short part is a tooltip and whose long part goes to the hint
// line, the second panel of the main window's status bar.
#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// The part before the first "|", or the whole hint when it has none.
std::string ShortHint(std::string_view hint);
// The part after the first "|", or the whole hint when it has none.
std::string LongHint(std::string_view hint);

}  // namespace tarvex
