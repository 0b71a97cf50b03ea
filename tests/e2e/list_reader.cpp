// Reads the application list of every running Tarvex from outside, as an accessibility tool
// would, so that the end-to-end tests check what a user sees.
//
//   list_reader               one line per row of each Tarvex list: <caption>\t<process id>
//   list_reader --pid-of X    the process ids of the processes whose image name is X
//
// A list view's LVITEM is read in the owner's address space, and its layout differs between
// 32-bit and 64-bit processes: use the reader built beside the tarvex.exe it reads.
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

// Memory allocated inside another process, freed with it.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, SIZE_T size)
      : process_(process),
        base_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    if (base_ == nullptr) throw std::runtime_error("VirtualAllocEx failed");
  }
  ~RemoteMemory() { VirtualFreeEx(process_, base_, 0, MEM_RELEASE); }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  char* get() const { return static_cast<char*>(base_); }

 private:
  HANDLE process_;
  void* base_;
};

std::string lastErrorText(const char* what) {
  return std::string(what) + " failed, error " + std::to_string(GetLastError());
}

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

BOOL CALLBACK findListView(HWND child, LPARAM found) {
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, WC_LISTVIEWA) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
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

std::vector<std::vector<std::string>> readRows(HWND list) {
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  Handle process(OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE,
      pid));
  if (!process.valid()) throw std::runtime_error(lastErrorText("OpenProcess"));
  if (isWow64(process.get()) != isWow64(GetCurrentProcess()))
    throw std::runtime_error("Tarvex has another bitness than this reader");

  RemoteMemory remote(process.get(), sizeof(LVITEMA) + kTextCapacity);
  char* remoteText = remote.get() + sizeof(LVITEMA);
  const auto count = static_cast<int>(sendWithin(list, LVM_GETITEMCOUNT, 0, 0));

  std::vector<std::vector<std::string>> rows;
  for (int row = 0; row < count; ++row) {
    std::vector<std::string>& cells = rows.emplace_back();
    for (int column = 0; column < kColumns; ++column) {
      LVITEMA item = {};
      item.mask = LVIF_TEXT;
      item.iItem = row;
      item.iSubItem = column;
      item.pszText = remoteText;
      item.cchTextMax = kTextCapacity;
      char text[kTextCapacity] = {};
      if (!WriteProcessMemory(process.get(), remote.get(), &item, sizeof item, nullptr))
        throw std::runtime_error(lastErrorText("WriteProcessMemory"));
      sendWithin(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(remote.get()));
      if (!ReadProcessMemory(process.get(), remoteText, text, kTextCapacity - 1, nullptr))
        throw std::runtime_error(lastErrorText("ReadProcessMemory"));
      cells.emplace_back(text);
    }
  }
  return rows;
}

int printTarvexLists() {
  std::vector<HWND> tarvexWindows;
  EnumWindows(collectTarvexWindow, reinterpret_cast<LPARAM>(&tarvexWindows));
  int listsRead = 0;
  for (HWND window : tarvexWindows) {
    HWND list = nullptr;
    EnumChildWindows(window, findListView, reinterpret_cast<LPARAM>(&list));
    if (list == nullptr) continue;  // a message box or dialog with the same caption
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    const auto rows = readRows(list);
    std::fprintf(stderr, "list_reader: Tarvex window of process %lu lists %zu rows\n",
                 static_cast<unsigned long>(pid), rows.size());
    for (const auto& cells : rows) std::printf("%s\t%s\n", cells[0].c_str(), cells[1].c_str());
    ++listsRead;
  }
  std::fprintf(stderr, "list_reader: %d Tarvex lists read\n", listsRead);
  return listsRead > 0 ? 0 : 1;
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

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 1) return printTarvexLists();
    if (argc == 3 && std::string(argv[1]) == "--pid-of") return printPidsOf(argv[2]);
    std::fprintf(stderr, "usage: list_reader [--pid-of <image.exe>]\n");
    return 2;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "list_reader: %s\n", failure.what());
    return 2;
  }
}
