// hung_window: an application whose window stops answering messages, for the hung application
// test.
//
//   hung_window.exe
//
// Opens a visible application window captioned "Tarvex hung window", prints its handle as 8
// hexadecimal digits and "ready", and answers its messages until it reads the line "hang" from
// its standard input. Then it prints "hanging" and answers nothing more until its input is
// closed, when it ends.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr UINT kHang = WM_APP + 1;
HANDLE inputClosed = nullptr;

DWORD WINAPI WatchInput(void* mainThread) {
  char buffer[64];
  DWORD read = 0;
  while (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof(buffer) - 1, &read, nullptr) &&
         read > 0) {
    buffer[read] = '\0';
    if (std::strstr(buffer, "hang") != nullptr) {
      ::PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(mainThread)), kHang,
                           0, 0);
    }
  }
  ::SetEvent(inputClosed);
  ::PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(mainThread)), WM_QUIT, 0,
                       0);
  return 0;
}

}  // namespace

int main() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = ::DefWindowProcA;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TarvexHungWindow";
  if (::RegisterClassExA(&windowClass) == 0) return 2;
  const HWND window =
      ::CreateWindowExA(0, windowClass.lpszClassName, "Tarvex hung window", WS_OVERLAPPEDWINDOW,
                        500, 300, 240, 90, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 2;
  ::ShowWindow(window, SW_SHOWNOACTIVATE);
  inputClosed = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);

  MSG message;
  ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  const HANDLE watcher = ::CreateThread(
      nullptr, 0, WatchInput,
      reinterpret_cast<void*>(static_cast<std::uintptr_t>(::GetCurrentThreadId())), 0, nullptr);
  if (watcher == nullptr || inputClosed == nullptr) return 2;
  ::CloseHandle(watcher);
  std::printf("%08x\nready\n", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window)));
  std::fflush(stdout);

  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.hwnd == nullptr && message.message == kHang) {
      std::printf("hanging\n");
      std::fflush(stdout);
      // Busy elsewhere, as a hung application is: nothing sent or posted to the window is handled.
      ::WaitForSingleObject(inputClosed, INFINITE);
      break;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  ::DestroyWindow(window);
  return 0;
}
