#include "linux/qt/toolkit_arguments.h"

#include <string_view>

namespace tarvex::qt {
namespace {

// Qt reads each of its options with one dash or two.
bool IsOption(std::string_view argument, std::string_view name) {
  if (argument.starts_with("--")) argument.remove_prefix(1);
  return argument.size() == name.size() + 1 && argument.front() == '-' &&
         argument.substr(1) == name;
}

}  // namespace

ToolkitArguments::ToolkitArguments(int argc, char** argv) {
  kept_.emplace_back(argc > 0 && argv[0] != nullptr ? argv[0] : "tarvex");
  std::optional<std::string> session;
  // As Qt reads them: an option takes the next argument as its value, and the last one counts.
  for (int i = 1; i + 1 < argc; ++i) {
    if (IsOption(argv[i], "display")) {
      display_ = argv[++i];
    } else if (IsOption(argv[i], "session")) {
      session = argv[++i];
    }
  }
  if (session) kept_.insert(kept_.end(), {"-session", *session});
  for (std::string& argument : kept_) pointers_.push_back(argument.data());
  count_ = static_cast<int>(kept_.size());
  pointers_.push_back(nullptr);
}

}  // namespace tarvex::qt
