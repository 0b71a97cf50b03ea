// The toolkit's input box: a modal box with a caption, a prompt and a one-line edit field of at
// most 255 characters.
#pragma once

#include <optional>
#include <string>

namespace tarvex {

inline constexpr std::size_t kInputBoxMaxLength = 255;

class InputBox {
 public:
  virtual ~InputBox() = default;
  // The edited text when the user pressed OK; nothing when the box was cancelled.
  virtual std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) = 0;
};

}  // namespace tarvex
