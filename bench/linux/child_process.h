// A program the benchmark starts and ends: its standard input is a pipe whose closing tells it
// to end, its standard output a pipe the benchmark reads lines from.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tarvex::bench {

class ChildProcess {
 public:
  // Throws std::runtime_error when the program cannot be started.
  explicit ChildProcess(const std::vector<std::string>& argv);
  // Closes its input, waits a while for it to end, and kills it (by its id) if it does not.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }
  // Reads output lines until one equals `line`, and returns the lines before it; throws when
  // the output ends first.
  std::vector<std::string> ReadUntil(const std::string& line);
  // Closes its input, which tells it to end, and reads its output until `line` as ReadUntil.
  std::vector<std::string> FinishAndReadUntil(const std::string& line);

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
};

// The folder of the running program, with a trailing slash.
std::string ThisProgramFolder();

}  // namespace tarvex::bench
