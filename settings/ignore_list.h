// The captions that the application list never shows. The list keeps the order it is given and
// accepts duplicates; the lookup is a binary search, so it finds entries only in a list that is
// in ascending order under the platform's case-insensitive collation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "services/text_collation.h"

namespace tarvex {

class TIgnoreList {
 public:
  void Append(std::string entry) { entries_.push_back(std::move(entry)); }
  void Replace(std::vector<std::string> entries) { entries_ = std::move(entries); }
  const std::vector<std::string>& Entries() const { return entries_; }
  int Count() const { return static_cast<int>(entries_.size()); }

  // Whether the binary search meets an entry equal to the whole caption.
  bool Contains(std::string_view caption, const TextCollation& collation) const;

 private:
  std::vector<std::string> entries_;
};

// The program's one ignore list, created empty before the main window exists.
extern TIgnoreList IgnoreList;

}  // namespace tarvex
