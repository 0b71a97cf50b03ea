// The actions' pictures, drawn as character grids in the Windows edition's picture source, in
// the order of the actions' image indices. The source's "icon" is the program's icon, which
// comes with the tray's part as a finished icon file.
#pragma once

#include <QImage>
#include <string_view>
#include <vector>

namespace tarvex::qt {

inline constexpr int kPictureSize = 16;

// Reads the grid text: "colour <char> <rrggbb|none>" lines, "picture <name>" lines each
// followed by sixteen rows of sixteen characters; "#" starts a comment line. A malformed text,
// or one without exactly one picture per action, fails with the line it stumbled on.
std::vector<QImage> ParseActionPictures(std::string_view text);

// The pictures built into the program.
const std::vector<QImage>& ActionPictures();

}  // namespace tarvex::qt
