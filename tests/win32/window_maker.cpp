// window_maker: opens real top-level windows for the tests of the Windows edition.
//
//   window_maker.exe WINDOW...
//
// Each WINDOW argument is FLAGS:CLASS:CAPTION. CAPTION is the rest of the argument (it may hold
// colons and be empty); an empty CLASS means the default class "TarvexTestWindow". FLAGS is any
// run of these letters:
//   h   hidden: the window is never shown
//   p   pop-up style (WS_POPUP with a caption) instead of an overlapped window with a sizing frame
//   m   WS_MINIMIZEBOX
//   s   WS_SYSMENU
//   d   WS_DISABLED
//   oN  owned by window N (0-based, an earlier argument)
//   a   activated after creation, so that it becomes its owner's last active pop-up
//
// It prints one line per window, in argument order, with the handle as 8 hexadecimal digits,
// then the line "ready", and runs its message loop until its standard input is closed.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kDefaultClass = "TarvexTestWindow";

struct WindowRequest {
  DWORD style = 0;
  bool hidden = false;
  bool activate = false;
  int owner = -1;
  std::string className;
  std::string caption;
};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "window_maker: %s\n", message.c_str());
  std::exit(2);
}

WindowRequest Parse(const std::string& argument, int index) {
  const auto classStart = argument.find(':');
  const auto captionStart =
      classStart == std::string::npos ? std::string::npos : argument.find(':', classStart + 1);
  if (captionStart == std::string::npos) Fail("expected FLAGS:CLASS:CAPTION in " + argument);

  WindowRequest request;
  request.className = argument.substr(classStart + 1, captionStart - classStart - 1);
  if (request.className.empty()) request.className = kDefaultClass;
  request.caption = argument.substr(captionStart + 1);

  bool popup = false;
  DWORD extra = 0;
  for (std::size_t i = 0; i < classStart; ++i) {
    switch (argument[i]) {
      case 'h':
        request.hidden = true;
        break;
      case 'p':
        popup = true;
        break;
      case 'm':
        extra |= WS_MINIMIZEBOX;
        break;
      case 's':
        extra |= WS_SYSMENU;
        break;
      case 'd':
        extra |= WS_DISABLED;
        break;
      case 'a':
        request.activate = true;
        break;
      case 'o': {
        std::size_t end = i + 1;
        while (end < classStart && argument[end] >= '0' && argument[end] <= '9') ++end;
        if (end == i + 1) Fail("o needs a window number in " + argument);
        request.owner = std::atoi(argument.substr(i + 1, end - i - 1).c_str());
        if (request.owner >= index) Fail("an owner must come earlier: " + argument);
        i = end - 1;
        break;
      }
      default:
        Fail("unknown flag in " + argument);
    }
  }
  request.style =
      (popup ? WS_POPUP | WS_CAPTION : WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME) | extra;
  return request;
}

void RegisterClassOnce(const std::string& name) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  if (::GetClassInfoExA(windowClass.hInstance, name.c_str(), &windowClass)) return;
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = ::DefWindowProcA;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = name.c_str();
  if (::RegisterClassExA(&windowClass) == 0) Fail("cannot register class " + name);
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
  std::vector<HWND> windows;
  for (int i = 1; i < argc; ++i) {
    const WindowRequest request = Parse(argv[i], i - 1);
    RegisterClassOnce(request.className);
    const HWND owner =
        request.owner >= 0 ? windows[static_cast<std::size_t>(request.owner)] : nullptr;
    const int offset = 20 * (i - 1);
    const HWND window = ::CreateWindowExA(0, request.className.c_str(), request.caption.c_str(),
                                          request.style, 300 + offset, 200 + offset, 240, 90, owner,
                                          nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) Fail("cannot create window for " + std::string(argv[i]));
    if (!request.hidden) ::ShowWindow(window, SW_SHOWNOACTIVATE);
    if (request.activate) {
      ::SetForegroundWindow(window);
      ::SetActiveWindow(window);
    }
    windows.push_back(window);
    std::printf("%08x\n", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window)));
  }
  std::printf("ready\n");
  std::fflush(stdout);

  // Make sure the thread's queue exists before the watcher may post to it.
  MSG message;
  ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  const HANDLE watcher = ::CreateThread(
      nullptr, 0, WatchInput,
      reinterpret_cast<void*>(static_cast<std::uintptr_t>(::GetCurrentThreadId())), 0, nullptr);
  if (watcher == nullptr) Fail("cannot watch standard input");
  ::CloseHandle(watcher);

  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
