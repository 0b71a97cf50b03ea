// A helper program run beside a test or a benchmark, talked to by lines: it writes lines to its
// standard output, reads commands from its standard input, and ends when its input is closed.
#pragma once

#include <string>
#include <vector>

#include "win32/support/unique_handle.h"

namespace tarvex::win32::testing {

class HelperProcess {
 public:
  // Starts `program` (a path) with the arguments, which hold no quotes.
  HelperProcess(const std::string& program, const std::vector<std::string>& arguments);
  // Closes the helper's input and waits a while for it to end; a helper that does not end (one
  // that hangs on purpose, say) is terminated.
  ~HelperProcess();
  HelperProcess(const HelperProcess&) = delete;
  HelperProcess& operator=(const HelperProcess&) = delete;

  // The next line the helper wrote, without its line break; fails when the helper ended first.
  std::string ReadLine();
  // Reads lines up to the line "ready" and returns those before it.
  std::vector<std::string> ReadUntilReady();
  void WriteLine(const std::string& line);

  HANDLE Process() const { return process_.get(); }

 private:
  UniqueKernelHandle process_;
  UniqueKernelHandle input_;  // closing it tells the helper to end
  UniqueKernelHandle output_;
};

// The folder of the running program, with a trailing separator: helpers are built beside it.
std::string ThisProgramFolder();

}  // namespace tarvex::win32::testing
