#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <utility>

extern char** environ;

namespace tarvex::bench {
namespace {

void CloseQuietly(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
  int toChild[2];
  int fromChild[2];
  if (::pipe2(toChild, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  if (::pipe2(fromChild, O_CLOEXEC) != 0) {
    ::close(toChild[0]);
    ::close(toChild[1]);
    throw std::runtime_error("cannot make a pipe");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const int failed = posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(toChild[0]);
  ::close(fromChild[1]);
  input_ = toChild[1];
  output_ = fromChild[0];
  if (failed != 0) {
    CloseQuietly(input_);
    CloseQuietly(output_);
    throw std::runtime_error("cannot start " + argv[0]);
  }
}

ChildProcess::~ChildProcess() {
  CloseQuietly(input_);
  CloseQuietly(output_);
  for (int waited = 0; waited < 500; ++waited) {
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

std::vector<std::string> ChildProcess::ReadUntil(const std::string& line) {
  std::vector<std::string> before;
  std::string current;
  char c = 0;
  while (::read(output_, &c, 1) == 1) {
    if (c != '\n') {
      current += c;
      continue;
    }
    if (current == line) return before;
    before.push_back(std::move(current));
    current.clear();
  }
  throw std::runtime_error("the helper program ended before it said \"" + line + "\"");
}

std::vector<std::string> ChildProcess::FinishAndReadUntil(const std::string& line) {
  CloseQuietly(input_);
  return ReadUntil(line);
}

std::string ThisProgramFolder() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
}

}  // namespace tarvex::bench
