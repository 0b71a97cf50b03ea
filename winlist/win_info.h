// One window found by the enumerator. Created empty, filled once, never updated afterwards.
#pragma once

#include <cstdint>
#include <string>

#include "winlist/lazy_icon.h"
#include "winlist/window_system.h"

namespace tarvex {

class TWinInfo {
 public:
  explicit TWinInfo(IconSource& icons) : Icon(icons) {}
  TWinInfo(const TWinInfo&) = delete;
  TWinInfo& operator=(const TWinInfo&) = delete;
  ~TWinInfo() = default;

  tarvex::WinHandle ParentHandle = 0;
  tarvex::WinHandle WinHandle = 0;
  std::uint32_t ThreadID = 0;
  std::string ParentName;
  std::string WinClass;
  std::string ExeName;
  LazyIcon Icon;  // reads as an icon handle; extracted when first read
  std::uint32_t ProcessID = 0;
  std::uint32_t Style = 0;
  std::uint32_t ExStyle = 0;
};

}  // namespace tarvex
