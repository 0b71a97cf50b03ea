// Case-blind comparison in the user's locale, as the system sorts texts.
#pragma once

#include "services/text_collation.h"

namespace tarvex::win32 {

class Win32TextCollation final : public TextCollation {
 public:
  // Throws when the system cannot compare the texts: an answer of "equal" would be a guess.
  int CompareIgnoreCase(std::string_view a, std::string_view b) const override;
};

}  // namespace tarvex::win32
