// The process snapshot functions of kernel32, called through the addresses the core looked up.
#pragma once

#include "win32/windows_api.h"

#include "winlist/tool_help_library.h"

namespace tarvex::win32 {

class Win32ToolHelpLibrary final : public ToolHelpLibrary {
 public:
  ModuleHandle FindLoadedModule(const char* name) override;
  ProcAddress FindFunction(ModuleHandle module, const char* name) override;
  SnapshotHandle CallCreateSnapshot(ProcAddress create, std::uint32_t flags,
                                    std::uint32_t processId) override;
  bool CallProcessFirst(ProcAddress first, SnapshotHandle snapshot, ProcessEntry& entry) override;
  bool CallProcessNext(ProcAddress next, SnapshotHandle snapshot, ProcessEntry& entry) override;
  void CloseHandle(SnapshotHandle snapshot) override;
};

}  // namespace tarvex::win32
