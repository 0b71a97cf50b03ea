// Comparison without regard to case in the user's locale, through QCollator.
#pragma once

#include <QCollator>

#include "services/text_collation.h"

namespace tarvex::qt {

class QtTextCollation final : public TextCollation {
 public:
  QtTextCollation();
  int CompareIgnoreCase(std::string_view a, std::string_view b) const override;

 private:
  QCollator collator_;
};

}  // namespace tarvex::qt
