// Which text is in which encoding, for the whole program:
// - Captions of windows, the list's rows and everything the core holds of them are UTF-8. The
//   Windows edition reads captions through the wide API and converts at its edge, in both
//   directions; the X11 names are UTF-8 already.
// - The settings file, the ignore list and its dialog, the options, message and tray texts stay
//   in the system's ANSI code page on Windows, as the file is shared with programs that read it
//   that way. On Linux that code page is UTF-8.
// - The ignore lookup bridges the two: it compares the caption as the ANSI window functions
//   would have given it, so every stored entry matches exactly as it did before captions were
//   read wide.
#pragma once

#include <string>

namespace tarvex {

class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // The UTF-8 text in the ANSI code page, with the system's default character for every
  // character the code page lacks, as GetWindowTextA gives a caption.
  virtual std::string FromUtf8(const std::string& utf8) const = 0;
};

}  // namespace tarvex
