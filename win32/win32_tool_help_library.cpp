#include "win32/win32_tool_help_library.h"

#include "win32/windows_api.h"

#include <cstring>

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

HANDLE AsHandle(SnapshotHandle snapshot) { return reinterpret_cast<HANDLE>(snapshot); }

bool Walk(ProcAddress function, SnapshotHandle snapshot, ProcessEntry& entry) {
  PROCESSENTRY32 record{};
  record.dwSize = sizeof(record);
  if (AsFunction<ProcessWalkFunction>(function)(AsHandle(snapshot), &record) == FALSE) return false;
  entry.processId = record.th32ProcessID;
  // Bounded: the name is not guaranteed to carry its terminating zero.
  entry.exeFile.assign(record.szExeFile, ::strnlen(record.szExeFile, sizeof(record.szExeFile)));
  return true;
}

}  // namespace

ModuleHandle Win32ToolHelpLibrary::FindLoadedModule(const char* name) {
  return reinterpret_cast<ModuleHandle>(::GetModuleHandleA(name));
}

ProcAddress Win32ToolHelpLibrary::FindFunction(ModuleHandle module, const char* name) {
  return reinterpret_cast<ProcAddress>(::GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

SnapshotHandle Win32ToolHelpLibrary::CallCreateSnapshot(ProcAddress create, std::uint32_t flags,
                                                        std::uint32_t processId) {
  const HANDLE snapshot = AsFunction<CreateSnapshotFunction>(create)(flags, processId);
  // The system's "no snapshot" is INVALID_HANDLE_VALUE; the core's is 0.
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  return reinterpret_cast<SnapshotHandle>(snapshot);
}

bool Win32ToolHelpLibrary::CallProcessFirst(ProcAddress first, SnapshotHandle snapshot,
                                            ProcessEntry& entry) {
  return Walk(first, snapshot, entry);
}

bool Win32ToolHelpLibrary::CallProcessNext(ProcAddress next, SnapshotHandle snapshot,
                                           ProcessEntry& entry) {
  return Walk(next, snapshot, entry);
}

void Win32ToolHelpLibrary::CloseHandle(SnapshotHandle snapshot) {
  if (snapshot != 0) ::CloseHandle(AsHandle(snapshot));
}

}  // namespace tarvex::win32
