// The window enumerator over the X11 window system and the /proc snapshot, as the Linux edition
// wires it; the toolkit services it does not use here come from the simulated desktop.
#pragma once

#include <string>
#include <vector>

#include "linux/x11/no_icon_source.h"
#include "linux/x11/proc_tool_help_library.h"
#include "linux/x11/x11_window_system.h"
#include "sim/simulated_desktop.h"
#include "winlist/find_win.h"

namespace tarvex::x11::testing {

struct Row {
  std::string caption;
  WinHandle window;
  std::uint32_t pid;
  std::string exeName;
  std::string className;
};

inline std::vector<Row> ListWindows(WindowSystem& windows) {
  ProcToolHelpLibrary processes;
  NoIconSource icons;
  sim::SimulatedDesktop services;
  TWinList list({windows, processes, icons, services, services, services});
  list.Refresh();
  std::vector<Row> rows;
  for (int i = 0; i < list.WindowList().Count(); ++i) {
    const TWinInfo& info = list.WindowList().Objects(i);
    rows.push_back({list.WindowList().Strings(i), list.WinHandle(i), list.ProcessID(i),
                    info.ExeName, info.WinClass});
  }
  return rows;
}

// The handles one Enumerate hands out, in its order.
inline std::vector<WinHandle> Enumerated(WindowSystem& windows) {
  std::vector<WinHandle> handles;
  windows.Enumerate(
      [](WinHandle window, std::intptr_t list) {
        reinterpret_cast<std::vector<WinHandle>*>(list)->push_back(window);
        return true;
      },
      reinterpret_cast<std::intptr_t>(&handles));
  return handles;
}

inline std::vector<std::string> Captions(const std::vector<Row>& rows) {
  std::vector<std::string> captions;
  for (const Row& row : rows) captions.push_back(row.caption);
  return captions;
}

}  // namespace tarvex::x11::testing
