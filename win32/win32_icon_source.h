// Icons taken from program files by the shell.
#pragma once

#include "win32/windows_api.h"

#include "winlist/icon_source.h"

namespace tarvex::win32 {

class Win32IconSource final : public IconSource {
 public:
  IconHandle IconOf(const std::string& fileName) override;
  IconHandle AssociatedIconOf(const std::string& fileName) override;
  void DestroyIcon(IconHandle icon) override;
};

}  // namespace tarvex::win32
