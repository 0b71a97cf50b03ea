#include "process_usage.h"

#include <malloc.h>
#include <unistd.h>
#include <xcb/res.h>

#include <cstdlib>
#include <fstream>
#include <memory>

namespace tarvex::soak {
namespace {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

// X-Resource names a client by any id in its range; the range's base is in the setup.
bool CountResources(xcb_connection_t* connection, std::uint64_t& total) {
  const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_res_id);
  if (extension == nullptr || extension->present == 0) return false;
  const std::uint32_t base = xcb_get_setup(connection)->resource_id_base;
  const std::unique_ptr<xcb_res_query_client_resources_reply_t, FreeDeleter> reply(
      xcb_res_query_client_resources_reply(
          connection, xcb_res_query_client_resources(connection, base), nullptr));
  if (!reply) return false;
  total = 0;
  auto it = xcb_res_query_client_resources_types_iterator(reply.get());
  for (; it.rem > 0; xcb_res_type_next(&it)) total += it.data->count;
  return true;
}

}  // namespace

ProcessUsage ProcessUsage::Now(xcb_connection_t* connection) {
  ProcessUsage usage;
  usage.heapBytes = mallinfo2().uordblks;
  std::ifstream statm("/proc/self/statm");
  std::uint64_t pages = 0;
  std::uint64_t resident = 0;
  if (statm >> pages >> resident) {
    usage.residentBytes = resident * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
  }
  usage.xResourcesKnown = CountResources(connection, usage.xResources);
  return usage;
}

std::string ProcessUsage::Describe() const {
  return "heap " + std::to_string(heapBytes) + " B, resident " + std::to_string(residentBytes) +
         " B, X resources " + (xResourcesKnown ? std::to_string(xResources) : "unknown");
}

}  // namespace tarvex::soak
