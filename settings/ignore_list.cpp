#include "settings/ignore_list.h"

namespace tarvex {

TIgnoreList IgnoreList;

bool TIgnoreList::Contains(std::string_view caption, const TextCollation& collation) const {
  int lo = 0;
  int hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = lo + (hi - lo) / 2;
    const int c = collation.CompareIgnoreCase(entries_[static_cast<std::size_t>(mid)], caption);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        lo = mid;
      }
    }
  }
  return found;
}

}  // namespace tarvex
