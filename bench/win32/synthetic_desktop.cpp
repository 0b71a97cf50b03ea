// synthetic_desktop: a desktop of our own for the benchmarks.
//
//   synthetic_desktop.exe N [taskbar|realistic]
//
// Opens N real top-level windows with distinct captions, in a fixed mix.
// taskbar (the default): most are application windows, every fifth is owned by the window before
// it, every seventh stays hidden, every ninth is a pop-up (every other one of them with the
// minimize box and system menu a task bar wants).
// realistic: nine in ten stay hidden, as on a real Windows desktop, where most top-level windows
// are the hidden helpers of running programs (IME windows, tray and message windows, tool
// windows): half of them captioned tool windows, half captionless pop-ups. Every tenth window is
// shaped as in the taskbar mix.
// Prints "ready" and runs its message loop until its standard input is closed.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kClass = "TarvexBenchWindow";

struct Shape {
  DWORD style;
  bool hidden;
  bool owned;
  DWORD exStyle = 0;
  bool captioned = true;
};

Shape TaskbarShapeOf(int index) {
  const bool owned = index % 5 == 4;
  const bool hidden = index % 7 == 6;
  if (index % 9 == 8) {
    const bool appPopup = (index / 9) % 2 == 0;
    const DWORD extra = appPopup ? WS_MINIMIZEBOX | WS_SYSMENU : 0;
    return {WS_POPUP | WS_CAPTION | extra, hidden, owned};
  }
  return {WS_OVERLAPPEDWINDOW, hidden, owned};
}

Shape RealisticShapeOf(int index) {
  if (index % 10 == 9) return TaskbarShapeOf(index / 10);
  if (index % 2 == 0) return {WS_POPUP, true, false, WS_EX_TOOLWINDOW, true};
  return {WS_POPUP, true, false, 0, false};
}

// Closing standard input is the signal to end.
DWORD WINAPI WatchInput(void* mainThread) {
  char buffer[64];
  DWORD read = 0;
  while (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof(buffer), &read, nullptr) &&
         read > 0) {
  }
  ::PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(mainThread)), WM_QUIT, 0,
                       0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc >= 2 ? std::atoi(argv[1]) : -1;
  const std::string mix = argc >= 3 ? argv[2] : "taskbar";
  if (count < 0 || argc > 3 || (mix != "taskbar" && mix != "realistic")) {
    std::fprintf(stderr, "usage: synthetic_desktop N [taskbar|realistic]\n");
    return 2;
  }
  const auto shapeOf = mix == "realistic" ? RealisticShapeOf : TaskbarShapeOf;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = ::DefWindowProcA;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClass;
  if (::RegisterClassExA(&windowClass) == 0) return 2;

  std::vector<HWND> windows;
  for (int i = 0; i < count; ++i) {
    const Shape shape = shapeOf(i);
    char caption[64] = {};
    if (shape.captioned) std::snprintf(caption, sizeof(caption), "Synthetic window %04d", i);
    const HWND owner = shape.owned && !windows.empty() ? windows.back() : nullptr;
    const HWND window = ::CreateWindowExA(shape.exStyle, kClass, caption, shape.style,
                                          40 + (i % 40) * 20, 40 + (i % 30) * 20, 200, 80, owner,
                                          nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
      std::fprintf(stderr, "synthetic_desktop: cannot create window %d\n", i);
      return 2;
    }
    if (!shape.hidden) ::ShowWindow(window, SW_SHOWNOACTIVATE);
    windows.push_back(window);
  }
  std::printf("ready\n");
  std::fflush(stdout);

  MSG message;
  ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  const HANDLE watcher = ::CreateThread(
      nullptr, 0, WatchInput,
      reinterpret_cast<void*>(static_cast<std::uintptr_t>(::GetCurrentThreadId())), 0, nullptr);
  if (watcher == nullptr) return 2;
  ::CloseHandle(watcher);
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
