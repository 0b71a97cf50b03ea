// The process snapshot functions of kernel32, called through the addresses the core looked up.
//
// A rebuild of the enumerator asks for a snapshot of the running processes once per entry, and
// under Wine one snapshot costs milliseconds: a rebuild of a few hundred windows would freeze the
// window for a second. So every request of one pass (see Win32WindowSystem::PassesBegun) is served
// from the pass's single system snapshot, each request walking it from its first process, and the
// processes read once are kept in memory for the walks that follow. A request made before any
// pass gets a system snapshot of its own.
#pragma once

#include "win32/support/windows_api.h"

#include <cstdint>
#include <map>
#include <memory>

#include "winlist/tool_help_library.h"

namespace tarvex::win32 {

class Win32ToolHelpLibrary final : public ToolHelpLibrary {
 public:
  Win32ToolHelpLibrary();
  ~Win32ToolHelpLibrary() override;
  Win32ToolHelpLibrary(const Win32ToolHelpLibrary&) = delete;
  Win32ToolHelpLibrary& operator=(const Win32ToolHelpLibrary&) = delete;

  ModuleHandle FindLoadedModule(const char* name) override;
  ProcAddress FindFunction(ModuleHandle module, const char* name) override;
  // The handles it gives out name walks of a snapshot, not system handles.
  SnapshotHandle CallCreateSnapshot(ProcAddress create, std::uint32_t flags,
                                    std::uint32_t processId) override;
  bool CallProcessFirst(ProcAddress first, SnapshotHandle snapshot, ProcessEntry& entry) override;
  bool CallProcessNext(ProcAddress next, SnapshotHandle snapshot, ProcessEntry& entry) override;
  void CloseHandle(SnapshotHandle snapshot) override;

  // How many system snapshots have been taken: what the sharing saves, for the tests.
  std::uint64_t SystemSnapshotsTaken() const { return systemSnapshots_; }

 private:
  class ProcessSnapshot;
  struct Walk {
    std::shared_ptr<ProcessSnapshot> snapshot;
    std::size_t position = kBeforeFirst;  // the next step reads position + 1, wrapping to 0
  };
  static constexpr std::size_t kBeforeFirst = static_cast<std::size_t>(-1);
  bool Step(ProcAddress function, SnapshotHandle walk, bool fromStart, ProcessEntry& entry);

  std::shared_ptr<ProcessSnapshot> passSnapshot_;
  std::uint64_t snapshotPass_ = 0;
  std::map<SnapshotHandle, Walk> walks_;
  SnapshotHandle lastWalk_ = 0;
  std::uint64_t systemSnapshots_ = 0;
};

}  // namespace tarvex::win32
