// The platform's process snapshot functions. The program does not import them: it finds them by
// name in the already loaded system library at run time (see ToolHelpBinding), and the platform
// only knows how to look a name up and how to call what was found.
#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

using ModuleHandle = std::uintptr_t;
using ProcAddress = void*;
using SnapshotHandle = std::uintptr_t;

inline constexpr std::uint32_t kSnapProcess = 2;  // TH32CS_SNAPPROCESS

// One process of a snapshot: the fields of the platform's record that the program reads.
struct ProcessEntry {
  std::uint32_t processId = 0;
  std::string exeFile;  // image file name, at most 260 characters
};

class ToolHelpLibrary {
 public:
  virtual ~ToolHelpLibrary() = default;

  // The handle of an already loaded library (never loads it), 0 when it is not loaded.
  virtual ModuleHandle FindLoadedModule(const char* name) = 0;
  // The address of an exported function, nullptr when it is absent.
  virtual ProcAddress FindFunction(ModuleHandle module, const char* name) = 0;

  // Calls through addresses that FindFunction returned for the functions of those names.
  // The platform fills its own record (with its own size) and copies the fields out.
  virtual SnapshotHandle CallCreateSnapshot(ProcAddress create, std::uint32_t flags,
                                            std::uint32_t processId) = 0;
  virtual bool CallProcessFirst(ProcAddress first, SnapshotHandle snapshot,
                                ProcessEntry& entry) = 0;
  virtual bool CallProcessNext(ProcAddress next, SnapshotHandle snapshot, ProcessEntry& entry) = 0;
  virtual void CloseHandle(SnapshotHandle snapshot) = 0;
};

}  // namespace tarvex
