#include "win32/platform/win32_tool_help_library.h"

#include "win32/support/windows_api.h"

#include <cstring>
#include <vector>

#include "win32/support/unique_handle.h"
#include "win32/platform/win32_window_system.h"

namespace tarvex::win32 {
namespace {

using CreateSnapshotFunction = HANDLE(WINAPI*)(DWORD flags, DWORD processId);
using ProcessWalkFunction = BOOL(WINAPI*)(HANDLE snapshot, PROCESSENTRY32* entry);

// The record is the one of this build's architecture; a 32-bit build must pass the 32-bit size.
static_assert(sizeof(void*) != 4 || sizeof(PROCESSENTRY32) == 296);

template <typename Function>
Function AsFunction(ProcAddress address) {
  return reinterpret_cast<Function>(address);
}

bool SystemWalk(ProcAddress function, HANDLE snapshot, ProcessEntry& entry) {
  PROCESSENTRY32 record{};
  record.dwSize = sizeof(record);
  if (AsFunction<ProcessWalkFunction>(function)(snapshot, &record) == FALSE) return false;
  entry.processId = record.th32ProcessID;
  // Bounded: the name is not guaranteed to carry its terminating zero.
  entry.exeFile.assign(record.szExeFile, ::strnlen(record.szExeFile, sizeof(record.szExeFile)));
  return true;
}

}  // namespace

// A system snapshot, read lazily and once: the processes read so far are kept, so a walk reads
// the system's snapshot only beyond where every earlier walk stopped.
class Win32ToolHelpLibrary::ProcessSnapshot {
 public:
  explicit ProcessSnapshot(HANDLE snapshot) : handle_(snapshot) {}

  // The process at `position` of the walk. Walks go one step at a time, so a position not yet
  // read is the one right after the system's own cursor, and `function` (the caller's first or
  // next) moves that cursor there.
  bool At(std::size_t position, ProcAddress function, ProcessEntry& entry) {
    if (position == read_.size() && handle_) {
      ProcessEntry process;
      if (SystemWalk(function, handle_.get(), process)) {
        read_.push_back(std::move(process));
      } else {
        handle_.reset();  // the end or a failure: nothing more will be read
      }
    }
    if (position >= read_.size()) return false;
    entry = read_[position];
    return true;
  }

 private:
  UniqueKernelHandle handle_;
  std::vector<ProcessEntry> read_;
};

Win32ToolHelpLibrary::Win32ToolHelpLibrary() = default;
Win32ToolHelpLibrary::~Win32ToolHelpLibrary() = default;

ModuleHandle Win32ToolHelpLibrary::FindLoadedModule(const char* name) {
  return reinterpret_cast<ModuleHandle>(::GetModuleHandleA(name));
}

ProcAddress Win32ToolHelpLibrary::FindFunction(ModuleHandle module, const char* name) {
  return reinterpret_cast<ProcAddress>(::GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

SnapshotHandle Win32ToolHelpLibrary::CallCreateSnapshot(ProcAddress create, std::uint32_t flags,
                                                        std::uint32_t processId) {
  const std::uint64_t pass = Win32WindowSystem::PassesBegun();
  const bool shareable = flags == kSnapProcess && pass != 0;
  std::shared_ptr<ProcessSnapshot> snapshot;
  if (shareable && passSnapshot_ != nullptr && snapshotPass_ == pass) {
    snapshot = passSnapshot_;
  } else {
    const HANDLE system = AsFunction<CreateSnapshotFunction>(create)(flags, processId);
    // The system's "no snapshot" is INVALID_HANDLE_VALUE; the core's is 0.
    if (system == INVALID_HANDLE_VALUE || system == nullptr) return 0;
    ++systemSnapshots_;
    snapshot = std::make_shared<ProcessSnapshot>(system);
    // An older pass's snapshot goes now, not at the next request.
    passSnapshot_ = shareable ? snapshot : nullptr;
    snapshotPass_ = pass;
  }
  const SnapshotHandle walk = ++lastWalk_;
  walks_[walk] = Walk{std::move(snapshot), kBeforeFirst};
  return walk;
}

bool Win32ToolHelpLibrary::Step(ProcAddress function, SnapshotHandle walk, bool fromStart,
                                ProcessEntry& entry) {
  const auto found = walks_.find(walk);
  if (found == walks_.end()) return false;  // closed, or never given out
  Walk& state = found->second;
  const std::size_t position = fromStart ? 0 : state.position + 1;
  if (!state.snapshot->At(position, function, entry)) return false;
  state.position = position;
  return true;
}

bool Win32ToolHelpLibrary::CallProcessFirst(ProcAddress first, SnapshotHandle snapshot,
                                            ProcessEntry& entry) {
  return Step(first, snapshot, true, entry);
}

bool Win32ToolHelpLibrary::CallProcessNext(ProcAddress next, SnapshotHandle snapshot,
                                           ProcessEntry& entry) {
  return Step(next, snapshot, false, entry);
}

void Win32ToolHelpLibrary::CloseHandle(SnapshotHandle snapshot) { walks_.erase(snapshot); }

}  // namespace tarvex::win32
