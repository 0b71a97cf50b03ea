#include "sim/simulated_desktop.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

namespace tarvex::sim {
namespace {

// Any distinct non-null value stands for a function's address.
char gFunctionAddress;

int CopyText(const std::string& text, char* buffer, int bufferSize) {
  if (bufferSize <= 0) return 0;
  const int length = std::min(static_cast<int>(text.size()), bufferSize - 1);
  std::memcpy(buffer, text.data(), static_cast<std::size_t>(length));
  buffer[length] = '\0';
  return length;
}

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

// A caption as the platform hands it over: at most kCaptionLimit characters (code points here)
// and no split character.
int CopyCaption(const std::string& text, char* buffer, int bufferSize) {
  if (bufferSize <= 0) return 0;
  std::size_t end = 0;
  int characters = 0;
  while (end < text.size() && characters < kCaptionLimit) {
    std::size_t next = end + 1;
    while (next < text.size() && !StartsCharacter(text[next])) ++next;
    if (next > static_cast<std::size_t>(bufferSize - 1)) break;
    end = next;
    ++characters;
  }
  return CopyText(text.substr(0, end), buffer, bufferSize);
}

}  // namespace

class SimulatedDesktop::SimTimer final : public Timer {
 public:
  SimTimer(SimulatedDesktop& desktop, std::function<void()> onTimer)
      : desktop_(desktop), onTimer_(std::move(onTimer)) {
    desktop_.timers_.insert(this);
  }
  ~SimTimer() override { desktop_.timers_.erase(this); }
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    elapsed_ = 0;
  }
  void SetInterval(int milliseconds) override {
    interval_ = milliseconds;
    elapsed_ = 0;
  }
  // Advances by one millisecond; fires when a period is complete.
  void Tick() {
    if (!enabled_ || interval_ <= 0) return;
    if (++elapsed_ < interval_) return;
    elapsed_ = 0;
    onTimer_();
  }

 private:
  SimulatedDesktop& desktop_;
  std::function<void()> onTimer_;
  bool enabled_ = false;
  int interval_ = 0;
  int elapsed_ = 0;
};

SimulatedDesktop::SimulatedDesktop() = default;
SimulatedDesktop::~SimulatedDesktop() = default;

SimWindow& SimulatedDesktop::Open(const std::string& caption, std::uint32_t processId,
                                  WinHandle handle) {
  if (handle == 0) {
    while (windows_.count(nextHandle_) != 0) nextHandle_ += 4;
    handle = nextHandle_;
    nextHandle_ += 4;
  }
  if (windows_.count(handle) != 0) throw std::logic_error("handle already in use");
  SimWindow window;
  window.handle = handle;
  window.caption = caption;
  window.processId = processId;
  window.threadId = processId + 1;
  windows_[handle] = window;
  stacking_.insert(stacking_.begin(), handle);
  return windows_[handle];
}

SimWindow& SimulatedDesktop::Window(WinHandle handle) {
  auto it = windows_.find(handle);
  if (it == windows_.end()) throw std::logic_error("no such window");
  return it->second;
}

void SimulatedDesktop::Close(WinHandle handle) {
  windows_.erase(handle);
  stacking_.erase(std::remove(stacking_.begin(), stacking_.end(), handle), stacking_.end());
}

void SimulatedDesktop::Raise(WinHandle handle) {
  stacking_.erase(std::remove(stacking_.begin(), stacking_.end(), handle), stacking_.end());
  stacking_.insert(stacking_.begin(), handle);
}

const SimWindow* SimulatedDesktop::Find(WinHandle handle) const {
  auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : &it->second;
}

void SimulatedDesktop::Enumerate(EnumWindowsProc proc, std::intptr_t param) {
  // Like the real enumeration, the set of windows is fixed when it starts; windows that close
  // while it runs are still visited and answer as vanished windows do.
  const std::vector<WinHandle> order = stacking_;
  for (WinHandle handle : order) {
    if (beforeVisit) beforeVisit(handle);
    if (!proc(handle, param)) return;
  }
}

int SimulatedDesktop::WindowText(WinHandle window, char* buffer, int bufferSize) {
  ++captionReads;
  const SimWindow* found = Find(window);
  return CopyCaption(found ? found->caption : std::string(), buffer, bufferSize);
}

bool SimulatedDesktop::IsVisible(WinHandle window) {
  const SimWindow* found = Find(window);
  return found != nullptr && found->visible;
}

bool SimulatedDesktop::IsCloaked(WinHandle window) {
  const SimWindow* found = Find(window);
  return found != nullptr && found->cloaked;
}

WinHandle SimulatedDesktop::Owner(WinHandle window) {
  const SimWindow* found = Find(window);
  return found ? found->owner : 0;
}

WinHandle SimulatedDesktop::LastActivePopup(WinHandle window) {
  const SimWindow* found = Find(window);
  if (found == nullptr) return 0;
  return found->lastActivePopup != 0 ? found->lastActivePopup : window;
}

bool SimulatedDesktop::Exists(WinHandle handle) { return Find(handle) != nullptr; }

std::int32_t SimulatedDesktop::WindowLong(WinHandle window, int index) {
  const SimWindow* found = Find(window);
  if (found == nullptr) return 0;
  switch (index) {
    case GWL_STYLE_INDEX:
      return static_cast<std::int32_t>(found->style);
    case GWL_EXSTYLE_INDEX:
      return static_cast<std::int32_t>(found->exStyle);
    case GWL_HWNDPARENT_INDEX:
      return static_cast<std::int32_t>(found->parentSlot != 0 ? found->parentSlot : found->owner);
    default:
      return 0;
  }
}

int SimulatedDesktop::ClassName(WinHandle window, char* buffer, int bufferSize) {
  const SimWindow* found = Find(window);
  return CopyText(found ? found->className : std::string(), buffer, bufferSize);
}

std::uint32_t SimulatedDesktop::ThreadProcessId(WinHandle window, std::uint32_t* processId) {
  if (onThreadProcessId) onThreadProcessId(window);
  const SimWindow* found = Find(window);
  if (processId != nullptr) *processId = found ? found->processId : 0;
  return found ? found->threadId : 0;
}

void SimulatedDesktop::Show(WinHandle window, int showCommand) {
  requests.push_back({SentRequest::kShow, window, showCommand});
}

void SimulatedDesktop::BringToForeground(WinHandle window) {
  requests.push_back({SentRequest::kForeground, window, 0});
}

void SimulatedDesktop::PostClose(WinHandle window) {
  requests.push_back({SentRequest::kClose, window, 0});
}

ModuleHandle SimulatedDesktop::FindLoadedModule(const char* name) {
  ++moduleLookups;
  return kernelLoaded && std::string(name) == "kernel32.dll" ? 0x7C800000u : 0;
}

ProcAddress SimulatedDesktop::FindFunction(ModuleHandle /*module*/, const char* name) {
  ++functionLookups;
  return missingFunctions.count(name) != 0 ? nullptr : &gFunctionAddress;
}

SnapshotHandle SimulatedDesktop::CallCreateSnapshot(ProcAddress /*create*/, std::uint32_t flags,
                                                    std::uint32_t /*processId*/) {
  if (flags != kSnapProcess) return 0;
  ++snapshotsTaken;
  ++openSnapshots_;
  const SnapshotHandle handle = nextSnapshot_++;
  snapshots_[handle] = processes_;
  snapshotCursor_[handle] = 0;
  return handle;
}

bool SimulatedDesktop::CallProcessFirst(ProcAddress /*first*/, SnapshotHandle snapshot,
                                        ProcessEntry& entry) {
  snapshotCursor_[snapshot] = 0;
  return CallProcessNext(nullptr, snapshot, entry);
}

bool SimulatedDesktop::CallProcessNext(ProcAddress /*next*/, SnapshotHandle snapshot,
                                       ProcessEntry& entry) {
  auto it = snapshots_.find(snapshot);
  if (it == snapshots_.end()) return false;
  std::size_t& cursor = snapshotCursor_[snapshot];
  if (cursor >= it->second.size()) return false;
  entry.processId = it->second[cursor].processId;
  entry.exeFile = it->second[cursor].exeFile;
  ++cursor;
  return true;
}

void SimulatedDesktop::CloseHandle(SnapshotHandle snapshot) {
  if (snapshots_.erase(snapshot) != 0) --openSnapshots_;
  snapshotCursor_.erase(snapshot);
}

IconHandle SimulatedDesktop::HandOut(IconHandle icon) {
  if (icon == 0) return 0;
  static IconHandle nextIcon = 0x5000;
  const IconHandle handle = nextIcon++;
  liveIcons_.insert(handle);
  return handle;
}

std::string SimulatedDesktop::ImagePathOf(std::uint32_t processId) {
  for (const SimProcess& process : processes_) {
    if (process.processId == processId) return process.imagePath;
  }
  return {};
}

IconHandle SimulatedDesktop::IconOf(const std::string& fileName) {
  iconFiles.push_back(fileName);
  for (const SimProcess& process : processes_) {
    if (process.imagePath == fileName) return HandOut(process.ownIcon);
  }
  return 0;
}

IconHandle SimulatedDesktop::AssociatedIconOf(const std::string& fileName) {
  iconFiles.push_back(fileName);
  for (const SimProcess& process : processes_) {
    if (process.imagePath == fileName) return HandOut(process.associatedIcon);
  }
  return 0;
}

void SimulatedDesktop::DestroyIcon(IconHandle icon) {
  auto it = liveIcons_.find(icon);
  if (it == liveIcons_.end()) throw std::logic_error("icon destroyed twice or never handed out");
  liveIcons_.erase(it);
}

std::unique_ptr<Timer> SimulatedDesktop::CreateTimer(std::function<void()> onTimer) {
  return std::make_unique<SimTimer>(*this, std::move(onTimer));
}

void SimulatedDesktop::AdvanceTime(int milliseconds) {
  for (int i = 0; i < milliseconds; ++i) {
    const std::vector<SimTimer*> running(timers_.begin(), timers_.end());
    for (SimTimer* timer : running) {
      if (timers_.count(timer) != 0) timer->Tick();
    }
  }
}

BoxAnswer SimulatedDesktop::Show(const std::string& text, const std::string& caption,
                                 BoxKind kind) {
  boxes.push_back({text, caption, kind});
  if (answers.empty()) return BoxAnswer::kOk;
  const BoxAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::string SimulatedDesktop::FromUtf8(const std::string& utf8) const {
  // The simulated system's ANSI code page is plain ASCII.
  std::string ansi;
  for (const char byte : utf8) {
    if (!StartsCharacter(byte)) continue;
    ansi += static_cast<unsigned char>(byte) < 0x80 ? byte : '?';
  }
  return ansi;
}

int SimulatedDesktop::CompareIgnoreCase(std::string_view a, std::string_view b) const {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace tarvex::sim
