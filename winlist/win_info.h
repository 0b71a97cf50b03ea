// One window found by the enumerator. Created empty, filled once, never updated afterwards.
#pragma once

#include <cstdint>
#include <string>

#include "winlist/icon_source.h"
#include "winlist/window_system.h"

namespace tarvex {

class TWinInfo {
 public:
  explicit TWinInfo(IconSource& icons) : icons_(icons) {}
  // The entry owns its icon: without this a long session would leak one icon per entry per
  // rebuild until the process runs out of GDI handles.
  ~TWinInfo() {
    if (Icon != 0) icons_.DestroyIcon(Icon);
  }
  TWinInfo(const TWinInfo&) = delete;
  TWinInfo& operator=(const TWinInfo&) = delete;

  tarvex::WinHandle ParentHandle = 0;
  tarvex::WinHandle WinHandle = 0;
  std::uint32_t ThreadID = 0;
  std::string ParentName;
  std::string WinClass;
  std::string ExeName;
  IconHandle Icon = 0;
  std::uint32_t ProcessID = 0;
  std::uint32_t Style = 0;
  std::uint32_t ExStyle = 0;

 private:
  IconSource& icons_;
};

}  // namespace tarvex
