// Icons for the entries of the window enumerator, taken from the files of the processes.
#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

using IconHandle = std::uint32_t;

class IconSource {
 public:
  virtual ~IconSource() = default;
  // The first icon held in the file, 0 when it holds none.
  virtual IconHandle IconOf(const std::string& fileName) = 0;
  // The file's own icon or that of the program associated with it, 0 when there is none.
  virtual IconHandle AssociatedIconOf(const std::string& fileName) = 0;
  virtual void DestroyIcon(IconHandle icon) = 0;
};

}  // namespace tarvex
