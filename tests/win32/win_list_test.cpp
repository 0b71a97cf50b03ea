// The core's window enumerator on the real desktop, through the Win32 layer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>

#include "own_window.h"
#include "test_desktop.h"
#include "win32/platform/win32_platform.h"
#include "window_maker_process.h"
#include "winlist/find_win.h"

namespace tarvex::win32::testing {
namespace {

std::optional<int> RowOf(const TWinList& list, WinHandle window) {
  for (int i = 0; i < list.WindowList().Count(); ++i) {
    if (list.WinHandle(i) == window) return i;
  }
  return std::nullopt;
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         std::equal(tail.rbegin(), tail.rend(), text.rbegin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

class WinListTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    maker_ = std::make_unique<WindowMakerProcess>(TestWindowArguments());
  }
  static void TearDownTestSuite() { maker_.reset(); }
  static WinHandle W(TestWindow window) { return maker_->Window(window); }
  bool Listed(TestWindow window) const { return RowOf(list_, W(window)).has_value(); }
  const TWinInfo& Entry(TestWindow window) const {
    const auto row = RowOf(list_, W(window));
    if (!row) throw std::runtime_error("window not listed");
    return list_.WindowList().Objects(*row);
  }
  const std::string& Caption(TestWindow window) const {
    return list_.WindowList().Strings(*RowOf(list_, W(window)));
  }

  inline static std::unique_ptr<WindowMakerProcess> maker_;
  Win32Platform platform_;
  TWinList list_{platform_.WinList()};
};

TEST_F(WinListTest, ListsWhatATaskBarWouldList) {
  list_.Refresh();
  for (TestWindow listed : {kVisible, kLongCaption, kLongClass, kPopupApp, kPopupOwner}) {
    EXPECT_TRUE(Listed(listed)) << "window " << listed;
  }
  for (TestWindow hidden : {kHidden, kOwned, kNoCaption, kPlainPopup, kDisabledPopup, kPopupNoMenu,
                            kActiveAppPopup, kPopupOwner2, kActivePlainPopup}) {
    EXPECT_FALSE(Listed(hidden)) << "window " << hidden;
  }
}

TEST_F(WinListTest, DescribesEachWindowFromTheSystem) {
  list_.Refresh();
  const TWinInfo& visible = Entry(kVisible);
  EXPECT_EQ(Caption(kVisible), "Tarvex test visible");
  EXPECT_EQ(visible.ProcessID, maker_->ProcessId());
  EXPECT_NE(visible.ThreadID, 0u);
  EXPECT_EQ(visible.WinClass, "TarvexTestWindow");
  EXPECT_EQ(visible.ParentHandle, 0u);
  EXPECT_EQ(visible.ParentName, "Desktop");
  EXPECT_EQ(visible.Style & kStylePopup, 0u);
  EXPECT_NE(visible.Style & kStyleMinimizeBox, 0u);
  EXPECT_TRUE(EndsWithIgnoringCase(visible.ExeName, "window_maker.exe")) << visible.ExeName;

  EXPECT_EQ(Caption(kLongCaption), kLongCaptionText.substr(0, 254));
  EXPECT_EQ(Entry(kLongClass).WinClass, kLongClassText.substr(0, 99));
}

// Runs a test from another current folder than the program's.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& folder) {
    ::GetCurrentDirectoryA(MAX_PATH, saved_);
    ::SetCurrentDirectoryA(folder.c_str());
  }
  ~CurrentFolder() { ::SetCurrentDirectoryA(saved_); }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  char saved_[MAX_PATH] = {};
};

// The icon comes from the image's full path: found from any current folder, where the bare
// name would be found only by a search of the current folder and the PATH.
TEST_F(WinListTest, EntriesOwnTheirIconsAndReleaseThem) {
  CurrentFolder elsewhere("C:\\windows");
  std::vector<HICON> icons;
  {
    TWinList list(platform_.WinList());
    list.Refresh();
    for (int i = 0; i < list.WindowList().Count(); ++i) {
      const IconHandle icon = list.WindowList().Objects(i).Icon;
      if (list.WinHandle(i) == W(kVisible)) {
        EXPECT_NE(icon, 0u) << "no icon for the helper";
      }
      if (icon != 0) icons.push_back(ToHicon(icon));
    }
    ICONINFO info{};
    ASSERT_FALSE(icons.empty());
    ASSERT_TRUE(::GetIconInfo(icons.front(), &info));
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
  }
  for (HICON icon : icons) {
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(icon, &info)) << "icon still alive after its entry was freed";
  }
}

TEST_F(WinListTest, WidensTheFilterWhenAsked) {
  list_.SetWhatDoFind(TFind_ID::id_All);
  list_.SetTaskBarSty(false);
  list_.Refresh();
  EXPECT_TRUE(Listed(kHidden));
  EXPECT_TRUE(Listed(kPlainPopup));
  ASSERT_TRUE(Listed(kOwned));
  EXPECT_EQ(Entry(kOwned).ParentHandle, W(kVisible));
  EXPECT_EQ(Entry(kOwned).ParentName, "Tarvex test visible");
  EXPECT_FALSE(Listed(kNoCaption));

  list_.SetEmptyNames(true);
  list_.Refresh();
  EXPECT_TRUE(Listed(kNoCaption));

  list_.SetWhatDoFind(TFind_ID::id_InvisOnly);
  list_.Refresh();
  EXPECT_TRUE(Listed(kHidden));
  EXPECT_FALSE(Listed(kVisible));
}

// The real window system, except that one window is destroyed right after the enumeration: the
// entries are then built for a handle that is no longer a window.
class VanishingWindows final : public WindowSystem {
 public:
  VanishingWindows(WindowSystem& real, OwnWindow& doomed) : real_(real), doomed_(doomed) {}
  void Enumerate(EnumWindowsProc proc, std::intptr_t param) override {
    real_.Enumerate(proc, param);
    doomed_.Destroy();
  }
  int WindowText(WinHandle w, char* b, int n) override { return real_.WindowText(w, b, n); }
  bool IsVisible(WinHandle w) override { return real_.IsVisible(w); }
  bool IsCloaked(WinHandle w) override { return real_.IsCloaked(w); }
  WinHandle Owner(WinHandle w) override { return real_.Owner(w); }
  WinHandle LastActivePopup(WinHandle w) override { return real_.LastActivePopup(w); }
  bool Exists(WinHandle w) override { return real_.Exists(w); }
  std::int32_t WindowLong(WinHandle w, int i) override { return real_.WindowLong(w, i); }
  int ClassName(WinHandle w, char* b, int n) override { return real_.ClassName(w, b, n); }
  std::uint32_t ThreadProcessId(WinHandle w, std::uint32_t* p) override {
    return real_.ThreadProcessId(w, p);
  }
  bool CreatorsComeWithThePass() const override { return real_.CreatorsComeWithThePass(); }
  void PassOver() override { real_.PassOver(); }
  void Show(WinHandle w, int c) override { real_.Show(w, c); }
  void BringToForeground(WinHandle w) override { real_.BringToForeground(w); }
  void PostClose(WinHandle w) override { real_.PostClose(w); }

 private:
  WindowSystem& real_;
  OwnWindow& doomed_;
};

TEST_F(WinListTest, AWindowThatVanishesDuringThePassGetsAnEmptyEntry) {
  OwnWindow doomed("Tarvex test doomed");
  const WinHandle handle = doomed.Handle();
  VanishingWindows windows(platform_.windows, doomed);
  WinListPlatform vanishing = platform_.WinList();
  TWinList list(WinListPlatform{windows, vanishing.toolHelp, vanishing.icons, vanishing.timers,
                                vanishing.pump, vanishing.boxes});
  list.Refresh();

  const auto row = RowOf(list, handle);
  ASSERT_TRUE(row.has_value());
  const TWinInfo& entry = list.WindowList().Objects(*row);
  EXPECT_EQ(list.WindowList().Strings(*row), "");
  EXPECT_EQ(entry.ProcessID, 0u);
  EXPECT_EQ(entry.ThreadID, 0u);
  EXPECT_EQ(entry.WinClass, "");
  EXPECT_EQ(entry.Style, 0u);
  EXPECT_EQ(entry.ParentName, "Desktop");
  // The windows that stayed are described as usual.
  const auto helper = RowOf(list, W(kVisible));
  ASSERT_TRUE(helper.has_value());
  EXPECT_EQ(list.ProcessID(*helper), maker_->ProcessId());
}

}  // namespace
}  // namespace tarvex::win32::testing
