// Tarvex takes no command line; Qt would take its own options from it. Of those only what a
// desktop session hands to a program is kept: the display to open (-display), and the id with
// which a session manager starts a program again (-session), so that the restarted program is
// known as the one it saved. Every other argument is ignored, Qt's options among them (-style,
// -stylesheet, -reverse, -qwindowgeometry, -platform, ...), as the Windows edition ignores its
// command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvex::qt {

class ToolkitArguments {
 public:
  ToolkitArguments(int argc, char** argv);
  ToolkitArguments(const ToolkitArguments&) = delete;
  ToolkitArguments& operator=(const ToolkitArguments&) = delete;

  // The display named on the command line; the program and Qt then both open it.
  const std::optional<std::string>& Display() const { return display_; }
  // What Qt gets: the program's name and the session id, and a null after the last. Both live
  // as long as this, which must outlive the application object.
  int& Count() { return count_; }
  char** Values() { return pointers_.data(); }

 private:
  std::optional<std::string> display_;
  std::vector<std::string> kept_;
  std::vector<char*> pointers_;
  int count_ = 0;
};

}  // namespace tarvex::qt
