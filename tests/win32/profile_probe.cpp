// The platform's side of the settings differential test: runs a script of reads and updates
// through the Windows edition's settings store and prints each result on a line of its own.
//   F <path>                      the file that the next lines work on
//   R <section> <key>             prints "=<value>", or "-" when the key reads as missing
// Reads ask the profile reader once, with a default that no generated file holds; the store's
// second read, which tells a missing key from one holding its default, would double the time.
//   U <n>                         an update made of the next n lines; prints 1 or 0
//   S <section> <key> <value>     a key set (inside an update)
//   E <section>                   a section erased (inside an update)
// Every field is written in hexadecimal, so that any byte can stand in it.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/wine/hex_field.h"
#include "win32/platform/win32_profile_store.h"
#include "win32/support/windows_api.h"

namespace {

using tarvex::testing::FromHex;
using tarvex::testing::ToHex;

constexpr const char* kMissing = "\x01missing";

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: profile_probe <script>\n");
    return 2;
  }
  std::ifstream script(argv[1]);
  tarvex::win32::Win32ProfileStore store;
  std::string file;
  for (std::string line; std::getline(script, line);) {
    std::istringstream fields(line);
    std::string op, a, b, c;
    fields >> op >> a >> b >> c;
    if (op == "F") {
      file = FromHex(a);
    } else if (op == "R") {
      char buffer[tarvex::kMaxProfileValue + 1] = {};
      const DWORD length = ::GetPrivateProfileStringA(
          FromHex(a).c_str(), FromHex(b).c_str(), kMissing, buffer, sizeof buffer, file.c_str());
      const std::string value(buffer, length);
      std::printf("%s\n", value == kMissing ? "-" : ("=" + ToHex(value)).c_str());
    } else if (op == "U") {
      tarvex::ProfileChanges changes;
      for (int n = std::stoi(a); n > 0 && std::getline(script, line); --n) {
        std::istringstream change(line);
        std::string kind, section, key, value;
        change >> kind >> section >> key >> value;
        changes.push_back({kind == "E" ? tarvex::ProfileChange::Kind::kEraseSection
                                       : tarvex::ProfileChange::Kind::kSet,
                           FromHex(section), FromHex(key), FromHex(value)});
      }
      std::printf("%d\n", store.Update(file, changes) ? 1 : 0);
    }
  }
  return 0;
}
