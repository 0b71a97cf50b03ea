// A snapshot of the running processes as /proc lists them.
//
// The walk begins with the process the snapshot was taken for (when it still runs) and reads the
// rest of /proc only if the walk goes on: the enumerator takes one snapshot per window and stops
// at that window's process, so a pass costs one name lookup per window instead of a walk through
// every process. Which order a snapshot lists its processes in is not part of its contract.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "linux/x11/process_names.h"
#include "winlist/tool_help_library.h"

namespace tarvex::x11 {

class ProcessSnapshot {
 public:
  // `processId` 0 names no process to begin with. `names` must outlive the snapshot.
  ProcessSnapshot(ProcessNames& names, std::uint32_t processId);

  bool First(ProcessEntry& entry);
  bool Next(ProcessEntry& entry);

 private:
  void ListTheRest();
  bool Fill(std::uint32_t processId, ProcessEntry& entry) const;

  ProcessNames& names_;
  std::uint32_t wanted_ = 0;
  std::vector<std::uint32_t> processes_;
  bool listedAll_ = false;
  std::size_t cursor_ = 0;
};

// The image file name of a process: the name of the file it runs, else the kernel's short name
// for it (kernel threads, processes of other users); nothing when the process is gone.
std::optional<std::string> ImageFileName(const std::filesystem::path& procRoot,
                                         std::uint32_t processId);

}  // namespace tarvex::x11
