// The notification area's record, the tray window with its menu, the application window that
// carries the taskbar button, minimizing to the tray and back, and the global hot key, on real
// windows.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/kelvo_apps.h"
#include "modal_script.h"
#include "settings/options.h"
#include "tray/hot_key.h"
#include "win32/support/handle_conversion.h"
#include "win32/program/main_window.h"
#include "win32/tray/win32_hot_keys.h"
#include "win32/tray/win32_tray_shell.h"

namespace tarvex::win32::testing {
namespace {

struct ShellCallRecord {
  DWORD operation;
  NOTIFYICONDATAA data;
};

// Stands in for the shell: records every call and answers with `succeed`.
struct RecordingShell {
  Win32TrayShell::ShellCall Call() {
    return [this](DWORD operation, NOTIFYICONDATAA& data) {
      calls.push_back({operation, data});
      return succeed;
    };
  }
  std::vector<DWORD> Operations() const {
    std::vector<DWORD> operations;
    for (const auto& call : calls) operations.push_back(call.operation);
    return operations;
  }
  std::vector<ShellCallRecord> calls;
  bool succeed = true;
};

void PumpMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;  // a destroyed main window's; no loop to end here
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// Plays the user's part in the next popup menu of this thread: each step runs at a timer tick
// while the menu is open, after the keys the step before posted to it have been handled.
class WhenMenuUp {
 public:
  explicit WhenMenuUp(std::vector<std::function<void(HWND menu)>> steps)
      : steps_(std::move(steps)) {
    self_ = this;
    timer_ = ::SetTimer(nullptr, 0, 50, Tick);
  }
  ~WhenMenuUp() {
    ::KillTimer(nullptr, timer_);
    self_ = nullptr;
  }
  WhenMenuUp(const WhenMenuUp&) = delete;
  WhenMenuUp& operator=(const WhenMenuUp&) = delete;

  std::size_t StepsDone() const { return done_; }

  static void Press(HWND menu, WPARAM key) { ::PostMessageA(menu, WM_KEYDOWN, key, 0); }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (self_ == nullptr || self_->done_ == self_->steps_.size()) return;
    HWND menu = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindMenu, reinterpret_cast<LPARAM>(&menu));
    if (menu == nullptr) return;
    self_->steps_[self_->done_++](menu);
  }

  // The open menu of this thread, not another program's.
  static BOOL CALLBACK FindMenu(HWND window, LPARAM found) {
    char windowClass[16] = {};
    ::GetClassNameA(window, windowClass, sizeof(windowClass));
    if (std::string(windowClass) != "#32768" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }

  inline static WhenMenuUp* self_ = nullptr;
  std::vector<std::function<void(HWND)>> steps_;
  UINT_PTR timer_ = 0;
  std::size_t done_ = 0;
};

TEST(NotifyIconRecordTest, IsTheFirstFormOfTheRecordForTheTrayWindow) {
  RecordingShell shell;
  Win32TrayShell tray(shell.Call());
  NotifyIconRecord record;
  record.icon = 0x1234;
  record.tip = std::string(70, 'x');
  record.tip[5] = '\r';
  EXPECT_TRUE(tray.NotifyIcon(NotifyIconOperation::kAdd, record));
  shell.succeed = false;
  EXPECT_FALSE(tray.NotifyIcon(NotifyIconOperation::kModify, record));
  record.icon = kNoIcon;
  tray.NotifyIcon(NotifyIconOperation::kDelete, record);
  EXPECT_EQ(shell.Operations(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_DELETE}));

  const NOTIFYICONDATAA& added = shell.calls[0].data;
  // 88 bytes in the 32-bit build; the 64-bit one has wider handles.
  EXPECT_EQ(added.cbSize, sizeof(void*) == 4 ? 88u : 104u);
  EXPECT_EQ(added.hWnd, tray.TrayWindow());
  EXPECT_EQ(added.uID, 0u);
  EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(added.uCallbackMessage, 0xB054u);
  EXPECT_EQ(added.hIcon, reinterpret_cast<HICON>(0x1234));
  EXPECT_EQ(std::string(added.szTip), record.tip.substr(0, 63));
  EXPECT_EQ(shell.calls[2].data.hIcon, reinterpret_cast<HICON>(static_cast<INT_PTR>(-1)));

  // The tray window is hidden and has no taskbar button.
  EXPECT_FALSE(::IsWindowVisible(tray.TrayWindow()));
  EXPECT_EQ(::GetParent(tray.TrayWindow()), nullptr);
}

TEST(NotifyIconRecordTest, TheProgramIconIsThe32PixelImage) {
  RecordingShell shell;
  Win32TrayShell tray(shell.Call());
  const IconHandle icon = tray.ProgramIcon();
  ASSERT_NE(icon, 0u);
  EXPECT_EQ(tray.ProgramIcon(), icon) << "loaded once";
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(ToHicon(icon), &info));
  BITMAP mask{};
  ::GetObjectA(info.hbmMask, sizeof(mask), &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
}

class PresenceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
  }
  void SetUp() override {
    window_.emplace(shell_.Call());
    window_->Create();
    window_->ShowFirst(SW_SHOWNOACTIVATE);
    PumpMessages();
  }
  void TearDown() override {
    window_.reset();
    // The destroyed main window asked the thread to quit; the tests after this one go on.
    MSG quit;
    while (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    ::DeleteFileA(AppIniFileName.c_str());
  }

  HWND Main() { return window_->Handle(); }
  HWND Application() { return window_->Application().Handle(); }
  HWND Tray() { return window_->TrayShell().TrayWindow(); }
  // Wine carries a window's new state over the X server, so under load it may arrive a little
  // after the messages of the change have been handled: the conditions are polled for a while.
  template <typename Condition>
  static bool Eventually(Condition condition) {
    for (int tries = 0; tries < 300; ++tries) {
      PumpMessages();
      if (condition()) return true;
      ::Sleep(10);
    }
    return condition();
  }
  bool MainShownSoon() {
    return Eventually([this] { return MainShown() && !::IsIconic(Application()); });
  }
  // As the title bar's button asks it.
  void Minimize(bool toTray) {
    MinimizeToTray = toTray;
    ::SendMessageA(Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Eventually([this] { return ::IsIconic(Application()) != FALSE; });
    // The window manager's answer to the minimize comes back through the X server; handled after
    // a restore the test makes next, it would minimize the window again.
    const DWORD until = ::GetTickCount() + 300;
    while (static_cast<int>(until - ::GetTickCount()) > 0) {
      PumpMessages();
      ::Sleep(10);
    }
  }
  void TrayNotification(LPARAM mouse) {
    ::SendMessageA(Tray(), kTrayCallbackMessage, 0, mouse);
    PumpMessages();
  }
  bool IconShown() const {
    bool shown = false;
    for (const auto& call : shell_.calls) {
      if (call.operation == NIM_ADD) shown = true;
      if (call.operation == NIM_DELETE) shown = false;
    }
    return shown;
  }
  bool MainShown() { return ::IsWindowVisible(Main()) && !::IsIconic(Main()); }
  bool ButtonShown() { return ::IsWindowVisible(Application()) != FALSE; }

  RecordingShell shell_;
  std::optional<MainWindow> window_;
};

TEST_F(PresenceTest, TheApplicationWindowCarriesTheTaskbarButtonAndOwnsTheMainWindow) {
  EXPECT_EQ(::GetWindow(Main(), GW_OWNER), Application());
  EXPECT_TRUE(ButtonShown());
  char title[64] = {};
  ::GetWindowTextA(Application(), title, sizeof(title));
  EXPECT_STREQ(title, "Tarvex 1.0");
  RECT frame{};
  ::GetWindowRect(Application(), &frame);
  EXPECT_EQ(frame.right - frame.left, 0);
  EXPECT_EQ(frame.bottom - frame.top, 0);
  EXPECT_FALSE(IconShown());

  // Closing the taskbar entry closes the program through its main window.
  ::SendMessageA(Application(), WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_EQ(Main(), nullptr);
}

TEST_F(PresenceTest, MinimizingToTheTrayAndRestoringFromItsMenuKeepsTheIcon) {
  Minimize(true);
  EXPECT_FALSE(::IsWindowVisible(Main()));
  EXPECT_TRUE(::IsIconic(Application()));
  EXPECT_FALSE(ButtonShown());
  ASSERT_TRUE(IconShown());
  EXPECT_EQ(shell_.calls.back().data.hWnd, Tray());

  // A second minimize changes nothing.
  const std::size_t calls = shell_.calls.size();
  Minimize(true);
  EXPECT_EQ(shell_.calls.size(), calls);

  // Right click on the icon: the menu, the hint of the item under the mouse, then Restore.
  std::string aboutHint;
  const WhenMenuUp user({
      [](HWND menu) {
        WhenMenuUp::Press(menu, VK_DOWN);
        WhenMenuUp::Press(menu, VK_DOWN);
      },
      [&](HWND menu) {
        aboutHint = window_->Status().PanelText(1);
        WhenMenuUp::Press(menu, VK_UP);
        WhenMenuUp::Press(menu, VK_RETURN);
      },
  });
  TrayNotification(WM_RBUTTONDOWN);
  TrayNotification(WM_RBUTTONUP);
  EXPECT_EQ(user.StepsDone(), 2u);
  EXPECT_EQ(aboutHint, "About this application");
  EXPECT_TRUE(MainShownSoon());
  EXPECT_TRUE(ButtonShown());
  EXPECT_TRUE(Eventually([this] { return !::IsIconic(Application()); }));
  EXPECT_TRUE(IconShown()) << "a restore from the tray keeps the icon";

  // Shown with the icon: minimizing without the tray option leaves the button, minimized.
  Minimize(false);
  EXPECT_FALSE(::IsWindowVisible(Main()));
  EXPECT_TRUE(ButtonShown());
  EXPECT_TRUE(::IsIconic(Application()));
  // A double click on the icon restores.
  TrayNotification(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(MainShownSoon());
  EXPECT_TRUE(IconShown());

  // Explorer restarted: its broadcast gets the icon added again.
  shell_.calls.clear();
  ::SendMessageA(Tray(), ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(IconShown());
}

TEST_F(PresenceTest, ARestoreFromTheTaskbarShowsTheMainWindowAndTakesTheIconAway) {
  Minimize(false);
  EXPECT_FALSE(IconShown());
  EXPECT_TRUE(ButtonShown());
  ::SendMessageA(Application(), WM_SYSCOMMAND, SC_RESTORE, 0);
  PumpMessages();
  EXPECT_TRUE(MainShownSoon());
  EXPECT_TRUE(Eventually([this] { return !::IsIconic(Application()); }));
  EXPECT_FALSE(IconShown());

  // Through the tray and back with the option on, then a restore from the taskbar: no icon.
  Minimize(true);
  TrayNotification(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(IconShown());
  Minimize(false);
  MinimizeToTray = true;
  ::SendMessageA(Application(), WM_SYSCOMMAND, SC_RESTORE, 0);
  PumpMessages();
  EXPECT_TRUE(MainShownSoon());
  EXPECT_FALSE(IconShown());

  // A restore of a program that is not minimized does nothing.
  const std::size_t calls = shell_.calls.size();
  ::SendMessageA(Application(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(shell_.calls.size(), calls);
}

// A box open over the window leaves the screen with it and comes back with it, to the tray and
// to the taskbar: left behind, it would stand alone for a program that is gone.
TEST_F(PresenceTest, ABoxOpenOverTheWindowLeavesWithItAndComesBackWithIt) {
  bool goneToTray = false, backFromTray = false, goneToTaskbar = false, backFromTaskbar = false;
  const WhenWindowUp user("About", [&](HWND box) {
    Minimize(true);
    goneToTray = !::IsWindowVisible(box);
    TrayNotification(WM_LBUTTONDBLCLK);
    backFromTray = MainShownSoon() && ::IsWindowVisible(box);
    Minimize(false);
    goneToTaskbar = !::IsWindowVisible(box);
    ::SendMessageA(Application(), WM_SYSCOMMAND, SC_RESTORE, 0);
    backFromTaskbar = MainShownSoon() && ::IsWindowVisible(box);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  window_->Form().ExecuteAction(ActionId::ActAbout);
  ASSERT_TRUE(user.Acted());
  EXPECT_TRUE(goneToTray);
  EXPECT_TRUE(backFromTray);
  EXPECT_TRUE(goneToTaskbar);
  EXPECT_TRUE(backFromTaskbar);
}

TEST_F(PresenceTest, TheTrayMenuClosedWithoutAChoiceDoesNothing) {
  Minimize(true);
  const WhenMenuUp user({[](HWND menu) { WhenMenuUp::Press(menu, VK_UP); },
                         [](HWND menu) { WhenMenuUp::Press(menu, VK_ESCAPE); }});
  TrayNotification(WM_RBUTTONDOWN);
  TrayNotification(WM_RBUTTONUP);
  EXPECT_EQ(user.StepsDone(), 2u);
  EXPECT_FALSE(::IsWindowVisible(Main()));
  EXPECT_TRUE(IconShown());
  EXPECT_EQ(window_->Status().PanelText(1), "") << "Exit's hint goes with the menu";
}

// Of the icon's notifications only the left button's double click restores: moves, single clicks,
// the other buttons' double clicks and notifications the icon has no use for leave it in the tray.
TEST_F(PresenceTest, OnlyTheLeftDoubleClickOnTheIconRestores) {
  Minimize(true);
  for (const LPARAM mouse : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDBLCLK,
                             WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, 0x2FF}) {
    TrayNotification(mouse);
  }
  EXPECT_FALSE(::IsWindowVisible(Main()));
  TrayNotification(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(MainShownSoon());
}

TEST_F(PresenceTest, TheProgramsHotKeyIsRegisteredOnTheMainWindowAndRestores) {
  Win32HotKeys hotKeys(Main());
  constexpr UINT kF24 = VK_F24;
  hotKeys.Register(kAppHotKeyId, 24);
  // Held by the program: nobody else gets the key until it lets go.
  EXPECT_FALSE(::RegisterHotKey(nullptr, 0x7000, 0, kF24));
  hotKeys.Unregister(kAppHotKeyId);
  ASSERT_TRUE(::RegisterHotKey(nullptr, 0x7000, 0, kF24));
  ::UnregisterHotKey(nullptr, 0x7000);
  hotKeys.Register(kAppHotKeyId, 24);

  Minimize(false);
  ::PostMessageA(Main(), WM_HOTKEY, 7, MAKELPARAM(0, kF24));
  PumpMessages();
  EXPECT_FALSE(::IsWindowVisible(Main())) << "another id is not the program's key";
  ::PostMessageA(Main(), WM_HOTKEY, kAppHotKeyId, MAKELPARAM(0, kF24));
  PumpMessages();
  EXPECT_TRUE(MainShownSoon());
  EXPECT_TRUE(ButtonShown());
  hotKeys.Unregister(kAppHotKeyId);
}

}  // namespace
}  // namespace tarvex::win32::testing
