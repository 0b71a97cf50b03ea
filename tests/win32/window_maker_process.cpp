#include "window_maker_process.h"

#include <stdexcept>

namespace tarvex::win32::testing {
namespace {

struct Pipe {
  UniqueKernelHandle read;
  UniqueKernelHandle write;
};

// Both ends are inheritable at first; the caller keeps its own end to itself.
Pipe MakePipe() {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!::CreatePipe(&read, &write, &inherit, 0)) throw std::runtime_error("CreatePipe failed");
  return {UniqueKernelHandle(read), UniqueKernelHandle(write)};
}

void KeepPrivate(const UniqueKernelHandle& handle) {
  ::SetHandleInformation(handle.get(), HANDLE_FLAG_INHERIT, 0);
}

std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments) {
  std::string line = "\"" + program + "\"";
  for (const std::string& argument : arguments) {
    if (argument.find('"') != std::string::npos) {
      throw std::invalid_argument("window_maker arguments hold no quotes");
    }
    line += " \"" + argument + "\"";
  }
  return line;
}

// Reads one line; false when the helper ended before writing one.
bool ReadLine(HANDLE pipe, std::string& line) {
  line.clear();
  char c = 0;
  DWORD read = 0;
  while (::ReadFile(pipe, &c, 1, &read, nullptr) && read == 1) {
    if (c == '\n') return true;
    if (c != '\r') line += c;
  }
  return false;
}

}  // namespace

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

WindowMakerProcess::WindowMakerProcess(const std::vector<std::string>& windows) {
  Pipe input = MakePipe();
  Pipe output = MakePipe();
  KeepPrivate(input.write);
  KeepPrivate(output.read);

  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.read.get();
  startup.hStdOutput = output.write.get();
  startup.hStdError = output.write.get();
  const std::string program = ProgramFolder() + "window_maker.exe";
  std::string line = CommandLine(program, windows);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &started)) {
    throw std::runtime_error("cannot start " + program);
  }
  process_.reset(started.hProcess);
  ::CloseHandle(started.hThread);
  processId_ = started.dwProcessId;
  input_ = std::move(input.write);
  // Only the helper holds the write end now: its end is the end of the pipe.
  output.write.reset();
  input.read.reset();

  std::string text;
  while (ReadLine(output.read.get(), text) && text != "ready") {
    windows_.push_back(static_cast<WinHandle>(std::stoul(text, nullptr, 16)));
  }
  if (text != "ready" || windows_.size() != windows.size()) {
    throw std::runtime_error("window_maker failed: " + text);
  }
}

WindowMakerProcess::~WindowMakerProcess() {
  input_.reset();
  if (::WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process_.get(), 1);
  }
}

}  // namespace tarvex::win32::testing
