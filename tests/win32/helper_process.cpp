#include "helper_process.h"

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
      throw std::invalid_argument("helper arguments hold no quotes");
    }
    line += " \"" + argument + "\"";
  }
  return line;
}

}  // namespace

std::string ThisProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

HelperProcess::HelperProcess(const std::string& program,
                             const std::vector<std::string>& arguments) {
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
  std::string line = CommandLine(program, arguments);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &started)) {
    throw std::runtime_error("cannot start " + program);
  }
  process_.reset(started.hProcess);
  ::CloseHandle(started.hThread);
  input_ = std::move(input.write);
  output_ = std::move(output.read);
  // Only the helper holds the other ends now: its end is the end of the pipes.
}

HelperProcess::~HelperProcess() {
  input_.reset();
  if (::WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 10000);
  }
}

std::string HelperProcess::ReadLine() {
  std::string line;
  char c = 0;
  DWORD read = 0;
  while (::ReadFile(output_.get(), &c, 1, &read, nullptr) && read == 1) {
    if (c == '\n') return line;
    if (c != '\r') line += c;
  }
  throw std::runtime_error("the helper ended early: " + line);
}

std::vector<std::string> HelperProcess::ReadUntilReady() {
  std::vector<std::string> lines;
  for (std::string line = ReadLine(); line != "ready"; line = ReadLine()) lines.push_back(line);
  return lines;
}

void HelperProcess::WriteLine(const std::string& line) {
  const std::string text = line + "\n";
  DWORD written = 0;
  if (!::WriteFile(input_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
      written != text.size()) {
    throw std::runtime_error("cannot write to the helper");
  }
}

}  // namespace tarvex::win32::testing
