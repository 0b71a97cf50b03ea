// Values shared by the maker's utilities: the program's title and its settings file.
#pragma once

#include <string>

namespace tarvex {

// The main window's caption as it stands when the window is created.
extern std::string AppTitle;
// The settings file's full path, fixed when the program starts.
extern std::string AppIniFileName;

}  // namespace tarvex
