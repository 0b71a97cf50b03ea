// The ignore list's section of the settings file: keys 1, 2, ... holding the entries in order.
#pragma once

#include <string>

#include "settings/ignore_list.h"
#include "settings/ini_file.h"
#include "services/text_collation.h"

namespace tarvex {

// Appends keys 1, 2, ... up to the first missing or empty one, then puts the entries in the
// ascending order the lookup needs: a section edited by hand may be in any order, and an entry
// out of place would never be found.
void LoadIgnoreList(const TIniFile& file, const std::string& section, TIgnoreList& list,
                    const TextCollation& collation);

// Erases the section, then writes keys 1 to n, as one update of the file.
void SaveIgnoreList(TIniFile& file, const std::string& section, const TIgnoreList& list);

}  // namespace tarvex
