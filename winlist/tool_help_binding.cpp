#include "winlist/tool_help_binding.h"

namespace tarvex {
namespace {

// Looked up in this order; only the snapshot and the two process walks are used.
constexpr std::array<const char*, 16> kFunctionNames = {"CreateToolhelp32Snapshot",
                                                        "Heap32ListFirst",
                                                        "Heap32ListNext",
                                                        "Heap32First",
                                                        "Heap32Next",
                                                        "Toolhelp32ReadProcessMemory",
                                                        "Process32First",
                                                        "Process32Next",
                                                        "Process32FirstW",
                                                        "Process32NextW",
                                                        "Thread32First",
                                                        "Thread32Next",
                                                        "Module32First",
                                                        "Module32Next",
                                                        "Module32FirstW",
                                                        "Module32NextW"};

}  // namespace

bool ToolHelpBinding::BindToolHelp() {
  if (kernel_ == 0) {
    kernel_ = library_.FindLoadedModule("kernel32.dll");
    if (kernel_ == 0) return false;
    for (std::size_t i = 0; i < kFunctionNames.size(); ++i) {
      functions_[i] = library_.FindFunction(kernel_, kFunctionNames[i]);
    }
  }
  return functions_[kCreateSnapshot] != nullptr;
}

SnapshotHandle ToolHelpBinding::CreateToolhelp32Snapshot(std::uint32_t flags,
                                                         std::uint32_t processId) {
  if (!BindToolHelp()) return 0;
  return library_.CallCreateSnapshot(functions_[kCreateSnapshot], flags, processId);
}

bool ToolHelpBinding::Process32First(SnapshotHandle snapshot, ProcessEntry& entry) {
  if (!BindToolHelp() || functions_[kProcessFirst] == nullptr) return false;
  return library_.CallProcessFirst(functions_[kProcessFirst], snapshot, entry);
}

bool ToolHelpBinding::Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) {
  if (!BindToolHelp() || functions_[kProcessNext] == nullptr) return false;
  return library_.CallProcessNext(functions_[kProcessNext], snapshot, entry);
}

}  // namespace tarvex
