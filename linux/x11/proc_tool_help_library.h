// The process snapshot functions the enumerator looks up by name, served from /proc. The
// enumerator asks for the platform's system library by its Windows name; this library answers
// for it with entry points of its own and leaves the functions it does not offer missing.
#pragma once

#include <filesystem>
#include <map>
#include <memory>

#include "linux/x11/process_snapshot.h"
#include "winlist/tool_help_library.h"

namespace tarvex::x11 {

class ProcToolHelpLibrary final : public ToolHelpLibrary {
 public:
  explicit ProcToolHelpLibrary(std::filesystem::path procRoot = "/proc");

  ModuleHandle FindLoadedModule(const char* name) override;
  ProcAddress FindFunction(ModuleHandle module, const char* name) override;
  SnapshotHandle CallCreateSnapshot(ProcAddress create, std::uint32_t flags,
                                    std::uint32_t processId) override;
  bool CallProcessFirst(ProcAddress first, SnapshotHandle snapshot, ProcessEntry& entry) override;
  bool CallProcessNext(ProcAddress next, SnapshotHandle snapshot, ProcessEntry& entry) override;
  void CloseHandle(SnapshotHandle snapshot) override;

  // Snapshots taken and not closed yet.
  std::size_t OpenSnapshots() const { return snapshots_.size(); }

 private:
  bool Walk(ProcAddress function, SnapshotHandle snapshot, ProcessEntry& entry);

  // Behind a pointer: open snapshots refer to it, and the library may be moved.
  std::unique_ptr<ProcessNames> names_;
  // Snapshots live here, not behind raw pointers handed out: a stale or foreign handle finds
  // nothing, and whatever the caller never closed goes with the library.
  std::map<SnapshotHandle, std::unique_ptr<ProcessSnapshot>> snapshots_;
  SnapshotHandle nextHandle_ = 1;
};

}  // namespace tarvex::x11
