// An entry's icon, extracted from the process's image file when it is first read. Nothing in the
// program reads an entry's icon, and extraction costs one or two shell calls per entry, most of
// what building the first list would otherwise cost at start.
#pragma once

#include <cstdint>
#include <string>

#include "winlist/icon_source.h"

namespace tarvex {

class LazyIcon {
 public:
  explicit LazyIcon(IconSource& icons) : icons_(icons) {}
  // The entry owns its icon: without this a long session would leak one icon per entry per
  // rebuild until the process runs out of GDI handles.
  ~LazyIcon() {
    if (icon_ != 0) icons_.DestroyIcon(icon_);
  }
  LazyIcon(const LazyIcon&) = delete;
  LazyIcon& operator=(const LazyIcon&) = delete;

  // The entry's process was found: its icon may be asked for.
  void OfProcess(std::uint32_t processId) {
    processId_ = processId;
    found_ = true;
  }

  // The file's own icon, else the one associated with it; 0 when there is none. Looked up by the
  // image's full path only: a bare image name would have the shell search the current folder
  // and the PATH for a file of that name and parse whatever it finds, and a dead network drive
  // on the PATH would freeze the list.
  operator IconHandle() const {
    if (!found_ || extracted_) return icon_;
    extracted_ = true;
    const std::string path = icons_.ImagePathOf(processId_);
    if (path.empty()) return 0;
    icon_ = icons_.IconOf(path);
    if (icon_ == 0) icon_ = icons_.AssociatedIconOf(path);
    return icon_;
  }

 private:
  IconSource& icons_;
  std::uint32_t processId_ = 0;
  bool found_ = false;
  mutable bool extracted_ = false;
  mutable IconHandle icon_ = 0;
};

}  // namespace tarvex
