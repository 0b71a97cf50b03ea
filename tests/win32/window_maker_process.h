// A running window_maker: started with the windows it is asked for, ended when this goes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "win32/unique_handle.h"
#include "winlist/window_system.h"

namespace tarvex::win32::testing {

class WindowMakerProcess {
 public:
  // Starts bin/window_maker.exe beside the running test program and waits for its windows.
  explicit WindowMakerProcess(const std::vector<std::string>& windows);
  ~WindowMakerProcess();
  WindowMakerProcess(const WindowMakerProcess&) = delete;
  WindowMakerProcess& operator=(const WindowMakerProcess&) = delete;

  WinHandle Window(std::size_t index) const { return windows_.at(index); }
  std::uint32_t ProcessId() const { return processId_; }

 private:
  UniqueKernelHandle process_;
  UniqueKernelHandle input_;  // closing it tells the helper to end
  std::vector<WinHandle> windows_;
  std::uint32_t processId_ = 0;
};

// The folder of the running test program, with a trailing separator.
std::string ProgramFolder();

}  // namespace tarvex::win32::testing
