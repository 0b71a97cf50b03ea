// Finds the process snapshot functions in the already loaded "kernel32.dll" on first use.
// While the library handle is missing every use tries again; once it was obtained the names are
// never looked up again, so a missing function stays missing.
#pragma once

#include <array>
#include <cstdint>

#include "winlist/tool_help_library.h"

namespace tarvex {

class ToolHelpBinding {
 public:
  explicit ToolHelpBinding(ToolHelpLibrary& library) : library_(library) {}

  // Each yields nothing (0 or false) without calling anything when the binding is unavailable.
  SnapshotHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId);
  bool Process32First(SnapshotHandle snapshot, ProcessEntry& entry);
  bool Process32Next(SnapshotHandle snapshot, ProcessEntry& entry);
  void CloseHandle(SnapshotHandle snapshot) { library_.CloseHandle(snapshot); }

  // Whether the library handle was obtained and "CreateToolhelp32Snapshot" found.
  bool BindToolHelp();

 private:
  enum Function : std::size_t {
    kCreateSnapshot = 0,
    kProcessFirst = 6,
    kProcessNext = 7,
    kFunctionCount = 16
  };

  ToolHelpLibrary& library_;
  ModuleHandle kernel_ = 0;
  std::array<ProcAddress, kFunctionCount> functions_{};
};

// Closes a snapshot when it goes out of scope, also when a failure passes through.
class ScopedSnapshot {
 public:
  ScopedSnapshot(ToolHelpBinding& binding, SnapshotHandle handle)
      : binding_(binding), handle_(handle) {}
  ~ScopedSnapshot() {
    if (handle_ != 0) binding_.CloseHandle(handle_);
  }
  ScopedSnapshot(const ScopedSnapshot&) = delete;
  ScopedSnapshot& operator=(const ScopedSnapshot&) = delete;
  SnapshotHandle get() const { return handle_; }

 private:
  ToolHelpBinding& binding_;
  SnapshotHandle handle_;
};

}  // namespace tarvex
