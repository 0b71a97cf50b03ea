// window_churner: creates and destroys top-level windows as fast as it can, for the churn test.
//
//   window_churner.exe
//
// Keeps a few application windows captioned "Tarvex churn window N" alive at any time, each
// destroyed soon after it appeared and replaced by a new one. Prints "ready" once the first are
// up and churns until its standard input is closed.
#include <windows.h>

#include <cstdio>
#include <deque>
#include <string>

namespace {

constexpr int kAlive = 6;
volatile LONG inputClosed = 0;

DWORD WINAPI WatchInput(void*) {
  char buffer[64];
  DWORD read = 0;
  while (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof(buffer), &read, nullptr) &&
         read > 0) {
  }
  ::InterlockedExchange(&inputClosed, 1);
  return 0;
}

HWND NewWindow(const char* windowClass, unsigned number) {
  const std::string caption = "Tarvex churn window " + std::to_string(number);
  const HWND window = ::CreateWindowExA(0, windowClass, caption.c_str(), WS_OVERLAPPEDWINDOW,
                                        40 + static_cast<int>(number % 20) * 10, 40, 160, 60,
                                        nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  if (window != nullptr) ::ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

}  // namespace

int main() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = ::DefWindowProcA;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TarvexChurnWindow";
  if (::RegisterClassExA(&windowClass) == 0) return 2;

  std::deque<HWND> alive;
  unsigned created = 0;
  while (alive.size() < kAlive) alive.push_back(NewWindow(windowClass.lpszClassName, created++));
  std::printf("ready\n");
  std::fflush(stdout);
  const HANDLE watcher = ::CreateThread(nullptr, 0, WatchInput, nullptr, 0, nullptr);
  if (watcher == nullptr) return 2;
  ::CloseHandle(watcher);

  while (inputClosed == 0) {
    ::DestroyWindow(alive.front());
    alive.pop_front();
    alive.push_back(NewWindow(windowClass.lpszClassName, created++));
    // Answers what the windows are sent (Tarvex's show and close requests among them).
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
  }
  for (const HWND window : alive) ::DestroyWindow(window);
  return 0;
}
