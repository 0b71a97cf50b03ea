#include "win32/platform/win32_window_system.h"

#include "win32/support/windows_api.h"

#include <exception>

#include "win32/support/handle_conversion.h"
#include "win32/support/utf8_text.h"

namespace tarvex::win32 {
namespace {

// The system leaves the buffer untouched for a handle that is no longer a window.
void ClearBuffer(char* buffer, int bufferSize) {
  if (buffer != nullptr && bufferSize > 0) buffer[0] = '\0';
}

thread_local std::uint64_t passesBegun = 0;

}  // namespace

std::uint64_t Win32WindowSystem::PassesBegun() { return passesBegun; }

// EnumWindows calls this from a system frame that no C++ exception may cross: a failure stops
// the enumeration here and is raised again once EnumWindows has returned.
BOOL CALLBACK Win32WindowSystem::EnumerateOne(HWND window, LPARAM param) {
  auto& enumeration = *reinterpret_cast<Enumeration*>(param);
  Visited& visited = enumeration.system.visited_;
  visited = Visited{FromHwnd(window), false, 0};
  bool goOn = false;
  try {
    goOn = enumeration.proc(FromHwnd(window), enumeration.param);
  } catch (...) {
    enumeration.failure = std::current_exception();
  }
  visited = Visited{};
  return goOn ? TRUE : FALSE;
}

void Win32WindowSystem::Enumerate(EnumWindowsProc proc, std::intptr_t param) {
  ++passesBegun;
  Enumeration enumeration{*this, proc, param, nullptr};
  ::EnumWindows(EnumerateOne, reinterpret_cast<LPARAM>(&enumeration));
  if (enumeration.failure) std::rethrow_exception(enumeration.failure);
}

const std::uint32_t* Win32WindowSystem::VisitedStyle(WinHandle window) {
  if (window == 0 || window != visited_.window) return nullptr;
  if (!visited_.styleRead) {
    visited_.style = static_cast<std::uint32_t>(::GetWindowLongPtrA(ToHwnd(window), GWL_STYLE));
    visited_.styleRead = true;
  }
  return &visited_.style;
}

int Win32WindowSystem::WindowText(WinHandle window, char* buffer, int bufferSize) {
  ClearBuffer(buffer, bufferSize);
  if (bufferSize <= 0) return 0;
  // For another process's window this reads the caption the system keeps, without sending
  // WM_GETTEXT, so a hung application cannot block it. Windows of this process get the message;
  // Tarvex's own all belong to the calling thread, which answers at once. Read wide: the ANSI
  // call turns every character outside the code page into a question mark, and browsers and
  // editors put Cyrillic, CJK and emoji in their titles all the time.
  wchar_t caption[kCaptionLimit + 1] = {};
  const int units = ::GetWindowTextW(ToHwnd(window), caption, kCaptionLimit + 1);
  if (units <= 0) return 0;
  return CopyUtf8(Utf8FromWide({caption, static_cast<std::size_t>(units)}), buffer, bufferSize);
}

bool Win32WindowSystem::IsVisible(WinHandle window) {
  // Enumerated windows are top-level: the desktop above them is always visible.
  if (const std::uint32_t* style = VisitedStyle(window)) return (*style & WS_VISIBLE) != 0;
  return ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

bool Win32WindowSystem::IsCloaked(WinHandle window) { return cloak_.IsCloaked(ToHwnd(window)); }

WinHandle Win32WindowSystem::Owner(WinHandle window) {
  return FromHwnd(::GetWindow(ToHwnd(window), GW_OWNER));
}

WinHandle Win32WindowSystem::LastActivePopup(WinHandle window) {
  return FromHwnd(::GetLastActivePopup(ToHwnd(window)));
}

bool Win32WindowSystem::Exists(WinHandle handle) { return ::IsWindow(ToHwnd(handle)) != FALSE; }

std::int32_t Win32WindowSystem::WindowLong(WinHandle window, int index) {
  if (index == GWL_STYLE) {
    if (const std::uint32_t* style = VisitedStyle(window)) return static_cast<std::int32_t>(*style);
  }
  // The pointer-sized reader: on 64-bit Windows the 32-bit one refuses the owner slot. Every
  // slot read here holds a 32-bit significant value, so keeping the low half loses nothing.
  const LONG_PTR value = ::GetWindowLongPtrA(ToHwnd(window), index);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uintptr_t>(value)));
}

int Win32WindowSystem::ClassName(WinHandle window, char* buffer, int bufferSize) {
  ClearBuffer(buffer, bufferSize);
  if (bufferSize <= 0) return 0;
  return ::GetClassNameA(ToHwnd(window), buffer, bufferSize);
}

std::uint32_t Win32WindowSystem::ThreadProcessId(WinHandle window, std::uint32_t* processId) {
  DWORD process = 0;
  const DWORD thread = ::GetWindowThreadProcessId(ToHwnd(window), &process);
  if (processId != nullptr) *processId = thread == 0 ? 0 : process;
  return thread;
}

void Win32WindowSystem::Show(WinHandle window, int showCommand) {
  const HWND target = ToHwnd(window);
  // ShowWindow on another thread's window sends it messages and waits for their answers: a hung
  // application would hang Tarvex with it. The asynchronous call only queues the request.
  if (::GetWindowThreadProcessId(target, nullptr) != ::GetCurrentThreadId()) {
    ::ShowWindowAsync(target, showCommand);
  } else {
    ::ShowWindow(target, showCommand);
  }
}

void Win32WindowSystem::BringToForeground(WinHandle window) {
  // Changes the foreground without waiting for the window's thread to answer.
  ::SetForegroundWindow(ToHwnd(window));
}

void Win32WindowSystem::PostClose(WinHandle window) {
  ::PostMessageA(ToHwnd(window), WM_CLOSE, 0, 0);
}

}  // namespace tarvex::win32
