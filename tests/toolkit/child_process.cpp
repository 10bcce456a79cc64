#include "toolkit/child_process.h"

#include <cstdlib>
#include <stdexcept>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace test_support {

std::filesystem::path builtExecutable(const std::string& relative) {
  const char* bin = std::getenv("TRANSORVALDAE_BIN_DIR");
  std::filesystem::path program = std::filesystem::path(bin ? bin : ".") / relative;
#ifdef _WIN32
  program += ".exe";
#endif
  return program.make_preferred();
}

#ifdef _WIN32

namespace {

// One argument quoted as the C runtime splits the command line: backslashes
// are literal except before a quote, where they and the quote are escaped.
std::wstring quoted(const std::wstring& arg) {
  std::wstring text = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    text.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    text.push_back(c);
  }
  text.append(2 * backslashes, L'\\');
  return text + L"\"";
}

std::wstring wide(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
  return text;
}

struct Pipe {
  HANDLE read = nullptr;
  HANDLE write = nullptr;  // inherited by the child
};

Pipe makePipe() {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  Pipe pipe;
  if (!CreatePipe(&pipe.read, &pipe.write, &inherit, 0)) throw std::runtime_error("CreatePipe");
  SetHandleInformation(pipe.read, HANDLE_FLAG_INHERIT, 0);
  return pipe;
}

HANDLE openNul(DWORD access) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
}

// Starts program with stdin empty and stdout and stderr on the given handles,
// which are closed here; returns the process handle.
HANDLE spawn(const std::filesystem::path& program, const std::vector<std::string>& args, HANDLE out,
             HANDLE err) {
  std::wstring commandLine = quoted(program.wstring());
  for (const std::string& a : args) commandLine += L" " + quoted(wide(a));
  const HANDLE in = openNul(GENERIC_READ);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION info{};
  const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &info);
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) throw std::runtime_error("cannot start " + program.string());
  CloseHandle(info.hThread);
  return info.hProcess;
}

bool readByte(HANDLE pipe, char& c) {
  DWORD n = 0;
  return ReadFile(pipe, &c, 1, &n, nullptr) && n == 1;
}

std::string drain(HANDLE pipe) {
  std::string text;
  char buf[4096];
  DWORD n = 0;
  while (ReadFile(pipe, buf, sizeof buf, &n, nullptr) && n > 0) text.append(buf, n);
  return text;
}

}  // namespace

ProcessResult runProcess(const std::filesystem::path& program, const std::vector<std::string>& args) {
  const Pipe out = makePipe();
  const Pipe err = makePipe();
  const HANDLE process = spawn(program, args, out.write, err.write);
  ProcessResult result;
  // Standard error is read after standard output: fine for the small outputs of tests.
  result.out = drain(out.read);
  result.err = drain(err.read);
  CloseHandle(out.read);
  CloseHandle(err.read);
  WaitForSingleObject(process, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  result.exitCode = static_cast<int>(code);
  return result;
}

BackgroundProcess::BackgroundProcess(const std::filesystem::path& program,
                                     const std::vector<std::string>& args) {
  const Pipe out = makePipe();
  process_ = spawn(program, args, out.write, openNul(GENERIC_WRITE));
  out_ = out.read;
}

BackgroundProcess::~BackgroundProcess() {
  TerminateProcess(process_, 1);
  WaitForSingleObject(process_, INFINITE);
  CloseHandle(process_);
  CloseHandle(out_);
}

#else

namespace {

std::vector<char*> argv(const std::filesystem::path& program, const std::vector<std::string>& args,
                        std::string& programText) {
  programText = program.string();
  std::vector<char*> v{programText.data()};
  for (const std::string& a : args) v.push_back(const_cast<char*>(a.c_str()));
  v.push_back(nullptr);
  return v;
}

bool readByte(int fd, char& c) { return read(fd, &c, 1) == 1; }

std::string drain(int fd) {
  std::string text;
  char buf[4096];
  ssize_t n;
  while ((n = read(fd, buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
  return text;
}

// Starts program with stdout and stderr on the given pipes' write ends.
int spawn(const std::filesystem::path& program, const std::vector<std::string>& args, int outFd, int errFd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, outFd, 1);
  posix_spawn_file_actions_adddup2(&actions, errFd, 2);
  std::string programText;
  std::vector<char*> v = argv(program, args, programText);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, programText.c_str(), &actions, nullptr, v.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + programText);
  return pid;
}

}  // namespace

ProcessResult runProcess(const std::filesystem::path& program, const std::vector<std::string>& args) {
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe");
  const int pid = spawn(program, args, out[1], err[1]);
  close(out[1]);
  close(err[1]);
  ProcessResult result;
  // Standard error is read after standard output: fine for the small outputs of tests.
  result.out = drain(out[0]);
  result.err = drain(err[0]);
  close(out[0]);
  close(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

BackgroundProcess::BackgroundProcess(const std::filesystem::path& program,
                                     const std::vector<std::string>& args) {
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("pipe");
  const int devNull = open("/dev/null", O_WRONLY);
  pid_ = spawn(program, args, out[1], devNull);
  close(devNull);
  close(out[1]);
  out_ = out[0];
}

BackgroundProcess::~BackgroundProcess() {
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  close(out_);
}

#endif

bool BackgroundProcess::waitForLine(const std::string& prefix) {
  std::string line;
  char c;
  while (readByte(out_, c)) {
    if (c != '\n') {
      line.push_back(c);
      continue;
    }
    if (line.rfind(prefix, 0) == 0) return true;
    line.clear();
  }
  return false;
}

}  // namespace test_support
