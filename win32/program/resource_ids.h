// Ids of the program's resources, shared by tarvex.rc and the code (hence plain macros).
#pragma once

#define TARVEX_ICON_MAIN 1
#define TARVEX_BITMAP_ACTIONS 100
