// The system headers this edition uses, included in one place. Every call names the A function
// itself, so no build setting can switch it to the wide-character one.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>
