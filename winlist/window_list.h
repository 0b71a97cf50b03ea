// The enumerator's list of entries: each row is a caption with its window entry attached.
// Unsorted, duplicates allowed; reads outside 0 .. Count - 1 fail like a string list's.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "winlist/win_info.h"

namespace tarvex {

class TWindowList {
 public:
  int Count() const { return static_cast<int>(rows_.size()); }
  const std::string& Strings(int index) const { return Row(index).caption; }
  const TWinInfo& Objects(int index) const { return *Row(index).info; }

  // The row of the window's entry, -1 for none.
  int IndexOf(WinHandle window) const {
    const auto found = rowOf_.find(window);
    return found == rowOf_.end() ? -1 : found->second;
  }

  void Add(std::string caption, std::unique_ptr<TWinInfo> info) {
    rowOf_.emplace(info->WinHandle, Count());
    rows_.push_back({std::move(caption), std::move(info)});
  }
  // Frees the entries from row 0 upwards, then empties the list.
  void Clear() {
    for (auto& row : rows_) row.info.reset();
    rows_.clear();
    rowOf_.clear();
  }

 private:
  struct Entry {
    std::string caption;
    std::unique_ptr<TWinInfo> info;
  };
  const Entry& Row(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return rows_[static_cast<std::size_t>(index)];
  }
  std::vector<Entry> rows_;
  std::unordered_map<WinHandle, int> rowOf_;
};

}  // namespace tarvex
