#include "linux/x11/process_names.h"

#include "linux/x11/process_snapshot.h"

namespace tarvex::x11 {

const std::optional<std::string>& ProcessNames::Of(std::uint32_t processId) {
  const auto now = std::chrono::steady_clock::now();
  if (now - burstStart_ > kBurst) {
    names_.clear();
    burstStart_ = now;
  }
  const auto known = names_.find(processId);
  if (known != names_.end()) return known->second;
  return names_[processId] = ImageFileName(procRoot_, processId);
}

}  // namespace tarvex::x11
