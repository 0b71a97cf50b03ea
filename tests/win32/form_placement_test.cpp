// The main window's bounds and column widths as the core reads and sets them, and the settings
// file at the first show and at closing.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/kelvo_apps.h"
#include "modal_script.h"
#include "win32/main_window.h"

namespace tarvex::win32::testing {
namespace {

Bounds FrameOf(HWND window) {
  RECT frame{};
  ::GetWindowRect(window, &frame);
  return {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
}

void StoreSettings(const std::string& text) {
  std::ofstream(AppIniFileName, std::ios::binary | std::ios::trunc) << text;
}

std::string StoredSettings() {
  std::ifstream in(AppIniFileName, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FormPlacementTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
  }
  void TearDown() override { ::DeleteFileA(AppIniFileName.c_str()); }
  void Start(const std::string& settings) {
    StoreSettings(settings);
    window_.Create();
    window_.ShowFirst(SW_SHOWNOACTIVATE);
  }
  // Closing as the close box does; true when the window went.
  bool CloseWindow() {
    ::SendMessageA(window_.Handle(), WM_CLOSE, 0, 0);
    return window_.Handle() == nullptr;
  }

  MainWindow window_;
};

TEST_F(FormPlacementTest, BoundsReadBackAsSetWhetherNormalMaximizedOrMinimized) {
  Start("");
  Win32FormHost host(window_.Handle(), nullptr);
  host.SetFormBounds({50, 60, 400, 300});
  EXPECT_EQ(host.FormBounds(), (Bounds{50, 60, 400, 300}));
  host.SetFormBounds({50, 60, 100, 50});
  EXPECT_EQ(host.FormBounds(), (Bounds{50, 60, 321, 125})) << "the minimum size";

  ::ShowWindow(window_.Handle(), SW_MAXIMIZE);
  EXPECT_EQ(host.FormBounds(), FrameOf(window_.Handle())) << "maximized: as it stands";

  ::ShowWindow(window_.Handle(), SW_RESTORE);
  host.SetFormBounds({70, 80, 450, 320});
  ::ShowWindow(window_.Handle(), SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(::IsIconic(window_.Handle()));
  EXPECT_EQ(host.FormBounds(), (Bounds{70, 80, 450, 320}));
  host.SetFormBounds({90, 100, 500, 340});
  EXPECT_TRUE(::IsIconic(window_.Handle()));
  EXPECT_EQ(host.FormBounds(), (Bounds{90, 100, 500, 340}));

  // Hidden in the notification area: minimized and invisible, and it stays so.
  ::ShowWindow(window_.Handle(), SW_HIDE);
  EXPECT_EQ(host.FormBounds(), (Bounds{90, 100, 500, 340}));
  host.SetFormBounds({110, 120, 520, 360});
  EXPECT_FALSE(::IsWindowVisible(window_.Handle()));
  ::ShowWindow(window_.Handle(), SW_RESTORE);
  EXPECT_EQ(FrameOf(window_.Handle()), (Bounds{110, 120, 520, 360}));
}

TEST_F(FormPlacementTest, FirstShowAppliesTheStoredWindowAndColumnsUnscaled) {
  Start(
      "[tarvex window]\r\nLeft=30\r\nTop=40\r\nWidth=500\r\nHeight=400\r\n"
      "Column1=210\r\nColumn2=90\r\n");
  EXPECT_EQ(FrameOf(window_.Handle()), (Bounds{30, 40, 500, 400}));
  EXPECT_EQ(window_.List().ColumnWidth(0), 210);
  EXPECT_EQ(window_.List().ColumnWidth(1), 90);
  EXPECT_TRUE(::IsWindowVisible(window_.Handle()));
}

TEST_F(FormPlacementTest, ClosingWritesTheWindowAndAFileThatCannotBeWrittenAsksBeforeClosing) {
  Start("[Kelvo Clock]\r\nAlarm=7:00\r\n");
  Win32FormHost(window_.Handle(), nullptr).SetFormBounds({12, 34, 456, 321});
  window_.List().SetColumnWidth(0, 150);

  // Wine lets the superuser write a read-only file; a folder that is not there stops anyone.
  const std::string settingsFile = AppIniFileName;
  AppIniFileName = settingsFile.substr(0, settingsFile.rfind('\\')) + "\\missing\\KelvoApps.ini";
  std::string shown;
  std::string asked;
  {
    const WhenWindowUp box("Error", [&](HWND found) {
      shown = TextOf(::GetDlgItem(found, 0xFFFF));
      ::PostMessageA(found, WM_COMMAND, IDOK, 0);
    });
    // "No" to closing without saving: the window stays open.
    const WhenWindowUp question(AppTitle, [&](HWND found) {
      asked = TextOf(::GetDlgItem(found, 0xFFFF));
      ::PostMessageA(found, WM_COMMAND, IDNO, 0);
    });
    EXPECT_FALSE(CloseWindow());
  }
  EXPECT_NE(asked.find("Close without saving?"), std::string::npos) << asked;
  EXPECT_EQ(shown, "Unable to write to " + AppIniFileName);
  AppIniFileName = settingsFile;
  EXPECT_EQ(StoredSettings(), "[Kelvo Clock]\r\nAlarm=7:00\r\n");

  EXPECT_TRUE(CloseWindow());
  const std::string expected[] = {"Left=12",     "Top=34",     "Width=456",        "Height=321",
                                  "Column1=150", "Column2=67", "MinimizeToTray=1", "HotKeyCode=0"};
  const std::string stored = StoredSettings();
  std::size_t at = stored.find("[Tarvex Window]");
  ASSERT_NE(at, std::string::npos) << stored;
  for (const std::string& line : expected) {
    const std::size_t next = stored.find(line, at);
    EXPECT_NE(next, std::string::npos) << line << " in order in\n" << stored;
    if (next != std::string::npos) at = next;
  }
  EXPECT_NE(stored.find("Alarm=7:00"), std::string::npos);
}

}  // namespace
}  // namespace tarvex::win32::testing
