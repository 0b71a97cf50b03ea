// bare_window: the least a window program does, as the yardstick of Tarvex's start: register a
// class, create and show one top-level window, run the message loop until it is closed.
//
// Built a second time as bare_controls_window (TARVEX_BENCH_COMMON_CONTROLS): the same window in
// a program that also loads what every common-controls program loads before its first window,
// version 6 of the common controls through Tarvex's own manifest, and nothing else. The
// difference between the two is the price of the common controls alone.
#include <windows.h>

#ifdef TARVEX_BENCH_COMMON_CONTROLS
#include <commctrl.h>
#endif

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
#ifdef TARVEX_BENCH_COMMON_CONTROLS
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
#endif
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "TarvexBenchBareWindow";
  if (::RegisterClassExA(&windowClass) == 0) return 1;
  const HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, "Bare window",
                                        WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 321, 246,
                                        nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
