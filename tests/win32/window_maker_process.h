// A running window_maker: started with the windows it is asked for, ended when this goes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "helper_process.h"
#include "winlist/window_system.h"

namespace tarvex::win32::testing {

class WindowMakerProcess {
 public:
  // Starts bin/window_maker.exe beside the running test program and waits for its windows.
  explicit WindowMakerProcess(const std::vector<std::string>& windows);

  WinHandle Window(std::size_t index) const { return windows_.at(index); }
  std::uint32_t ProcessId() const { return ::GetProcessId(helper_.Process()); }

 private:
  HelperProcess helper_;
  std::vector<WinHandle> windows_;
};

}  // namespace tarvex::win32::testing
