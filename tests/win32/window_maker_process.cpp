#include "window_maker_process.h"

#include <stdexcept>

namespace tarvex::win32::testing {

WindowMakerProcess::WindowMakerProcess(const std::vector<std::string>& windows)
    : helper_(ThisProgramFolder() + "window_maker.exe", windows) {
  // One line per window, its handle in hexadecimal, then "ready".
  for (const std::string& handle : helper_.ReadUntilReady()) {
    windows_.push_back(static_cast<WinHandle>(std::stoul(handle, nullptr, 16)));
  }
  if (windows_.size() != windows.size()) throw std::runtime_error("window_maker failed");
}

}  // namespace tarvex::win32::testing
