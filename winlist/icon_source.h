// Icons for the entries of the window enumerator, taken from the files of the processes.
#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

using IconHandle = std::uint32_t;

class IconSource {
 public:
  virtual ~IconSource() = default;
  // The full path of the process's image file, in UTF-8; empty when it cannot be had (the
  // process has ended, or its path is not ours to read).
  virtual std::string ImagePathOf(std::uint32_t processId) = 0;
  // The first icon held in the file at that full path, 0 when it holds none.
  virtual IconHandle IconOf(const std::string& path) = 0;
  // The file's own icon or that of the program associated with it, 0 when there is none.
  virtual IconHandle AssociatedIconOf(const std::string& path) = 0;
  virtual void DestroyIcon(IconHandle icon) = 0;
};

}  // namespace tarvex
