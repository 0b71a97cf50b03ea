#include "win32/platform/dwm_cloak_query.h"

namespace tarvex::win32 {
namespace {

constexpr DWORD kDwmwaCloaked = 14;  // DWMWA_CLOAKED, Windows 8 and later

}  // namespace

void DwmCloakQuery::Load() {
  loaded_ = true;
  // From the system folder only: a dwmapi.dll in the current folder or on the PATH is not ours.
  library_.reset(::LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!library_) return;
  const FARPROC address = ::GetProcAddress(library_.get(), "DwmGetWindowAttribute");
  getAttribute_ = reinterpret_cast<GetWindowAttribute>(reinterpret_cast<void*>(address));
}

bool DwmCloakQuery::IsCloaked(HWND window) {
  if (!loaded_) Load();
  if (getAttribute_ == nullptr) return false;
  DWORD cloaked = 0;
  if (FAILED(getAttribute_(window, kDwmwaCloaked, &cloaked, sizeof(cloaked)))) return false;
  return cloaked != 0;
}

}  // namespace tarvex::win32
