// What a process holds of the system: memory, kernel handles, GDI and USER objects.
#pragma once

#include "win32/support/windows_api.h"

#include <psapi.h>

#include <cstdint>
#include <string>

namespace tarvex::win32::testing {

struct ProcessResources {
  std::uint64_t privateBytes = 0;
  DWORD handles = 0;
  DWORD gdiObjects = 0;
  DWORD userObjects = 0;

  static ProcessResources OfThisProcess() {
    ProcessResources now;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (::GetProcessMemoryInfo(::GetCurrentProcess(),
                               reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                               sizeof(memory))) {
      // Wine leaves the private bytes 0 but counts the committed memory in the page file's.
      now.privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    }
    if (!::GetProcessHandleCount(::GetCurrentProcess(), &now.handles) || now.handles == 0) {
      now.handles = CountOpenHandles();
    }
    now.gdiObjects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    now.userObjects = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    return now;
  }

  // Where the system does not count them (Wine answers 0), the kernel handles are counted by
  // asking after every handle value up to far beyond what this process uses.
  static DWORD CountOpenHandles() {
    DWORD open = 0;
    for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
      DWORD flags = 0;
      if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++open;
    }
    return open;
  }

  // Wine counts no GUI objects (it answers 0 for both); then only memory and handles tell.
  bool CountsGuiObjects() const { return gdiObjects != 0 || userObjects != 0; }

  std::string Describe() const {
    return "private bytes " + std::to_string(privateBytes) + ", handles " +
           std::to_string(handles) + ", GDI objects " + std::to_string(gdiObjects) +
           ", USER objects " + std::to_string(userObjects);
  }
};

}  // namespace tarvex::win32::testing
