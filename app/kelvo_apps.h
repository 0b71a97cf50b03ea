// Values shared by the maker's utilities: the program's title as the main window sets it.
#pragma once

#include <string>

namespace tarvex {

// The main window's caption as it stands when the window is created.
extern std::string AppTitle;

}  // namespace tarvex
