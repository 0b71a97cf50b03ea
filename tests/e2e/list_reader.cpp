// Reads the application list of every running Tarvex from outside, as an accessibility tool
// would, so that the end-to-end tests check what a user sees.
//
//   list_reader               one line per row of each Tarvex list:
//                             <caption>\t<process id>\t<checked 0/1>\t<selected 0/1>
//   list_reader --status      the two status panel texts of the one running Tarvex, a line each
//   list_reader --row-rect N  screen rectangles of row N (from 0) of the one running Tarvex:
//                             "row <left> <top> <right> <bottom>" and the same for "label"
//   list_reader --pid-of X    the process ids of the processes whose image name is X
//   list_reader --columns     for each column of the one running Tarvex's list:
//                             "column <n> <width> <divider x> <header middle y>", on screen
//   list_reader --controls T  the controls of the top-level window titled T (a dialog or box):
//                             "control\t<class>\t<text>\t<left> <top> <right> <bottom>", and for
//                             each list box entry "entry\t<text>\t<left> <top> <right> <bottom>",
//                             for a combo box "chosen\t<text of its chosen item>\t<its rectangle>",
//                             for a check box "check\t<text>\t<0 clear, 1 checked>\t<rectangle>"
//   list_reader --toolbar     the tool bar buttons of the one running Tarvex, separators left out:
//                             "button <n from 1> <command id> <left> <top> <right> <bottom>"
//   list_reader --windows     each top-level window titled "Tarvex 1.0": "main" (it has the list)
//                             or "other", then <visible 0/1> <iconic 0/1> <width> <height>
//   list_reader --foreground  the caption of the foreground window, and "main" when it is the one
//                             Tarvex main window: "<caption>\t<main|other>"
//   list_reader --menu        each popup menu on screen: "menu <left> <top> <right> <bottom>"
//   list_reader --rename T N  gives the top-level window titled T the caption N, from outside,
//                             as another program may rename a window
//   list_reader --retitle T H gives the top-level window titled T the title whose UTF-8 bytes
//                             are the hexadecimal H, through the wide API; the command line
//                             would carry no text outside the code page
//
// Structures the controls fill are read in the owner's address space, and their layout differs
// between 32-bit and 64-bit processes: use the reader built beside the tarvex.exe it reads.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr const char* kTarvexCaption = "Tarvex 1.0";
constexpr UINT kReplyTimeoutMs = 5000;
constexpr int kTextCapacity = 512;
constexpr int kColumns = 2;  // "Application", "Process ID"
constexpr int kStatusPanels = 2;
constexpr UINT kCheckedState = INDEXTOSTATEIMAGEMASK(2);

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::string lastErrorText(const char* what) {
  return std::string(what) + " failed, error " + std::to_string(GetLastError());
}

// Memory allocated inside another process, freed with it.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, SIZE_T size)
      : process_(process),
        base_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    if (base_ == nullptr) throw std::runtime_error(lastErrorText("VirtualAllocEx"));
  }
  ~RemoteMemory() { VirtualFreeEx(process_, base_, 0, MEM_RELEASE); }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  char* at(SIZE_T offset) const { return static_cast<char*>(base_) + offset; }

  void write(SIZE_T offset, const void* data, SIZE_T size) const {
    if (!WriteProcessMemory(process_, at(offset), data, size, nullptr))
      throw std::runtime_error(lastErrorText("WriteProcessMemory"));
  }

  void read(SIZE_T offset, void* data, SIZE_T size) const {
    if (!ReadProcessMemory(process_, at(offset), data, size, nullptr))
      throw std::runtime_error(lastErrorText("ReadProcessMemory"));
  }

  std::string readText(SIZE_T offset) const {
    char text[kTextCapacity] = {};
    read(offset, text, kTextCapacity - 1);
    return text;
  }

  // A wide text, printed in UTF-8 so that every character of a caption comes through.
  std::string readWideText(SIZE_T offset) const {
    wchar_t text[kTextCapacity] = {};
    read(offset, text, (kTextCapacity - 1) * sizeof(wchar_t));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), bytes, nullptr, nullptr);
    return utf8.c_str();
  }

 private:
  HANDLE process_;
  void* base_;
};

std::string windowCaption(HWND window) {
  char text[kTextCapacity] = {};
  GetWindowTextA(window, text, kTextCapacity);
  return text;
}

BOOL CALLBACK collectTarvexWindow(HWND window, LPARAM found) {
  if (windowCaption(window) == kTarvexCaption)
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

struct ChildSearch {
  const char* className;
  HWND found;
};

BOOL CALLBACK findChildOfClass(HWND child, LPARAM search) {
  auto* wanted = reinterpret_cast<ChildSearch*>(search);
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, wanted->className) != 0) return TRUE;
  wanted->found = child;
  return FALSE;
}

HWND childOfClass(HWND window, const char* className) {
  ChildSearch search{className, nullptr};
  EnumChildWindows(window, findChildOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

LRESULT sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                           &result))
    throw std::runtime_error(lastErrorText("SendMessageTimeout"));
  return static_cast<LRESULT>(result);
}

bool isWow64(HANDLE process) {
  BOOL wow64 = FALSE;
  if (!IsWow64Process(process, &wow64)) throw std::runtime_error(lastErrorText("IsWow64Process"));
  return wow64 != FALSE;
}

// A Tarvex main window with its list and status bar, and scratch memory in its process for the
// structures and texts those controls fill.
class TarvexWindow {
 public:
  explicit TarvexWindow(HWND window)
      : list_(childOfClass(window, WC_LISTVIEWA)),
        statusBar_(childOfClass(window, STATUSCLASSNAMEA)),
        toolBar_(childOfClass(window, TOOLBARCLASSNAMEA)),
        process_(OpenProcess(
            PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
            FALSE, processOf(window))),
        remote_(checkedProcess(), kScratchSize) {}

  // A message box or dialog may carry the same caption; only the main window has a list.
  static bool isMainWindow(HWND window) { return childOfClass(window, WC_LISTVIEWA) != nullptr; }

  static DWORD processOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
  }

  int rowCount() const { return static_cast<int>(sendWithin(list_, LVM_GETITEMCOUNT, 0, 0)); }

  // Through the wide message, as a screen reader asks: the ANSI one would turn every character
  // outside the code page into a question mark.
  std::string cellText(int row, int column) const {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(remote_.at(kTextOffset));
    item.cchTextMax = kTextCapacity;
    remote_.write(0, &item, sizeof item);
    sendWithin(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(remote_.at(0)));
    return remote_.readWideText(kTextOffset);
  }

  UINT rowState(int row, UINT mask) const {
    return static_cast<UINT>(sendWithin(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
  }

  // The rectangle of one part of a row (LVIR_BOUNDS, LVIR_LABEL...), in screen coordinates.
  RECT rowRect(int row, LONG part) const {
    RECT rect = {};
    rect.left = part;
    remote_.write(0, &rect, sizeof rect);
    if (!sendWithin(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                    reinterpret_cast<LPARAM>(remote_.at(0))))
      throw std::runtime_error("row " + std::to_string(row) + " has no rectangle");
    remote_.read(0, &rect, sizeof rect);
    MapWindowPoints(list_, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  HWND toolBar() const { return toolBar_; }

  // The buttons' screen rectangles by their place among the buttons, separators left out.
  void printToolBarButtons() const {
    if (toolBar_ == nullptr) throw std::runtime_error("Tarvex has no tool bar");
    const auto count = static_cast<int>(sendWithin(toolBar_, TB_BUTTONCOUNT, 0, 0));
    int place = 0;
    for (int index = 0; index < count; ++index) {
      TBBUTTON button = {};
      sendWithin(toolBar_, TB_GETBUTTON, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(remote_.at(0)));
      remote_.read(0, &button, sizeof button);
      if ((button.fsStyle & BTNS_SEP) != 0) continue;
      RECT rect = {};
      sendWithin(toolBar_, TB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(remote_.at(0)));
      remote_.read(0, &rect, sizeof rect);
      MapWindowPoints(toolBar_, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
      std::printf("button %d %d %ld %ld %ld %ld\n", ++place, button.idCommand,
                  static_cast<long>(rect.left), static_cast<long>(rect.top),
                  static_cast<long>(rect.right), static_cast<long>(rect.bottom));
    }
  }

  HWND header() const { return reinterpret_cast<HWND>(sendWithin(list_, LVM_GETHEADER, 0, 0)); }

  int columnWidth(int column) const {
    return static_cast<int>(sendWithin(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
  }

  std::string statusText(int panel) const {
    if (statusBar_ == nullptr) throw std::runtime_error("Tarvex has no status bar");
    const auto length =
        LOWORD(sendWithin(statusBar_, SB_GETTEXTLENGTHA, static_cast<WPARAM>(panel), 0));
    if (length >= kTextCapacity) throw std::runtime_error("status text too long");
    remote_.write(kTextOffset, "", 1);
    sendWithin(statusBar_, SB_GETTEXTA, static_cast<WPARAM>(panel),
               reinterpret_cast<LPARAM>(remote_.at(kTextOffset)));
    return remote_.readText(kTextOffset);
  }

 private:
  static constexpr SIZE_T kTextOffset = 128;  // beyond the largest structure sent
  static constexpr SIZE_T kScratchSize = kTextOffset + kTextCapacity * sizeof(wchar_t);
  static_assert(sizeof(LVITEMA) <= kTextOffset && sizeof(RECT) <= kTextOffset &&
                sizeof(TBBUTTON) <= kTextOffset);

  HANDLE checkedProcess() const {
    if (!process_.valid()) throw std::runtime_error(lastErrorText("OpenProcess"));
    if (isWow64(process_.get()) != isWow64(GetCurrentProcess()))
      throw std::runtime_error("Tarvex has another bitness than this reader");
    return process_.get();
  }

  HWND list_;
  HWND statusBar_;
  HWND toolBar_;
  Handle process_;
  RemoteMemory remote_;
};

std::vector<HWND> tarvexMainWindows() {
  std::vector<HWND> windows;
  EnumWindows(collectTarvexWindow, reinterpret_cast<LPARAM>(&windows));
  std::erase_if(windows, [](HWND window) { return !TarvexWindow::isMainWindow(window); });
  return windows;
}

HWND theTarvexMainWindow() {
  const auto windows = tarvexMainWindows();
  if (windows.size() != 1)
    throw std::runtime_error("expected one Tarvex main window, found " +
                             std::to_string(windows.size()));
  return windows.front();
}

int printTarvexLists() {
  const auto windows = tarvexMainWindows();
  for (HWND window : windows) {
    const TarvexWindow tarvex(window);
    const int count = tarvex.rowCount();
    std::fprintf(stderr, "list_reader: Tarvex window of process %lu lists %d rows\n",
                 static_cast<unsigned long>(TarvexWindow::processOf(window)), count);
    for (int row = 0; row < count; ++row) {
      const UINT state = tarvex.rowState(row, LVIS_STATEIMAGEMASK | LVIS_SELECTED);
      std::string line;
      for (int column = 0; column < kColumns; ++column) line += tarvex.cellText(row, column) + '\t';
      std::printf("%s%d\t%d\n", line.c_str(), (state & LVIS_STATEIMAGEMASK) == kCheckedState,
                  (state & LVIS_SELECTED) != 0);
    }
  }
  std::fprintf(stderr, "list_reader: %zu Tarvex lists read\n", windows.size());
  return windows.empty() ? 1 : 0;
}

// Tabs within a panel's text only place it (a leading one centres it); they are not shown.
std::string withoutTabs(std::string text) {
  std::erase(text, '\t');
  return text;
}

int printStatus() {
  const TarvexWindow tarvex(theTarvexMainWindow());
  for (int panel = 0; panel < kStatusPanels; ++panel)
    std::printf("%s\n", withoutTabs(tarvex.statusText(panel)).c_str());
  return 0;
}

void printRect(const char* name, const RECT& rect) {
  std::printf("%s %ld %ld %ld %ld\n", name, static_cast<long>(rect.left),
              static_cast<long>(rect.top), static_cast<long>(rect.right),
              static_cast<long>(rect.bottom));
}

int printRowRect(const char* rowText) {
  const int row = std::stoi(rowText);
  const TarvexWindow tarvex(theTarvexMainWindow());
  printRect("row", tarvex.rowRect(row, LVIR_BOUNDS));
  printRect("label", tarvex.rowRect(row, LVIR_LABEL));
  return 0;
}

int printColumns() {
  const TarvexWindow tarvex(theTarvexMainWindow());
  const HWND header = tarvex.header();
  if (header == nullptr) throw std::runtime_error("Tarvex's list has no header");
  RECT rect = {};
  GetClientRect(header, &rect);
  MapWindowPoints(header, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  LONG divider = rect.left;
  for (int column = 0; column < kColumns; ++column) {
    const int width = tarvex.columnWidth(column);
    divider += width;
    std::printf("column %d %d %ld %ld\n", column + 1, width, static_cast<long>(divider),
                static_cast<long>((rect.top + rect.bottom) / 2));
  }
  return 0;
}

struct WindowSearch {
  const std::string* caption;
  HWND found;
};

BOOL CALLBACK findWindowTitled(HWND window, LPARAM search) {
  auto* wanted = reinterpret_cast<WindowSearch*>(search);
  if (windowCaption(window) != *wanted->caption || !IsWindowVisible(window)) return TRUE;
  wanted->found = window;
  return FALSE;
}

std::string className(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

RECT screenRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

void printLine(const char* kind, const std::string& first, const std::string& second,
               const RECT& rect) {
  std::printf("%s\t%s%s\t%ld %ld %ld %ld\n", kind, first.c_str(), second.c_str(),
              static_cast<long>(rect.left), static_cast<long>(rect.top),
              static_cast<long>(rect.right), static_cast<long>(rect.bottom));
}

// The messages that read an entry's length and text: a list box's or a combo box's.
struct EntryMessages {
  UINT length;
  UINT text;
};
constexpr EntryMessages kListBoxEntry{LB_GETTEXTLEN, LB_GETTEXT};
constexpr EntryMessages kComboBoxEntry{CB_GETLBTEXTLEN, CB_GETLBTEXT};

// A list box or combo box entry, copied across processes by the system. Wine hands a Unicode
// control's text to an ANSI caller unconverted, so ask in Unicode and convert here.
std::string listBoxEntry(HWND listBox, int entry, EntryMessages messages = kListBoxEntry) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(listBox, messages.length, static_cast<WPARAM>(entry), 0,
                           SMTO_ABORTIFHUNG, kReplyTimeoutMs, &length) ||
      length >= kTextCapacity)
    throw std::runtime_error("cannot read the length of list box entry " + std::to_string(entry));
  wchar_t wide[kTextCapacity] = {};
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(listBox, messages.text, static_cast<WPARAM>(entry),
                           reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                           &ignored))
    throw std::runtime_error(lastErrorText("SendMessageTimeout"));
  char text[kTextCapacity * 3] = {};
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

void printListBoxEntries(HWND listBox) {
  const auto count = static_cast<int>(sendWithin(listBox, LB_GETCOUNT, 0, 0));
  const auto top = static_cast<int>(sendWithin(listBox, LB_GETTOPINDEX, 0, 0));
  RECT client = {};
  GetClientRect(listBox, &client);
  MapWindowPoints(listBox, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  for (int entry = 0; entry < count; ++entry) {
    const std::string text = listBoxEntry(listBox, entry);
    const auto height =
        static_cast<LONG>(sendWithin(listBox, LB_GETITEMHEIGHT, static_cast<WPARAM>(entry), 0));
    RECT rect = client;
    rect.top = client.top + (entry - top) * height;
    rect.bottom = rect.top + height;
    printLine("entry", text, "", rect);
  }
}

// Nothing is printed when no entry is chosen.
void printChosenEntry(HWND comboBox) {
  const auto chosen = static_cast<int>(sendWithin(comboBox, CB_GETCURSEL, 0, 0));
  if (chosen == CB_ERR) return;
  printLine("chosen", listBoxEntry(comboBox, chosen, kComboBoxEntry), "", screenRect(comboBox));
}

bool isCheckBox(HWND button) {
  switch (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return true;
    default:
      return false;
  }
}

BOOL CALLBACK collectControl(HWND control, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(control);
  return TRUE;
}

int printControls(const std::string& caption) {
  WindowSearch search{&caption, nullptr};
  EnumWindows(findWindowTitled, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) throw std::runtime_error("no window titled '" + caption + "'");
  std::vector<HWND> controls;
  EnumChildWindows(search.found, collectControl, reinterpret_cast<LPARAM>(&controls));
  for (HWND control : controls) {
    const std::string kind = className(control);
    printLine("control", kind + '\t', windowCaption(control), screenRect(control));
    if (lstrcmpiA(kind.c_str(), "ListBox") == 0) printListBoxEntries(control);
    if (lstrcmpiA(kind.c_str(), "ComboBox") == 0) printChosenEntry(control);
    if (lstrcmpiA(kind.c_str(), "Button") == 0 && isCheckBox(control))
      printLine("check", windowCaption(control) + '\t',
                std::to_string(sendWithin(control, BM_GETCHECK, 0, 0)), screenRect(control));
  }
  return 0;
}

int printToolBar() {
  const TarvexWindow tarvex(theTarvexMainWindow());
  tarvex.printToolBarButtons();
  return 0;
}

BOOL CALLBACK printTarvexWindow(HWND window, LPARAM) {
  if (windowCaption(window) != kTarvexCaption) return TRUE;
  const RECT rect = screenRect(window);
  std::printf("%s %d %d %ld %ld\n", TarvexWindow::isMainWindow(window) ? "main" : "other",
              IsWindowVisible(window) != FALSE, IsIconic(window) != FALSE,
              static_cast<long>(rect.right - rect.left), static_cast<long>(rect.bottom - rect.top));
  return TRUE;
}

int printTarvexWindows() {
  EnumWindows(printTarvexWindow, 0);
  return 0;
}

int printForeground() {
  const HWND foreground = GetForegroundWindow();
  const auto windows = tarvexMainWindows();
  const bool isMain = windows.size() == 1 && windows.front() == foreground;
  std::printf("%s\t%s\n", windowCaption(foreground).c_str(), isMain ? "main" : "other");
  return 0;
}

// Popup menus are top-level windows of the system class "#32768" while they are open.
BOOL CALLBACK printMenuWindow(HWND window, LPARAM) {
  if (className(window) == "#32768" && IsWindowVisible(window))
    printRect("menu", screenRect(window));
  return TRUE;
}

int printMenus() {
  EnumWindows(printMenuWindow, 0);
  return 0;
}

std::wstring widened(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  return wide;
}

int printPidsOf(const char* imageName) {
  const std::wstring wantedImage = widened(imageName);
  Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.valid()) throw std::runtime_error(lastErrorText("CreateToolhelp32Snapshot"));
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (lstrcmpiW(entry.szExeFile, wantedImage.c_str()) != 0) continue;
    std::printf("%lu\n", static_cast<unsigned long>(entry.th32ProcessID));
    found = true;
  }
  return found ? 0 : 1;
}

std::wstring wideFrom(UINT codePage, const std::string& text) {
  const int length = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
  MultiByteToWideChar(codePage, 0, text.c_str(), -1, wide.data(), length);
  return wide;
}

std::string bytesFromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

// Through the wide API, so that a caption outside the code page arrives whole.
int renameWindow(const char* title, const std::wstring& caption) {
  const HWND window = FindWindowA(nullptr, title);
  if (window == nullptr) throw std::runtime_error(std::string("no window titled ") + title);
  if (!SetWindowTextW(window, caption.c_str()))
    throw std::runtime_error(lastErrorText("SetWindowTextW"));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string option = argc > 1 ? argv[1] : "";
    if (argc == 1) return printTarvexLists();
    if (argc == 2 && option == "--status") return printStatus();
    if (argc == 3 && option == "--row-rect") return printRowRect(argv[2]);
    if (argc == 3 && option == "--pid-of") return printPidsOf(argv[2]);
    if (argc == 4 && option == "--retitle")
      return renameWindow(argv[2], wideFrom(CP_UTF8, bytesFromHex(argv[3])));
    if (argc == 2 && option == "--columns") return printColumns();
    if (argc == 3 && option == "--controls") return printControls(argv[2]);
    if (argc == 2 && option == "--toolbar") return printToolBar();
    if (argc == 2 && option == "--windows") return printTarvexWindows();
    if (argc == 2 && option == "--menu") return printMenus();
    if (argc == 2 && option == "--foreground") return printForeground();
    if (argc == 4 && option == "--rename") return renameWindow(argv[2], wideFrom(CP_ACP, argv[3]));
    std::fprintf(stderr,
                 "usage: list_reader [--status | --row-rect <row> | --pid-of <image.exe> |"
                 " --columns | --controls <window title> | --toolbar | --windows | --menu |"
                 " --foreground | --rename <window title> <new caption> |"
                 " --retitle <window title> <new caption's UTF-8 bytes in hexadecimal>]\n");
    return 2;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "list_reader: %s\n", failure.what());
    return 2;
  }
}
