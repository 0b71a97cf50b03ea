// The window enumerator on the simulated desktop: the filter, change detection and entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/simulated_desktop.h"
#include "winlist/find_win.h"

namespace tarvex {
namespace {

using sim::SimulatedDesktop;
using sim::SimWindow;

using Captions = std::vector<std::string>;

class WinListTest : public ::testing::Test {
 protected:
  Captions Listed() const {
    std::vector<std::string> captions;
    for (int i = 0; i < list.WindowList().Count(); ++i) {
      captions.push_back(list.WindowList().Strings(i));
    }
    return captions;
  }

  SimulatedDesktop desktop;
  TWinList list{desktop.Platform()};
};

TEST_F(WinListTest, VisibilityAndEmptyCaptionsFollowTheFilterCopiesOfThePass) {
  desktop.Open("Shown");
  desktop.Open("Hidden").visible = false;
  desktop.Open("");
  // Visible by its style, but cloaked: on another virtual desktop, say. It counts as hidden.
  desktop.Open("Cloaked").cloaked = true;

  list.Refresh();
  EXPECT_EQ(Listed(), Captions({"Shown"}));
  // Most windows of a real desktop are hidden: an unchanged pass reads no hidden one's caption.
  desktop.captionReads = 0;
  list.Refresh();
  EXPECT_EQ(desktop.captionReads, 3);  // "Shown", "Cloaked" and the empty one

  list.SetWhatDoFind(TFind_ID::id_InvisOnly);
  list.Refresh();
  EXPECT_EQ(Listed(), Captions({"Cloaked", "Hidden"}));

  list.SetWhatDoFind(TFind_ID::id_All);
  list.SetEmptyNames(true);
  list.Refresh();
  EXPECT_EQ(Listed(), Captions({"Cloaked", "", "Hidden", "Shown"}));

  // A setting changed while a pass runs takes effect only at the next pass.
  desktop.beforeVisit = [&](WinHandle) { list.SetEmptyNames(false); };
  list.SetEmptyNames(true);
  list.Refresh();
  EXPECT_EQ(list.WindowList().Count(), 4);
}

TEST_F(WinListTest, TaskBarFilterDropsOwnedWindowsAndJudgesPopupsByTheirLastActivePopup) {
  const WinHandle main = desktop.Open("Main").handle;
  desktop.Open("Owned dialog").owner = main;
  SimWindow& appPopup = desktop.Open("Popup app");
  appPopup.style = kStylePopup | kStyleMinimizeBox | kStyleSysMenu;
  SimWindow& bare = desktop.Open("Bare popup");
  bare.style = kStylePopup | kStyleSysMenu;
  SimWindow& disabled = desktop.Open("Disabled popup");
  disabled.style = kStylePopup | kStyleMinimizeBox | kStyleSysMenu | kStyleDisabled;
  const WinHandle disabledHandle = disabled.handle;

  // The disabled pop-up's last active pop-up is a normal window: the pop-up itself is listed.
  SimWindow& helper = desktop.Open("");
  helper.owner = disabledHandle;
  desktop.Window(disabledHandle).lastActivePopup = helper.handle;
  // A pop-up whose last active pop-up is gone is not listed.
  SimWindow& orphan = desktop.Open("Orphan popup");
  orphan.style = kStylePopup;
  orphan.lastActivePopup = 0xDEAD0;

  list.Refresh();
  EXPECT_EQ(Listed(), Captions({"Disabled popup", "Popup app", "Main"}));
  EXPECT_EQ(list.WinHandle(0), disabledHandle);
  for (int i = 0; i < list.WindowList().Count(); ++i) {
    EXPECT_EQ(list.WindowList().Objects(i).ParentHandle, 0u);
    EXPECT_EQ(list.WindowList().Objects(i).ParentName, "Desktop");
  }
}

TEST_F(WinListTest, WithoutTaskBarStyleOwnedWindowsNameTheirOwner) {
  const WinHandle named = desktop.Open("Editor").handle;
  const WinHandle unnamed = desktop.Open("").handle;
  desktop.Open("Find").owner = named;
  desktop.Open("Progress").owner = unnamed;
  list.SetTaskBarSty(false);
  list.Refresh();
  ASSERT_EQ(Listed(), Captions({"Progress", "Find", "Editor"}));
  EXPECT_EQ(list.WindowList().Objects(0).ParentName, "NoName");
  EXPECT_EQ(list.WindowList().Objects(1).ParentName, "Editor");
  EXPECT_EQ(list.WindowList().Objects(1).ParentHandle, named);
  EXPECT_EQ(list.WindowList().Objects(2).ParentName, "Desktop");
}

TEST_F(WinListTest, APassRebuildsWhenAnAcceptedWindowIsNotListedAsItIsNow) {
  // An empty desktop matches the empty list: nothing is rebuilt.
  list.Refresh();
  EXPECT_FALSE(TWinList::ListChanged());
  EXPECT_EQ(list.WindowList().Count(), 0);

  const WinHandle a = desktop.Open("A", 1, 0x100).handle;
  const WinHandle b = desktop.Open("B", 2, 0x200).handle;
  list.Refresh();
  EXPECT_TRUE(TWinList::ListChanged());
  EXPECT_EQ(Listed(), Captions({"B", "A"}));

  // Only the stacking order changed: the rows keep theirs.
  desktop.Raise(a);
  list.Refresh();
  EXPECT_FALSE(TWinList::ListChanged());
  EXPECT_EQ(Listed(), Captions({"B", "A"}));

  desktop.Window(a).caption = "A renamed";
  list.Refresh();
  EXPECT_TRUE(TWinList::ListChanged());
  EXPECT_EQ(Listed(), Captions({"A renamed", "B"}));

  // Two windows go and two come whose handles add up to the same sum.
  desktop.Close(a);
  desktop.Close(b);
  desktop.Open("C", 3, 0x140);
  desktop.Open("D", 4, 0x1C0);
  list.Refresh();
  EXPECT_EQ(Listed(), Captions({"D", "C"}));

  // The same caption shown by a new process under the same handle: a window system that tells
  // creators with the pass lists the new window.
  desktop.creatorsComeWithThePass = true;
  desktop.Close(0x140);
  desktop.Open("C", 9, 0x140);
  list.Refresh();
  EXPECT_TRUE(TWinList::ListChanged());
  EXPECT_EQ(list.ProcessID(0), 9u);
  list.Refresh();
  EXPECT_FALSE(TWinList::ListChanged());
}

TEST_F(WinListTest, HandlesAtTheTopOfTheRangeAreListed) {
  desktop.Open("High", 1, 0xFFFFFFF0u);
  desktop.Open("Low", 2, 0x20);
  list.Refresh();
  EXPECT_TRUE(TWinList::ListChanged());
  EXPECT_EQ(Listed(), Captions({"Low", "High"}));
}

TEST_F(WinListTest, EntriesDescribeTheWindowAndItsProcess) {
  desktop.AddProcess({7, "other.exe", 0x66, 0, ""});  // its full path cannot be had
  desktop.AddProcess({42, "editor.exe", 0, 0x77, "C:\\apps\\editor.exe"});
  SimWindow& window = desktop.Open(std::string(300, 'c'), 42);
  window.className = std::string(150, 'k');
  window.exStyle = 0x100;
  window.threadId = 4242;
  std::string cyrillic;
  for (int i = 0; i < 300; ++i) cyrillic += "ж";
  desktop.Open(cyrillic, 7);

  list.Refresh();
  // The cut counts characters, never the bytes of their UTF-8 form.
  EXPECT_EQ(list.WindowList().Strings(0), cyrillic.substr(0, 2 * 254));
  const TWinInfo& info = list.WindowList().Objects(1);
  EXPECT_EQ(list.WindowList().Strings(1), std::string(254, 'c'));
  EXPECT_EQ(info.WinClass, std::string(99, 'k'));
  EXPECT_EQ(info.ThreadID, 4242u);
  EXPECT_EQ(info.ProcessID, 42u);
  EXPECT_EQ(info.Style, sim::kOverlappedWindow);
  EXPECT_EQ(info.ExStyle, 0x100u);
  EXPECT_EQ(info.ExeName, "editor.exe");
  EXPECT_EQ(desktop.OpenSnapshots(), 0);
  // Icons are taken when first read, from the image's full path: the file holds no icon of its
  // own, so the associated one.
  EXPECT_TRUE(desktop.iconFiles.empty());
  EXPECT_NE(info.Icon, 0u);
  EXPECT_NE(info.Icon, 0u);
  const std::vector<std::string> editor(2, "C:\\apps\\editor.exe");
  EXPECT_EQ(desktop.iconFiles, editor);
  // Never by the bare image name, which would have the shell search the folders for it.
  EXPECT_EQ(list.WindowList().Objects(0).ExeName, "other.exe");
  EXPECT_EQ(list.WindowList().Objects(0).Icon, 0u);
  EXPECT_EQ(desktop.iconFiles, editor);
}

TEST_F(WinListTest, AProcessMissingFromTheSnapshotLeavesOnlyImageAndIconEmpty) {
  desktop.AddProcess({1, "first.exe", 0x1, 0, ""});
  SimWindow& window = desktop.Open("Orphan", 99);
  window.className = "OrphanClass";
  list.Refresh();
  const TWinInfo& info = list.WindowList().Objects(0);
  EXPECT_EQ(info.ExeName, "");
  EXPECT_EQ(info.Icon, 0u);
  EXPECT_EQ(info.ProcessID, 99u);
  EXPECT_EQ(info.WinClass, "OrphanClass");
  EXPECT_EQ(desktop.OpenSnapshots(), 0);

  // Process id 0 names no owner (the window went, or its X client told none): nothing is
  // looked up, and above all not the system's idle process, which every snapshot lists.
  desktop.AddProcess({0, "[System Process]", 0x2, 0, ""});
  desktop.Open("No owner", 0);
  const int snapshots = desktop.snapshotsTaken;
  list.Refresh();
  ASSERT_EQ(list.WindowList().Count(), 2);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(list.WindowList().Objects(i).ExeName, "");
  EXPECT_EQ(desktop.snapshotsTaken, snapshots + 1);  // the orphan's alone
}

TEST_F(WinListTest, EntriesReleaseTheirIconsWhenRebuiltOrDestroyed) {
  desktop.AddProcess({5, "app.exe", 0x11, 0x22, "C:\\app.exe"});
  const auto readIcons = [](const TWinList& built) {
    for (int i = 0; i < built.WindowList().Count(); ++i) {
      EXPECT_NE(built.WindowList().Objects(i).Icon, 0u);
    }
  };
  {
    TWinList own(desktop.Platform());
    desktop.Open("One", 5);
    desktop.Open("Two", 5);
    own.Refresh();
    readIcons(own);
    EXPECT_EQ(desktop.LiveIcons(), 2);
    desktop.Open("Three", 5);
    own.Refresh();
    readIcons(own);
    EXPECT_EQ(desktop.LiveIcons(), 3);
  }
  EXPECT_EQ(desktop.LiveIcons(), 0);
}

TEST_F(WinListTest, MoreThan256WindowsAreAllListedAndTracked) {
  for (int i = 0; i < 300; ++i)
    desktop.Open("W" + std::to_string(i), static_cast<std::uint32_t>(i));
  list.Refresh();
  ASSERT_EQ(list.WindowList().Count(), 300);
  EXPECT_EQ(list.WindowList().Strings(0), "W299");
  EXPECT_EQ(list.WindowList().Strings(299), "W0");
  EXPECT_EQ(list.ProcessID(299), 0u);

  // A change beyond the 256th window still rebuilds the list.
  desktop.Close(list.WinHandle(299));
  list.Refresh();
  EXPECT_TRUE(TWinList::ListChanged());
  EXPECT_EQ(list.WindowList().Count(), 299);
  EXPECT_EQ(list.WindowList().Strings(298), "W1");
}

TEST_F(WinListTest, IndicesOutsideTheListFailWithTheListError) {
  desktop.Open("Only");
  list.Refresh();
  for (int index : {-1, 1}) {
    try {
      list.WinHandle(index);
      ADD_FAILURE() << "no failure for index " << index;
    } catch (const EListError& error) {
      EXPECT_EQ(std::string(error.what()),
                "List index out of bounds (" + std::to_string(index) + ")");
    }
  }
  EXPECT_THROW(list.ProcessID(1), EListError);
  EXPECT_THROW(list.WindowList().Strings(-1), EListError);
  EXPECT_EQ(list.WindowList().Count(), 1);
}

TEST_F(WinListTest, WindowsThatVanishDuringAPassAnswerAsGone) {
  const WinHandle back = desktop.Open("Back").handle;
  const WinHandle front = desktop.Open("Front").handle;
  // "Back" closes before the filter reaches it.
  desktop.beforeVisit = [&](WinHandle visited) {
    if (visited == front) desktop.Close(back);
  };
  list.Refresh();
  EXPECT_EQ(Listed(), Captions({"Front"}));

  // A window that closes after it was accepted still gets its row, empty, without a failure.
  desktop.beforeVisit = nullptr;
  const WinHandle late = desktop.Open("Late").handle;
  desktop.onThreadProcessId = [&](WinHandle window) {
    if (window == late) desktop.Close(late);
  };
  list.Refresh();
  EXPECT_EQ(Listed(), Captions({"", "Front"}));
  EXPECT_EQ(list.ProcessID(0), 0u);
}

TEST_F(WinListTest, ARebuildCutShortByAFailureIsRedoneByTheNextPass) {
  desktop.Open("First");
  const WinHandle failing = desktop.Open("Second").handle;
  desktop.Open("Third");
  list.SetEnableTimer(true);
  bool fail = true;
  desktop.onThreadProcessId = [&](WinHandle window) {
    if (fail && window == failing) throw std::bad_alloc();
  };

  EXPECT_THROW(list.Refresh(), std::bad_alloc);
  EXPECT_EQ(Listed(), Captions({"Third"}));
  EXPECT_EQ(desktop.OpenSnapshots(), 0);
  // The internal timer stays off after the failure.
  const int before = desktop.messagesProcessed;
  desktop.AdvanceTime(1000);
  EXPECT_EQ(desktop.messagesProcessed, before);

  fail = false;
  list.Refresh();
  EXPECT_TRUE(TWinList::ListChanged());
  EXPECT_EQ(Listed(), Captions({"Third", "Second", "First"}));
}

}  // namespace
}  // namespace tarvex
