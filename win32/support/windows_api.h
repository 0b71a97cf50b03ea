// The system headers this edition uses, included in one place. Every call names its A or W
// function itself, so no build setting can switch one to the other: captions are read and shown
// wide, everything else is ANSI (settings/ansi_code_page.h says which text is in which).
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>
