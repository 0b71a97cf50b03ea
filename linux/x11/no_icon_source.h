// The Linux edition's list shows no per-row icons and nothing reads an entry's icon, so the
// entries get none: looking icons up in program files would cost a pass time for nothing.
#pragma once

#include "winlist/icon_source.h"

namespace tarvex::x11 {

class NoIconSource final : public IconSource {
 public:
  std::string ImagePathOf(std::uint32_t /*processId*/) override { return {}; }
  IconHandle IconOf(const std::string& /*fileName*/) override { return 0; }
  IconHandle AssociatedIconOf(const std::string& /*fileName*/) override { return 0; }
  void DestroyIcon(IconHandle /*icon*/) override {}
};

}  // namespace tarvex::x11
