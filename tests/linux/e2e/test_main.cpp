// GoogleTest inside the Qt application the program needs, with settings in a folder of the run's
// own, never the user's. Exits 77 (skipped) when a client or tool the tests use is missing.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <cstdio>
#include <string>

#include "program_on_desktop.h"

int main(int argc, char** argv) {
  for (const char* tool : {"xterm", "xeyes", "xclock", "xprop", "xdotool", "wmctrl"}) {
    if (std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) != 0) {
      std::fprintf(stderr, "%s is missing\n", tool);
      return 77;
    }
  }
  ::unsetenv("windir");
  ::setenv("XDG_CONFIG_HOME", tarvex::e2e::ScratchFolder().c_str(), 1);
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  tarvex::e2e::RemoveScratchFolder();
  return result;
}
