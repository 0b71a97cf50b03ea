// The platform's comparison of texts without regard to case, in the user's locale.
#pragma once

#include <string_view>

namespace tarvex {

class TextCollation {
 public:
  virtual ~TextCollation() = default;
  // Negative, zero or positive as `a` sorts before, equal to or after `b`, over full lengths.
  virtual int CompareIgnoreCase(std::string_view a, std::string_view b) const = 0;
};

}  // namespace tarvex
