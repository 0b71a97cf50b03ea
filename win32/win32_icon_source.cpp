#include "win32/win32_icon_source.h"

#include "win32/windows_api.h"

#include <algorithm>
#include <array>

#include "win32/handle_conversion.h"

namespace tarvex::win32 {

Win32IconSource::~Win32IconSource() {
  for (const auto& [icon, shared] : shared_) ::DestroyIcon(ToHicon(icon));
}

template <typename Extract>
IconHandle Win32IconSource::SharedIcon(Source source, Extract extract) {
  if (const auto known = bySource_.find(source); known != bySource_.end()) {
    if (known->second != 0) ++shared_[known->second].users;
    return known->second;
  }
  const IconHandle icon = extract();
  bySource_.emplace(source, icon);
  if (icon == 0) return 0;
  shared_[icon] = {std::move(source), 1};
  return icon;
}

IconHandle Win32IconSource::IconOf(const std::string& fileName) {
  return SharedIcon({false, fileName}, [&fileName] {
    const HICON icon = ::ExtractIconA(::GetModuleHandleA(nullptr), fileName.c_str(), 0);
    // 1 is the shell's answer for a file that is not a program: no icon, and nothing to destroy.
    return reinterpret_cast<std::uintptr_t>(icon) == 1 ? IconHandle{0} : FromHicon(icon);
  });
}

IconHandle Win32IconSource::AssociatedIconOf(const std::string& fileName) {
  return SharedIcon({true, fileName}, [&fileName] {
    // The shell may write the associated program's path into the buffer, so it gets a full one.
    std::array<char, MAX_PATH + 1> path{};
    const std::size_t length = std::min(fileName.size(), static_cast<std::size_t>(MAX_PATH));
    std::copy_n(fileName.begin(), length, path.begin());
    WORD index = 0;
    return FromHicon(::ExtractAssociatedIconA(::GetModuleHandleA(nullptr), path.data(), &index));
  });
}

void Win32IconSource::DestroyIcon(IconHandle icon) {
  if (icon == 0) return;
  const auto shared = shared_.find(icon);
  if (shared == shared_.end()) {
    ::DestroyIcon(ToHicon(icon));
    return;
  }
  if (--shared->second.users > 0) return;
  bySource_.erase(shared->second.source);
  shared_.erase(shared);
  ::DestroyIcon(ToHicon(icon));
  // What is left are the files found without an icon; with the last entry gone (a new list is
  // about to be built), they are asked again.
  if (shared_.empty()) bySource_.clear();
}

}  // namespace tarvex::win32
