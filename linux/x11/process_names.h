// Image file names of processes, read from /proc. A rebuild of the list takes one snapshot per
// window, all within a millisecond or two, and most windows share their process with others:
// the snapshots of one such burst read each process's name once.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>

namespace tarvex::x11 {

class ProcessNames {
 public:
  explicit ProcessNames(std::filesystem::path procRoot) : procRoot_(std::move(procRoot)) {}

  // The process's image file name (see ImageFileName); none when the process is gone.
  const std::optional<std::string>& Of(std::uint32_t processId);
  const std::filesystem::path& ProcRoot() const { return procRoot_; }

 private:
  // Long enough for one rebuild, far too short to outlive it: the next refresh reads afresh.
  static constexpr std::chrono::milliseconds kBurst{5};

  std::filesystem::path procRoot_;
  std::chrono::steady_clock::time_point burstStart_{};
  std::unordered_map<std::uint32_t, std::optional<std::string>> names_;
};

}  // namespace tarvex::x11
