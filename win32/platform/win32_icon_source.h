// Icons taken from program files by the shell, named by their full paths. Extracting one is slow,
// and a desktop often holds many windows of one program, so the entries of one file share one icon:
// it is extracted for the first and destroyed with the last. A file found without an icon is not
// asked again until no entry holds an icon any more, which is when the list is built anew.
#pragma once

#include "win32/support/windows_api.h"

#include <map>
#include <string>
#include <utility>

#include "winlist/icon_source.h"

namespace tarvex::win32 {

class Win32IconSource final : public IconSource {
 public:
  Win32IconSource() = default;
  ~Win32IconSource() override;
  Win32IconSource(const Win32IconSource&) = delete;
  Win32IconSource& operator=(const Win32IconSource&) = delete;

  std::string ImagePathOf(std::uint32_t processId) override;
  IconHandle IconOf(const std::string& path) override;
  IconHandle AssociatedIconOf(const std::string& path) override;
  void DestroyIcon(IconHandle icon) override;

 private:
  // The file's own icon or its associated one, as the shell gives it.
  using Source = std::pair<bool, std::string>;
  struct Shared {
    Source source;
    int users = 0;
  };
  template <typename Extract>
  IconHandle SharedIcon(Source source, Extract extract);

  std::map<Source, IconHandle> bySource_;  // 0: the file has none
  std::map<IconHandle, Shared> shared_;
};

}  // namespace tarvex::win32
