// The main window's bounds and column widths as the core reads and sets them, and the settings
// file at the first show and at closing.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/action_list.h"
#include "app/kelvo_apps.h"
#include "modal_script.h"
#include "win32/program/main_window.h"

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

TEST_F(FormPlacementTest,
       AMoveToAMonitorOfAnotherResolutionRedrawsTheWindowThereAndStoresTheSameSizes) {
  Start(
      "[tarvex window]\r\nLeft=30\r\nTop=40\r\nWidth=401\r\nHeight=300\r\n"
      "Column1=131\r\nColumn2=67\r\n");
  // Wine gives every monitor one resolution and never sends WM_DPICHANGED: the test sends what
  // Windows sends when the window moves to a monitor of 144 dots per inch.
  const HWND window = window_.Handle();
  RECT suggested{60, 50, 60 + 602, 50 + 450};
  ::SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(FrameOf(window), (Bounds{60, 50, 602, 450}));
  EXPECT_EQ(window_.List().ColumnWidth(0), 197);
  EXPECT_EQ(window_.List().ColumnWidth(1), 101);
  for (const HWND control : {window_.List().Handle(), window_.Status().Handle()}) {
    LOGFONTA font{};
    const auto handle = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
    ASSERT_TRUE(::GetObjectA(handle, sizeof(font), &font));
    EXPECT_EQ(font.lfHeight, -16) << "8 points at 144 dots per inch";
  }
  int pictureWidth = 0;
  int pictureHeight = 0;
  ::ImageList_GetIconSize(window_.Tools().Pictures(), &pictureWidth, &pictureHeight);
  EXPECT_EQ(pictureWidth, 24);
  EXPECT_EQ(::ImageList_GetImageCount(window_.Tools().Pictures()), 12);
  const HWND tools = window_.Tools().Handle();
  EXPECT_EQ(::SendMessageA(tools, TB_GETBUTTONSIZE, 0, 0), MAKELONG(35, 33));
  EXPECT_EQ(::SendMessageA(tools, TB_BUTTONCOUNT, 0, 0),
            static_cast<LRESULT>(kToolBarLayout.size()));
  RECT list{};
  ::GetWindowRect(window_.List().Handle(), &list);
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  EXPECT_EQ(list.top - origin.y, 33) << "the list below the taller tool bar";
  int counterEdge[2] = {};
  ::SendMessageA(window_.Status().Handle(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(counterEdge));
  EXPECT_EQ(counterEdge[0], 113);

  ::SetWindowPos(window, nullptr, 0, 0, 100, 50, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_GE(FrameOf(window).width, 482) << "the minimum size at 144 dots per inch";
  EXPECT_GE(FrameOf(window).height, 188);

  // Closed there, unchanged: the sizes it read are stored again, in 96-dpi units.
  ::SetWindowPos(window, nullptr, 0, 0, 602, 450, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_TRUE(CloseWindow());
  const std::string stored = StoredSettings();
  EXPECT_NE(stored.find("Left=60\r\nTop=50\r\nWidth=401\r\nHeight=300\r\nColumn1=131\r\n"
                        "Column2=67\r\n"),
            std::string::npos)
      << stored;
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
