#include "win32/win32_icon_source.h"

#include "win32/windows_api.h"

#include <algorithm>
#include <array>

#include "win32/handle_conversion.h"

namespace tarvex::win32 {

IconHandle Win32IconSource::IconOf(const std::string& fileName) {
  const HICON icon = ::ExtractIconA(::GetModuleHandleA(nullptr), fileName.c_str(), 0);
  // 1 is the shell's answer for a file that is not a program: no icon, and nothing to destroy.
  if (reinterpret_cast<std::uintptr_t>(icon) == 1) return 0;
  return FromHicon(icon);
}

IconHandle Win32IconSource::AssociatedIconOf(const std::string& fileName) {
  // The shell may write the associated program's path into the buffer, so it gets a full one.
  std::array<char, MAX_PATH + 1> path{};
  const std::size_t length = std::min(fileName.size(), static_cast<std::size_t>(MAX_PATH));
  std::copy_n(fileName.begin(), length, path.begin());
  WORD index = 0;
  return FromHicon(::ExtractAssociatedIconA(::GetModuleHandleA(nullptr), path.data(), &index));
}

void Win32IconSource::DestroyIcon(IconHandle icon) {
  if (icon != 0) ::DestroyIcon(ToHicon(icon));
}

}  // namespace tarvex::win32
