#include "settings/ignore_list_file.h"

#include <algorithm>

namespace tarvex {

void LoadIgnoreList(const TIniFile& file, const std::string& section, TIgnoreList& list,
                    const TextCollation& collation) {
  for (int n = 1;; ++n) {
    std::string entry = file.ReadString(section, std::to_string(n), "");
    if (entry.empty()) break;
    list.Append(std::move(entry));
  }
  std::vector<std::string> entries = list.Entries();
  std::stable_sort(entries.begin(), entries.end(), [&](const std::string& a, const std::string& b) {
    return collation.CompareIgnoreCase(a, b) < 0;
  });
  list.Replace(std::move(entries));
}

void SaveIgnoreList(TIniFile& file, const std::string& section, const TIgnoreList& list) {
  file.EraseSection(section);
  for (int i = 0; i < list.Count(); ++i) {
    file.WriteString(section, std::to_string(i + 1), list.Entries()[static_cast<std::size_t>(i)]);
  }
  file.UpdateFile();
}

}  // namespace tarvex
