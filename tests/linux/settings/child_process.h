// Runs a piece of a test in a child process, for what must not touch the test process itself:
// a lowered file size limit, or the superuser's rights given up.
#pragma once

#include <functional>
#include <optional>

namespace tarvex::posix {

enum class Rights {
  kSame,
  // The superuser's child becomes "nobody", so that file permissions apply to it as they do to
  // everyone else; an ordinary user's child keeps its rights.
  kUnprivileged,
};

// The body's result; nothing when the child could not run it to the end.
std::optional<bool> InChild(const std::function<bool()>& body, Rights rights = Rights::kSame);

}  // namespace tarvex::posix
