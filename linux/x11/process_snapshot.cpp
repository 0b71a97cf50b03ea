#include "linux/x11/process_snapshot.h"

#include <charconv>
#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>

#include "linux/x11/x11_text.h"

namespace tarvex::x11 {
namespace {

constexpr std::size_t kImageNameLength = 260;
// The kernel marks the link of a program whose file was replaced or removed since it started.
constexpr std::string_view kDeletedMark = " (deleted)";

std::optional<std::uint32_t> ProcessIdOf(const std::string& name) {
  std::uint32_t id = 0;
  const char* end = name.data() + name.size();
  const auto [last, error] = std::from_chars(name.data(), end, id);
  if (error != std::errc() || last != end || id == 0) return std::nullopt;
  return id;
}

std::string Cut(std::string name) {
  name.resize(Utf8PrefixLength(name, kImageNameLength));
  return name;
}

}  // namespace

std::optional<std::string> ImageFileName(const std::filesystem::path& procRoot,
                                         std::uint32_t processId) {
  const std::filesystem::path process = procRoot / std::to_string(processId);
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink(process / "exe", error);
  if (!error) {
    std::string name = program.filename().string();
    if (name.ends_with(kDeletedMark)) name.resize(name.size() - kDeletedMark.size());
    if (!name.empty()) return Cut(std::move(name));
  }
  std::ifstream comm(process / "comm");
  std::string name;
  if (!std::getline(comm, name) || name.empty()) return std::nullopt;
  return Cut(std::move(name));
}

ProcessSnapshot::ProcessSnapshot(ProcessNames& names, std::uint32_t processId) : names_(names) {
  if (processId != 0 && names_.Of(processId)) {
    wanted_ = processId;
    processes_.push_back(processId);
  }
}

bool ProcessSnapshot::First(ProcessEntry& entry) {
  cursor_ = 0;
  return Next(entry);
}

bool ProcessSnapshot::Next(ProcessEntry& entry) {
  for (;;) {
    if (cursor_ == processes_.size() && !listedAll_) ListTheRest();
    if (cursor_ >= processes_.size()) return false;
    // A process that ended since the snapshot was taken is skipped, not reported nameless.
    if (Fill(processes_[cursor_++], entry)) return true;
  }
}

void ProcessSnapshot::ListTheRest() {
  listedAll_ = true;
  std::error_code error;
  for (std::filesystem::directory_iterator it(names_.ProcRoot(), error), end; !error && it != end;
       it.increment(error)) {
    const auto id = ProcessIdOf(it->path().filename().string());
    if (id && *id != wanted_) processes_.push_back(*id);
  }
}

bool ProcessSnapshot::Fill(std::uint32_t processId, ProcessEntry& entry) const {
  const auto& name = names_.Of(processId);
  if (!name) return false;
  entry.processId = processId;
  entry.exeFile = *name;
  return true;
}

}  // namespace tarvex::x11
