#include "linux/qt/qt_text_collation.h"

#include "linux/qt/qt_text.h"

namespace tarvex::qt {

QtTextCollation::QtTextCollation() : collator_(QLocale()) {
  collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

int QtTextCollation::CompareIgnoreCase(std::string_view a, std::string_view b) const {
  return collator_.compare(ToQString(a), ToQString(b));
}

}  // namespace tarvex::qt
