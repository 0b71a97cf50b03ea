#include "win32/platform/win32_icon_source.h"

#include "win32/support/windows_api.h"

#include <algorithm>
#include <array>

#include "win32/support/handle_conversion.h"
#include "win32/support/unique_handle.h"
#include "win32/support/utf8_text.h"

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

std::string Win32IconSource::ImagePathOf(std::uint32_t processId) {
  // The limited right is all the query needs, and a standard user has it for most processes.
  const UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(processId)));
  if (!process) return {};
  std::wstring path(32768, L'\0');  // the longest path the system has
  auto length = static_cast<DWORD>(path.size());
  if (!::QueryFullProcessImageNameW(process.get(), 0, path.data(), &length)) return {};
  path.resize(length);
  return Utf8FromWide(path);
}

IconHandle Win32IconSource::IconOf(const std::string& path) {
  return SharedIcon({false, path}, [&path] {
    const HICON icon = ::ExtractIconW(::GetModuleHandleA(nullptr), WideFromUtf8(path).c_str(), 0);
    // 1 is the shell's answer for a file that is not a program: no icon, and nothing to destroy.
    return reinterpret_cast<std::uintptr_t>(icon) == 1 ? IconHandle{0} : FromHicon(icon);
  });
}

IconHandle Win32IconSource::AssociatedIconOf(const std::string& path) {
  return SharedIcon({true, path}, [&path] {
    // The shell may write the associated program's path into the buffer, so it gets a full one.
    // A path that does not fit gets no icon: cut short, it would name another file.
    const std::wstring wide = WideFromUtf8(path);
    std::array<wchar_t, MAX_PATH + 1> buffer{};
    if (wide.size() >= buffer.size()) return IconHandle{0};
    std::copy(wide.begin(), wide.end(), buffer.begin());
    WORD index = 0;
    return FromHicon(::ExtractAssociatedIconW(::GetModuleHandleA(nullptr), buffer.data(), &index));
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
