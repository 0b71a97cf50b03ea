// What the process holds at one moment: its heap in use and resident memory, and the X server
// resources its connection owns.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <string>

namespace tarvex::soak {

struct ProcessUsage {
  std::uint64_t heapBytes = 0;      // allocated and not yet freed (malloc's own count)
  std::uint64_t residentBytes = 0;  // /proc/self/statm
  std::uint64_t xResources = 0;     // all kinds, as X-Resource counts them for the client
  bool xResourcesKnown = false;

  // `connection`: the client whose server resources are counted.
  static ProcessUsage Now(xcb_connection_t* connection);
  std::string Describe() const;
};

}  // namespace tarvex::soak
