// A desktop of our own for the core's tests: top-level windows with captions, styles, owners,
// pop-ups and processes in a stacking order, changeable between and during passes, plus the
// toolkit services (timers, message pump, message boxes) and the platform collation. Every
// request sent to a window is recorded.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "settings/ansi_code_page.h"
#include "services/text_collation.h"
#include "winlist/win_list_platform.h"

namespace tarvex::sim {

// A plain, captioned application window: what a normal top-level window carries.
inline constexpr std::uint32_t kOverlappedWindow = 0x00CF0000u;

struct SimWindow {
  WinHandle handle = 0;
  std::string caption;
  std::string className = "SimWindow";
  bool visible = true;
  bool cloaked = false;
  WinHandle owner = 0;
  WinHandle parentSlot = 0;       // what GWL_HWNDPARENT reports; the owner unless set
  WinHandle lastActivePopup = 0;  // 0: the window itself
  std::uint32_t style = kOverlappedWindow;
  std::uint32_t exStyle = 0;
  std::uint32_t threadId = 0;
  std::uint32_t processId = 0;
};

struct SimProcess {
  std::uint32_t processId = 0;
  std::string exeFile;
  IconHandle ownIcon = 0;         // what IconOf finds in the file
  IconHandle associatedIcon = 0;  // what AssociatedIconOf finds
  std::string imagePath;          // the full path; empty: it cannot be had
};

struct SentRequest {
  enum Kind { kShow, kForeground, kClose } kind;
  WinHandle window;
  int showCommand;
  bool operator==(const SentRequest&) const = default;
};

class SimulatedDesktop final : public WindowSystem,
                               public ToolHelpLibrary,
                               public IconSource,
                               public TimerService,
                               public MessagePump,
                               public MessageBoxes,
                               public TextCollation,
                               public AnsiCodePage {
 public:
  SimulatedDesktop();
  ~SimulatedDesktop() override;

  WinListPlatform Platform() { return {*this, *this, *this, *this, *this, *this}; }

  // Opens a window in front of all others (handle 0 picks the next free one) and returns it.
  SimWindow& Open(const std::string& caption, std::uint32_t processId = 100, WinHandle handle = 0);
  SimWindow& Window(WinHandle handle);
  void Close(WinHandle handle);
  // Moves a window to the front of the stacking order.
  void Raise(WinHandle handle);
  void AddProcess(const SimProcess& process) { processes_.push_back(process); }
  std::vector<SimProcess>& Processes() { return processes_; }

  // Runs before the filter sees each window of a pass: lets a test change the desktop mid-pass.
  std::function<void(WinHandle)> beforeVisit;
  // How many captions were read: each is a round trip on a real desktop.
  int captionReads = 0;
  // Runs whenever a window's thread and process are read.
  std::function<void(WinHandle)> onThreadProcessId;
  // Whether a pass learns every window's thread and process with its other facts, as on X11.
  bool creatorsComeWithThePass = false;

  // Tool-help library: whether kernel32 is loaded and which names it exports.
  bool kernelLoaded = true;
  std::set<std::string> missingFunctions;
  int moduleLookups = 0;
  int functionLookups = 0;
  int snapshotsTaken = 0;
  int OpenSnapshots() const { return openSnapshots_; }

  // Icons handed out and not yet destroyed.
  int LiveIcons() const { return static_cast<int>(liveIcons_.size()); }
  // The files icons were looked up in, in order.
  std::vector<std::string> iconFiles;

  // Timers: advances the clock and fires the timers whose period ends.
  void AdvanceTime(int milliseconds);
  int messagesProcessed = 0;
  // Runs whenever pending messages are let run: stands for whatever the queue held.
  std::function<void()> onProcessMessages;
  struct ShownBox {
    std::string text, caption;
    BoxKind kind;
  };
  std::vector<ShownBox> boxes;
  // The user's answers to the boxes that ask, in turn; a box with none left is closed with OK.
  std::deque<BoxAnswer> answers;
  std::vector<SentRequest> requests;

  // WindowSystem
  void Enumerate(EnumWindowsProc proc, std::intptr_t param) override;
  int WindowText(WinHandle window, char* buffer, int bufferSize) override;
  bool IsVisible(WinHandle window) override;
  bool IsCloaked(WinHandle window) override;
  WinHandle Owner(WinHandle window) override;
  WinHandle LastActivePopup(WinHandle window) override;
  bool Exists(WinHandle handle) override;
  std::int32_t WindowLong(WinHandle window, int index) override;
  int ClassName(WinHandle window, char* buffer, int bufferSize) override;
  std::uint32_t ThreadProcessId(WinHandle window, std::uint32_t* processId) override;
  bool CreatorsComeWithThePass() const override { return creatorsComeWithThePass; }
  void PassOver() override {}
  void Show(WinHandle window, int showCommand) override;
  void BringToForeground(WinHandle window) override;
  void PostClose(WinHandle window) override;

  // ToolHelpLibrary
  ModuleHandle FindLoadedModule(const char* name) override;
  ProcAddress FindFunction(ModuleHandle module, const char* name) override;
  SnapshotHandle CallCreateSnapshot(ProcAddress create, std::uint32_t flags,
                                    std::uint32_t processId) override;
  bool CallProcessFirst(ProcAddress first, SnapshotHandle snapshot, ProcessEntry& entry) override;
  bool CallProcessNext(ProcAddress next, SnapshotHandle snapshot, ProcessEntry& entry) override;
  void CloseHandle(SnapshotHandle snapshot) override;

  // IconSource
  std::string ImagePathOf(std::uint32_t processId) override;
  IconHandle IconOf(const std::string& fileName) override;
  IconHandle AssociatedIconOf(const std::string& fileName) override;
  void DestroyIcon(IconHandle icon) override;

  // TimerService, MessagePump, MessageBoxes
  std::unique_ptr<Timer> CreateTimer(std::function<void()> onTimer) override;
  void ProcessMessages() override {
    ++messagesProcessed;
    if (onProcessMessages) onProcessMessages();
  }
  BoxAnswer Show(const std::string& text, const std::string& caption, BoxKind kind) override;

  // TextCollation: ASCII letters compare without case; enough for the core's rules.
  int CompareIgnoreCase(std::string_view a, std::string_view b) const override;
  // AnsiCodePage
  std::string FromUtf8(const std::string& utf8) const override;

 private:
  class SimTimer;
  const SimWindow* Find(WinHandle handle) const;
  IconHandle HandOut(IconHandle icon);

  std::map<WinHandle, SimWindow> windows_;
  std::vector<WinHandle> stacking_;  // front to back
  std::vector<SimProcess> processes_;
  std::map<SnapshotHandle, std::vector<SimProcess>> snapshots_;
  std::map<SnapshotHandle, std::size_t> snapshotCursor_;
  int openSnapshots_ = 0;
  SnapshotHandle nextSnapshot_ = 1;
  std::multiset<IconHandle> liveIcons_;
  std::set<SimTimer*> timers_;
  WinHandle nextHandle_ = 0x10010;
};

}  // namespace tarvex::sim
