// Load and save times of a large settings file through the Linux edition's store: a load as the
// main window's first show makes it, a save of the window section at close, and a rewrite of a
// 3,000-entry ignore list, each on a 16 MB file of blank lines and on one of other programs'
// sections, with the program's own sections at the end. Prints one line per file and step:
//   settings SHAPE MB STEP MS        (median of the passes)
// and, at the end, the process's peak memory:   settings peak-rss MB
//
//   settings_bench [megabytes] [passes]
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "linux/settings/posix_profile_store.h"
#include "settings/ignore_list.h"
#include "settings/ignore_list_file.h"
#include "settings/ini_file.h"
#include "stopwatch.h"

namespace {
namespace fs = std::filesystem;
using tarvex::TIniFile;

constexpr const char* kWindow = "Tarvex Window";
constexpr const char* kIgnore = "Tarvex Ignore";

std::string BlankLines(std::size_t bytes) { return std::string(bytes, '\n'); }

std::string OtherSections(std::size_t bytes) {
  std::string text;
  text.reserve(bytes + 64);
  for (int section = 0; text.size() < bytes; ++section) {
    text += "[Kelvo Tool " + std::to_string(section) + "]\r\n";
    for (int key = 0; key < 20; ++key) text += "Key" + std::to_string(key) + " = some value\r\n";
  }
  return text;
}

// The program's sections at the end, as a file saved by it long ago would have them.
std::string WithOwnSections(std::string text) {
  text += "[Tarvex Window]\r\nLeft=10\r\nTop=10\r\nWidth=400\r\nHeight=300\r\n";
  text += "[Tarvex Ignore]\r\n";
  for (int i = 1; i <= 300; ++i)
    text += std::to_string(i) + "=Window " + std::to_string(i) + "\r\n";
  return text;
}

void Load(tarvex::ProfileStore& store, const std::string& path) {
  const TIniFile file(store, path);
  for (const char* key :
       {"Left", "Top", "Width", "Height", "Column1", "Column2", "MinimizeToTray", "HotKeyCode"}) {
    (void)file.ReadInteger(kWindow, key, 0);
  }
  for (int n = 1; !file.ReadString(kIgnore, std::to_string(n), "").empty(); ++n) {
  }
}

void SaveWindow(tarvex::ProfileStore& store, const std::string& path) {
  TIniFile file(store, path);
  for (const char* key :
       {"Left", "Top", "Width", "Height", "Column1", "Column2", "MinimizeToTray", "HotKeyCode"}) {
    file.WriteInteger(kWindow, key, 42);
  }
  file.UpdateFile();
}

void SaveIgnoreList(tarvex::ProfileStore& store, const std::string& path) {
  std::vector<std::string> entries;
  for (int i = 1; i <= 3000; ++i) entries.push_back("Entry " + std::to_string(i));
  tarvex::TIgnoreList list;
  list.Replace(std::move(entries));
  TIniFile file(store, path);
  tarvex::SaveIgnoreList(file, kIgnore, list);
}

double PeakMegabytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 16;
  const int passes = argc > 2 ? std::atoi(argv[2]) : 5;
  std::random_device random;
  const fs::path folder =
      fs::temp_directory_path() / ("tarvex-settings-bench-" + std::to_string(random()));
  fs::create_directories(folder);
  const std::string path = (folder / "KelvoApps.ini").string();
  tarvex::posix::PosixProfileStore store;

  const std::vector<std::pair<const char*, std::function<std::string(std::size_t)>>> shapes = {
      {"blank-lines", BlankLines}, {"other-sections", OtherSections}};
  const std::vector<std::pair<const char*, void (*)(tarvex::ProfileStore&, const std::string&)>>
      steps = {{"load", Load}, {"save-window", SaveWindow}, {"save-ignore-3000", SaveIgnoreList}};
  for (const auto& [shape, make] : shapes) {
    const std::string text = WithOwnSections(make(megabytes << 20));
    for (const auto& [step, run] : steps) {
      std::vector<double> samples;
      for (int pass = 0; pass < passes; ++pass) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        const tarvex::bench::Stopwatch stopwatch;
        run(store, path);
        samples.push_back(stopwatch.Milliseconds());
      }
      std::printf("settings %s %zu %s %.1f\n", shape, megabytes, step,
                  tarvex::bench::Median(samples));
    }
  }
  std::printf("settings peak-rss %.0f\n", PeakMegabytes());
  fs::remove_all(folder);
  return 0;
}
