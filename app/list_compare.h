// The application list's sort: the key kept in the list's Tag and the comparison of two rows.
#pragma once

#include <string_view>

#include "app/views.h"

namespace tarvex {

// Byte-wise comparison that folds only the ASCII letters a to z to upper case; a string that is
// a prefix of the other sorts first.
int CompareText(std::string_view a, std::string_view b);

// The sort key after a click on `column` (0 is "Application"): the key's own column reverses the
// direction, another column becomes the key, ascending.
int SortKeyAfterClick(int tag, int column);

// Negative when `item1` sorts first under the key `tag` (1 caption, 2 process id, negative
// descending).
int ListView1Compare(const ListRow& item1, const ListRow& item2, int tag);

}  // namespace tarvex
