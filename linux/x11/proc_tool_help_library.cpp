#include "linux/x11/proc_tool_help_library.h"

#include <cstring>
#include <strings.h>
#include <utility>

namespace tarvex::x11 {
namespace {

// The entry points this library hands out, called back through their addresses.
using CreateFunction = std::unique_ptr<ProcessSnapshot> (*)(ProcessNames& names,
                                                            std::uint32_t flags,
                                                            std::uint32_t processId);
using WalkFunction = bool (*)(ProcessSnapshot& snapshot, ProcessEntry& entry);

std::unique_ptr<ProcessSnapshot> CreateProcessSnapshot(ProcessNames& names, std::uint32_t flags,
                                                       std::uint32_t processId) {
  // Only process snapshots are offered.
  if ((flags & kSnapProcess) == 0) return nullptr;
  return std::make_unique<ProcessSnapshot>(names, processId);
}

bool FirstProcess(ProcessSnapshot& snapshot, ProcessEntry& entry) { return snapshot.First(entry); }
bool NextProcess(ProcessSnapshot& snapshot, ProcessEntry& entry) { return snapshot.Next(entry); }

constexpr ModuleHandle kSystemLibrary = 1;

template <typename Function>
ProcAddress AddressOf(Function function) {
  return reinterpret_cast<ProcAddress>(function);
}

template <typename Function>
Function FunctionAt(ProcAddress address) {
  return reinterpret_cast<Function>(address);
}

}  // namespace

ProcToolHelpLibrary::ProcToolHelpLibrary(std::filesystem::path procRoot)
    : names_(std::make_unique<ProcessNames>(std::move(procRoot))) {}

ModuleHandle ProcToolHelpLibrary::FindLoadedModule(const char* name) {
  // Library names compare without case, as the system's loader does.
  return name != nullptr && ::strcasecmp(name, "kernel32.dll") == 0 ? kSystemLibrary : 0;
}

ProcAddress ProcToolHelpLibrary::FindFunction(ModuleHandle module, const char* name) {
  if (module != kSystemLibrary || name == nullptr) return nullptr;
  // Exported names are case-sensitive.
  if (std::strcmp(name, "CreateToolhelp32Snapshot") == 0) return AddressOf(&CreateProcessSnapshot);
  if (std::strcmp(name, "Process32First") == 0) return AddressOf(&FirstProcess);
  if (std::strcmp(name, "Process32Next") == 0) return AddressOf(&NextProcess);
  return nullptr;
}

SnapshotHandle ProcToolHelpLibrary::CallCreateSnapshot(ProcAddress create, std::uint32_t flags,
                                                       std::uint32_t processId) {
  if (create == nullptr) return 0;
  auto snapshot = FunctionAt<CreateFunction>(create)(*names_, flags, processId);
  if (!snapshot) return 0;
  const SnapshotHandle handle = nextHandle_++;
  snapshots_.emplace(handle, std::move(snapshot));
  return handle;
}

bool ProcToolHelpLibrary::CallProcessFirst(ProcAddress first, SnapshotHandle snapshot,
                                           ProcessEntry& entry) {
  return Walk(first, snapshot, entry);
}

bool ProcToolHelpLibrary::CallProcessNext(ProcAddress next, SnapshotHandle snapshot,
                                          ProcessEntry& entry) {
  return Walk(next, snapshot, entry);
}

bool ProcToolHelpLibrary::Walk(ProcAddress function, SnapshotHandle snapshot, ProcessEntry& entry) {
  const auto found = snapshots_.find(snapshot);
  if (function == nullptr || found == snapshots_.end()) return false;
  return FunctionAt<WalkFunction>(function)(*found->second, entry);
}

void ProcToolHelpLibrary::CloseHandle(SnapshotHandle snapshot) { snapshots_.erase(snapshot); }

}  // namespace tarvex::x11
