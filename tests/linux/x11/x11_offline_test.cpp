// What needs no display: captions cut on character boundaries, and the process snapshot over a
// /proc of our own making, found through the enumerator's binding.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "linux/x11/proc_tool_help_library.h"
#include "linux/x11/x11_text.h"
#include "winlist/tool_help_binding.h"

namespace tarvex::x11 {
namespace {

namespace fs = std::filesystem;

TEST(OfflineText, CutsNeverSplitACharacterAndAlwaysTerminate) {
  const std::string euro = "\xE2\x82\xAC";      // 3 bytes
  const std::string clef = "\xF0\x9D\x84\x9E";  // 4 bytes
  const std::string text = "ab" + euro + "c" + clef + "d";
  for (int size = 1; size <= static_cast<int>(text.size()) + 1; ++size) {
    char buffer[32];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    const int length = CopyToBuffer(text, buffer, size);
    ASSERT_LE(length, size - 1);
    ASSERT_EQ(buffer[length], '\0');
    EXPECT_EQ(std::string(buffer), text.substr(0, static_cast<std::size_t>(length)));
    // A cut lands only where a character starts (or at the end).
    const auto next = static_cast<std::size_t>(length);
    EXPECT_TRUE(next == text.size() || (static_cast<unsigned char>(text[next]) & 0xC0u) != 0x80u)
        << "buffer " << size;
    // And it keeps every whole character that fits.
    EXPECT_GT(length + 4, size - 1);
  }
  char untouched[4] = "abc";
  EXPECT_EQ(CopyToBuffer(text, untouched, 0), 0);
  EXPECT_STREQ(untouched, "abc");
  EXPECT_EQ(Latin1ToUtf8("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(AsciiOnly("a\x1B$B\xB0"), "a\x1B$B?");
}

class OfflineProcessSnapshot : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("tarvex-proc-" + std::to_string(::getpid()));
    fs::remove_all(root);
    Process(10, "/usr/bin/editor", "");
    Process(20, "/opt/old/server (deleted)", "");
    Process(30, "", "kworker/0:1\n");  // no program file to name: the kernel's short name
    Process(40, "", "");               // ended since: neither is readable
    Process(50, "/x/" + std::string(300, 'n'), "");
    fs::create_directories(root / "self");
  }
  void TearDown() override { fs::remove_all(root); }

  void Process(int id, const std::string& program, const std::string& comm) {
    const fs::path dir = root / std::to_string(id);
    fs::create_directories(dir);
    if (!program.empty()) fs::create_symlink(program, dir / "exe");
    if (!comm.empty()) std::ofstream(dir / "comm") << comm;
  }

  // Every process a snapshot taken for `processId` walks through, in order.
  std::vector<ProcessEntry> Walk(std::uint32_t processId) {
    std::vector<ProcessEntry> walked;
    ScopedSnapshot snapshot(binding, binding.CreateToolhelp32Snapshot(kSnapProcess, processId));
    ProcessEntry entry;
    for (bool more = binding.Process32First(snapshot.get(), entry); more;
         more = binding.Process32Next(snapshot.get(), entry)) {
      walked.push_back(entry);
    }
    return walked;
  }

  fs::path root;
  ProcToolHelpLibrary library{root};
  ToolHelpBinding binding{library};
};

TEST_F(OfflineProcessSnapshot, NamesEveryRunningProcessAndBeginsWithTheOneAskedFor) {
  library = ProcToolHelpLibrary(root);
  std::map<std::uint32_t, std::string> names;
  for (const auto& entry : Walk(0)) names[entry.processId] = entry.exeFile;
  EXPECT_EQ(names,
            (std::map<std::uint32_t, std::string>{
                {10, "editor"}, {20, "server"}, {30, "kworker/0:1"}, {50, std::string(260, 'n')}}));

  const auto walked = Walk(30);
  ASSERT_FALSE(walked.empty());
  EXPECT_EQ(walked.front().processId, 30u);
  EXPECT_EQ(walked.size(), 4u);  // and the rest once each
  EXPECT_EQ(library.OpenSnapshots(), 0u);
}

TEST_F(OfflineProcessSnapshot, OffersOnlyTheSnapshotFunctionsAndRefusesForeignHandles) {
  library = ProcToolHelpLibrary(root);
  EXPECT_EQ(library.FindLoadedModule("user32.dll"), 0u);
  const ModuleHandle kernel = library.FindLoadedModule("KERNEL32.DLL");
  ASSERT_NE(kernel, 0u);
  for (const char* name : {"CreateToolhelp32Snapshot", "Process32First", "Process32Next"}) {
    EXPECT_NE(library.FindFunction(kernel, name), nullptr) << name;
  }
  for (const char* name : {"Heap32First", "Process32FirstW", "Module32Next", "process32first"}) {
    EXPECT_EQ(library.FindFunction(kernel, name), nullptr) << name;
  }
  EXPECT_TRUE(binding.BindToolHelp());
  ProcessEntry entry;
  EXPECT_FALSE(binding.Process32First(12345, entry));
  EXPECT_EQ(binding.CreateToolhelp32Snapshot(8 /* modules only */, 10), 0u);
}

}  // namespace
}  // namespace tarvex::x11
