// What the window enumerator and the commands need from the desktop's window manager.
// Each edition implements it (Win32 calls, X11 requests); the tests use a simulated desktop.
// Method names avoid the Win32 API's own names, which <windows.h> turns into macros.
#pragma once

#include <cstdint>

namespace tarvex {

// Window handles travel as 32-bit values; a 64-bit Windows build widens them again with sign
// extension, which is lossless because window handles are 32-bit values on every Windows.
using WinHandle = std::uint32_t;

// Indices of the window-long slots the enumerator reads.
inline constexpr int GWL_STYLE_INDEX = -16;
inline constexpr int GWL_EXSTYLE_INDEX = -20;
inline constexpr int GWL_HWNDPARENT_INDEX = -8;

// Style bits the task-bar filter looks at.
inline constexpr std::uint32_t kStylePopup = 0x80000000u;
inline constexpr std::uint32_t kStyleDisabled = 0x08000000u;
inline constexpr std::uint32_t kStyleSysMenu = 0x00080000u;
inline constexpr std::uint32_t kStyleMinimizeBox = 0x00020000u;

// Show commands the restore and minimize commands send.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;

// Who made a window: its creating thread and its process. A window keeps both for its life, so a
// handle that answers with another creator now names another window.
struct WindowCreator {
  std::uint32_t thread = 0;
  std::uint32_t process = 0;
  bool operator==(const WindowCreator&) const = default;
};

// Captions are cut to this many characters as the platform counts them (UTF-16 units on
// Windows, bytes on X11). The core holds them in UTF-8, where each such character takes at most
// three bytes, so a buffer of kCaptionBufferBytes holds any caption with its terminating zero.
inline constexpr int kCaptionLimit = 254;
inline constexpr int kCaptionBufferBytes = kCaptionLimit * 3 + 1;

// Called once per top-level window; the enumeration goes on while it returns true.
using EnumWindowsProc = bool (*)(WinHandle window, std::intptr_t param);

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Calls `proc` for every top-level window, front to back, before it returns.
  virtual void Enumerate(EnumWindowsProc proc, std::intptr_t param) = 0;
  // Copies the caption in UTF-8, cut to kCaptionLimit characters and to bufferSize - 1 bytes
  // without splitting a character, and a terminating zero into `buffer`; returns its length in
  // bytes. Empty for a window without caption or one that is gone.
  virtual int WindowText(WinHandle window, char* buffer, int bufferSize) = 0;
  virtual bool IsVisible(WinHandle window) = 0;
  // Shown by the old tests but kept off the screen by the desktop's compositor: a suspended
  // store app's frame, the text input host, a window on another virtual desktop. False where
  // the platform has no such state or cannot tell.
  virtual bool IsCloaked(WinHandle window) = 0;
  // The owner (GW_OWNER), 0 for none.
  virtual WinHandle Owner(WinHandle window) = 0;
  // The owned pop-up that was active last, or the window itself.
  virtual WinHandle LastActivePopup(WinHandle window) = 0;
  virtual bool Exists(WinHandle handle) = 0;
  // GWL_STYLE_INDEX, GWL_EXSTYLE_INDEX or GWL_HWNDPARENT_INDEX; 0 for a window that is gone.
  virtual std::int32_t WindowLong(WinHandle window, int index) = 0;
  // Same buffer contract as WindowText.
  virtual int ClassName(WinHandle window, char* buffer, int bufferSize) = 0;
  // Returns the creating thread's id and stores the owning process id; both 0 when gone.
  virtual std::uint32_t ThreadProcessId(WinHandle window, std::uint32_t* processId) = 0;
  // Whether ThreadProcessId answers for a window of the current pass from what the enumeration
  // already learned, without another request to the window system.
  virtual bool CreatorsComeWithThePass() const = 0;
  // The enumerator is done with the pass that Enumerate began: every later question is about the
  // desktop as it is when asked.
  virtual void PassOver() = 0;

  // Requests to other applications' windows. None of them waits for the window.
  virtual void Show(WinHandle window, int showCommand) = 0;
  virtual void BringToForeground(WinHandle window) = 0;
  virtual void PostClose(WinHandle window) = 0;
};

}  // namespace tarvex
