// The toolkit's input box: a modal box with a caption, a prompt and a one-line edit field of at
// most 255 characters, counted as the settings file stores them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>

namespace tarvex {

inline constexpr std::size_t kInputBoxMaxLength = 255;

// How much text the input box's field takes. Its text ends up in the settings file, so it is
// measured there: in bytes of the file's code page (the ANSI code page on Windows, UTF-8 on
// Linux), never in the toolkit's own units, so that both editions take the same text. An edit
// that would make the text longer is refused whole; a character is never cut in half. A longer
// initial text (an entry written into the file by hand) is shown whole and may be shortened, so
// that OK without a change never cuts it.
class InputBoxLimit {
 public:
  explicit InputBoxLimit(std::size_t initialStoredLength)
      : most_(std::max(kInputBoxMaxLength, initialStoredLength)) {}
  // Whether the field takes a text of this length in the settings file's code page.
  bool Takes(std::size_t storedLength) const { return storedLength <= most_; }

 private:
  std::size_t most_;
};

class InputBox {
 public:
  virtual ~InputBox() = default;
  // The edited text when the user pressed OK; nothing when the box was cancelled.
  virtual std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) = 0;
};

}  // namespace tarvex
